// The lower bound of unpacking an archive: every deflated entry inflated into
// memory with zlib in one call, nothing checked and nothing written.
//   bench_inflate_limit ARCHIVE
// Reads the central directory itself (no ZIP64, no encryption: the payloads are
// small and plain) so that no archive library's own work is counted. Prints the
// entry count and the inflated size; exit code 0 when every entry inflated to its
// recorded size.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/mapped_file.h"

namespace {

std::uint32_t Read16(const std::uint8_t* p) { return static_cast<std::uint32_t>(p[0] | p[1] << 8); }
std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

constexpr std::uint32_t kEndSignature = 0x06054b50;
constexpr std::uint32_t kCentralSignature = 0x02014b50;
constexpr std::uint32_t kLocalSignature = 0x04034b50;
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::size_t kLocalHeaderSize = 30;
constexpr std::uint32_t kDeflated = 8;

struct Entry {
  std::size_t localHeader;
  std::uint32_t method;
  std::uint32_t compressedSize;
  std::uint32_t size;
};

bool ReadDirectory(const std::uint8_t* data, std::size_t size, std::vector<Entry>& entries) {
  if (size < kEndRecordSize) return false;
  std::size_t end = size - kEndRecordSize;
  while (Read32(data + end) != kEndSignature) {
    if (end == 0 || size - end > kEndRecordSize + 0xFFFF) return false;
    --end;
  }
  const std::uint32_t count = Read16(data + end + 10);
  std::size_t at = Read32(data + end + 16);
  for (std::uint32_t i = 0; i < count; ++i) {
    if (at + kCentralHeaderSize > size || Read32(data + at) != kCentralSignature) return false;
    entries.push_back({Read32(data + at + 42), Read16(data + at + 10), Read32(data + at + 20), Read32(data + at + 24)});
    at += kCentralHeaderSize + Read16(data + at + 28) + Read16(data + at + 30) + Read16(data + at + 32);
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_inflate_limit ARCHIVE\n");
    return 2;
  }
  const lumora::bench::MappedFile mapped(argv[1]);
  const std::uint8_t* data = mapped.Bytes().data();
  const std::size_t size = mapped.Bytes().size();
  std::vector<Entry> entries;
  if (size == 0 || !ReadDirectory(data, size, entries)) {
    std::fprintf(stderr, "bench_inflate_limit: %s is not a readable archive\n", argv[1]);
    return 2;
  }

  std::uint32_t largest = 1;
  for (const Entry& entry : entries) largest = entry.size > largest ? entry.size : largest;
  std::vector<std::uint8_t> output(largest);

  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return 2;
  unsigned long long inflated = 0;
  for (const Entry& entry : entries) {
    if (entry.method != kDeflated) continue;  // stored folder entries: nothing to inflate
    const std::uint8_t* local = data + entry.localHeader;
    if (entry.localHeader + kLocalHeaderSize > size || Read32(local) != kLocalSignature) return 1;
    const std::size_t start = entry.localHeader + kLocalHeaderSize + Read16(local + 26) + Read16(local + 28);
    if (start + entry.compressedSize > size) return 1;
    inflateReset(&stream);
    stream.next_in = const_cast<Bytef*>(data + start);
    stream.avail_in = entry.compressedSize;
    stream.next_out = output.data();
    stream.avail_out = entry.size;
    if (inflate(&stream, Z_FINISH) != Z_STREAM_END || stream.total_out != entry.size) return 1;
    inflated += entry.size;
  }
  inflateEnd(&stream);
  std::printf("%zu entries, %llu bytes inflated\n", entries.size(), inflated);
  return 0;
}
