#include "platform/archive_read_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace lumora::platform {
namespace {

// One open archive: the inner stream, the position minizip sees, and a window of
// the file's bytes at [bufferStart, bufferStart + bufferLength).
struct Stream {
  voidpf inner = nullptr;
  ZPOS64_T position = 0;
  ZPOS64_T innerPosition = 0;  // where the inner stream stands, when known
  bool innerPositionKnown = true;
  ZPOS64_T bufferStart = 0;
  uLong bufferLength = 0;
  unsigned char buffer[kArchiveReadBufferBytes];
};

const zlib_filefunc64_def& InnerOf(voidpf opaque) { return static_cast<ArchiveReadBuffer*>(opaque)->Inner(); }
Stream& StreamOf(voidpf stream) { return *static_cast<Stream*>(stream); }

bool InBuffer(const Stream& s, ZPOS64_T position) {
  return position >= s.bufferStart && position - s.bufferStart < s.bufferLength;
}

// Moves the inner stream to `position` unless it stands there.
bool PlaceInner(const zlib_filefunc64_def& inner, Stream& s, ZPOS64_T position) {
  if (s.innerPositionKnown && s.innerPosition == position) return true;
  if (inner.zseek64_file(inner.opaque, s.inner, position, ZLIB_FILEFUNC_SEEK_SET) != 0) {
    s.innerPositionKnown = false;
    return false;
  }
  s.innerPosition = position;
  s.innerPositionKnown = true;
  return true;
}

uLong ReadInner(const zlib_filefunc64_def& inner, Stream& s, void* buffer, uLong size) {
  const uLong count = inner.zread_file(inner.opaque, s.inner, buffer, size);
  s.innerPosition += count;
  return count;
}

voidpf ZCALLBACK Open(voidpf opaque, const void* filename, int mode) {
  const zlib_filefunc64_def& inner = InnerOf(opaque);
  voidpf innerStream = inner.zopen64_file(inner.opaque, filename, mode);
  if (innerStream == nullptr) return nullptr;
  Stream* stream = new (std::nothrow) Stream;
  if (stream == nullptr) {
    inner.zclose_file(inner.opaque, innerStream);
    return nullptr;
  }
  stream->inner = innerStream;
  return stream;
}

uLong ZCALLBACK Read(voidpf opaque, voidpf stream, void* buffer, uLong size) {
  const zlib_filefunc64_def& inner = InnerOf(opaque);
  Stream& s = StreamOf(stream);
  auto* out = static_cast<unsigned char*>(buffer);
  uLong done = 0;
  if (InBuffer(s, s.position)) {
    const auto available = static_cast<uLong>(s.bufferLength - (s.position - s.bufferStart));
    done = std::min(size, available);
    std::memcpy(out, s.buffer + (s.position - s.bufferStart), done);
    s.position += done;
  }
  if (done == size) return done;
  if (!PlaceInner(inner, s, s.position)) return done;

  const uLong rest = size - done;
  if (rest >= kArchiveReadBufferBytes) {  // a data read: no copy through the buffer
    const uLong count = ReadInner(inner, s, out + done, rest);
    s.position += count;
    return done + count;
  }
  s.bufferStart = s.position;
  s.bufferLength = ReadInner(inner, s, s.buffer, static_cast<uLong>(kArchiveReadBufferBytes));
  const uLong count = std::min(rest, s.bufferLength);
  std::memcpy(out + done, s.buffer, count);
  s.position += count;
  return done + count;
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }  // archives are only read

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf stream) { return StreamOf(stream).position; }

long ZCALLBACK Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin) {
  const zlib_filefunc64_def& inner = InnerOf(opaque);
  Stream& s = StreamOf(stream);
  ZPOS64_T target = 0;
  switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET: target = offset; break;
    case ZLIB_FILEFUNC_SEEK_CUR: target = s.position + offset; break;  // minizip's negative offsets wrap
    case ZLIB_FILEFUNC_SEEK_END: {
      // Only the inner stream knows the file's end.
      if (inner.zseek64_file(inner.opaque, s.inner, offset, ZLIB_FILEFUNC_SEEK_END) != 0) {
        s.innerPositionKnown = false;
        return -1;
      }
      const ZPOS64_T position = inner.ztell64_file(inner.opaque, s.inner);
      s.innerPosition = position;
      s.innerPositionKnown = position != static_cast<ZPOS64_T>(-1);
      if (!s.innerPositionKnown) return -1;
      s.position = position;
      return 0;
    }
    default: return -1;
  }
  // A position inside the buffer is valid; any other is tried on the inner stream
  // now, so that a bad one fails this seek as it would without the layer.
  if (!InBuffer(s, target) && !PlaceInner(inner, s, target)) return -1;
  s.position = target;
  return 0;
}

int ZCALLBACK Close(voidpf opaque, voidpf stream) {
  const zlib_filefunc64_def& inner = InnerOf(opaque);
  Stream* s = &StreamOf(stream);
  const int result = inner.zclose_file(inner.opaque, s->inner);
  delete s;
  return result;
}

int ZCALLBACK TestError(voidpf opaque, voidpf stream) {
  const zlib_filefunc64_def& inner = InnerOf(opaque);
  return inner.zerror_file(inner.opaque, StreamOf(stream).inner);
}

}  // namespace

void ArchiveReadBuffer::Wrap(zlib_filefunc64_def& functions) {
  inner_ = functions;
  functions.zopen64_file = Open;
  functions.zread_file = Read;
  functions.zwrite_file = Write;
  functions.ztell64_file = Tell;
  functions.zseek64_file = Seek;
  functions.zclose_file = Close;
  functions.zerror_file = TestError;
  functions.opaque = this;
}

}  // namespace lumora::platform
