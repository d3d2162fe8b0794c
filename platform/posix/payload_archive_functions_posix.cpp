#include "platform/archive_file_functions.h"

namespace lumora::platform {

void FillPayloadArchiveFunctions(FileSystem& files, zlib_filefunc64_def& functions) {
  FillFileSystemArchiveFunctions(files, functions);
}

}  // namespace lumora::platform
