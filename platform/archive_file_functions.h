#pragma once
// The file functions minizip reads the payload archive through. The archive path is
// handed to unzOpen2_64 as a pointer to zero-terminated UTF-16 text.
#include <ioapi.h>

#include "platform/file_system.h"

namespace lumora::platform {

// Portable functions over FileSystem::OpenForReading: read-only, so an open for
// writing fails. `files` must outlive every archive opened with them.
void FillFileSystemArchiveFunctions(FileSystem& files, zlib_filefunc64_def& functions);

// The functions of this build: on Windows the Win32 ones that open a UTF-16 path
// with CreateFileW (GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING), which do not use
// `files`; on the host the portable ones above, so the walk meets the fakes' faults.
void FillPayloadArchiveFunctions(FileSystem& files, zlib_filefunc64_def& functions);

}  // namespace lumora::platform
