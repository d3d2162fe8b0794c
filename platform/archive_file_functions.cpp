#include "platform/archive_file_functions.h"

#include <memory>
#include <string>

namespace lumora::platform {
namespace {

// minizip's callbacks are C functions; each stream is one InputFile owned by the
// archive between open and close.
FileSystem& FilesOf(voidpf opaque) { return *static_cast<FileSystem*>(opaque); }
InputFile& StreamOf(voidpf stream) { return *static_cast<InputFile*>(stream); }

voidpf ZCALLBACK Open(voidpf opaque, const void* filename, int mode) {
  if (filename == nullptr) return nullptr;
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  const std::u16string path(static_cast<const char16_t*>(filename));
  return FilesOf(opaque).OpenForReading(path).release();
}

uLong ZCALLBACK Read(voidpf, voidpf stream, void* buffer, uLong size) {
  return static_cast<uLong>(StreamOf(stream).Read(buffer, size));
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) {
  const std::int64_t position = StreamOf(stream).Tell();
  return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  SeekOrigin from = SeekOrigin::kBegin;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: from = SeekOrigin::kBegin; break;
    case ZLIB_FILEFUNC_SEEK_CUR: from = SeekOrigin::kCurrent; break;
    case ZLIB_FILEFUNC_SEEK_END: from = SeekOrigin::kEnd; break;
    default: return -1;
  }
  // minizip passes negative relative offsets as their two's complement.
  return StreamOf(stream).Seek(static_cast<std::int64_t>(offset), from) ? 0 : -1;
}

int ZCALLBACK Close(voidpf, voidpf stream) {
  const std::unique_ptr<InputFile> file(static_cast<InputFile*>(stream));
  file->Close();
  return 0;
}

int ZCALLBACK TestError(voidpf, voidpf stream) { return StreamOf(stream).HadError() ? 1 : 0; }

}  // namespace

void FillFileSystemArchiveFunctions(FileSystem& files, zlib_filefunc64_def& functions) {
  functions.zopen64_file = Open;
  functions.zread_file = Read;
  functions.zwrite_file = Write;
  functions.ztell64_file = Tell;
  functions.zseek64_file = Seek;
  functions.zclose_file = Close;
  functions.zerror_file = TestError;
  functions.opaque = &files;
}

}  // namespace lumora::platform
