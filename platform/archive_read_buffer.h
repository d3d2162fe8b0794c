#pragma once
// A read-ahead layer between minizip and the file functions of a build. minizip reads
// every header field one byte at a time, about 200 read calls per entry and twice per
// extraction (the name check, then the walk); through the Win32 file functions each
// one is a ReadFile, and under Wine a system call. The layer serves small reads from
// one buffer per open archive and passes large reads (minizip's data reads) straight
// on, so the archive is still opened and read by the build's own functions and
// minizip sees the same bytes and the same failures.
#include <cstddef>

#include <ioapi.h>

namespace lumora::platform {

// Bytes read ahead per open archive; minizip's data reads (16 KB) are larger and
// pass straight through.
inline constexpr std::size_t kArchiveReadBufferBytes = 4096;

class ArchiveReadBuffer {
 public:
  ArchiveReadBuffer() = default;
  ArchiveReadBuffer(const ArchiveReadBuffer&) = delete;
  ArchiveReadBuffer& operator=(const ArchiveReadBuffer&) = delete;

  // Puts the layer in front of the filled `functions`, in place. This object keeps
  // the former functions and must outlive every archive opened with the result.
  void Wrap(zlib_filefunc64_def& functions);

  // The functions the layer reads through.
  const zlib_filefunc64_def& Inner() const { return inner_; }

 private:
  zlib_filefunc64_def inner_{};
};

}  // namespace lumora::platform
