// ioapi.h first: iowin32.h uses its types without including it.
#include "platform/archive_file_functions.h"

#include <windows.h>

#include <iowin32.h>

namespace lumora::platform {

void FillPayloadArchiveFunctions(FileSystem&, zlib_filefunc64_def& functions) {
  fill_win32_filefunc64W(&functions);
}

}  // namespace lumora::platform
