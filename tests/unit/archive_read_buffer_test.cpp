#include "platform/archive_read_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/archive_file_functions.h"
#include "platform/fake/fake_platform.h"

namespace lumora::platform {
namespace {

constexpr char16_t kArchivePath[] = u"C:\\archive.zip";

// Counts the reads that reach the file functions under the layer.
struct CountingFunctions {
  zlib_filefunc64_def inner{};
  int reads = 0;
  std::vector<uLong> readSizes;

  static uLong ZCALLBACK Read(voidpf opaque, voidpf stream, void* buffer, uLong size) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    ++self->reads;
    self->readSizes.push_back(size);
    return self->inner.zread_file(self->inner.opaque, stream, buffer, size);
  }
  static voidpf ZCALLBACK Open(voidpf opaque, const void* name, int mode) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    return self->inner.zopen64_file(self->inner.opaque, name, mode);
  }
  static ZPOS64_T ZCALLBACK Tell(voidpf opaque, voidpf stream) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    return self->inner.ztell64_file(self->inner.opaque, stream);
  }
  static long ZCALLBACK Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    return self->inner.zseek64_file(self->inner.opaque, stream, offset, origin);
  }
  static int ZCALLBACK Close(voidpf opaque, voidpf stream) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    return self->inner.zclose_file(self->inner.opaque, stream);
  }
  static int ZCALLBACK Error(voidpf opaque, voidpf stream) {
    auto* self = static_cast<CountingFunctions*>(opaque);
    return self->inner.zerror_file(self->inner.opaque, stream);
  }

  zlib_filefunc64_def Functions() {
    return {Open, Read, inner.zwrite_file, Tell, Seek, Close, Error, this};
  }
};

std::string Pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return bytes;
}

class ArchiveReadBufferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    content_ = Pattern(6 * kArchiveReadBufferBytes + 123);
    files_.AddFile(kArchivePath, content_);
    FillFileSystemArchiveFunctions(files_, counting_.inner);
    functions_ = counting_.Functions();
    layer_.Wrap(functions_);
  }

  voidpf OpenArchive() {
    return functions_.zopen64_file(functions_.opaque, kArchivePath, ZLIB_FILEFUNC_MODE_READ | ZLIB_FILEFUNC_MODE_EXISTING);
  }
  uLong Read(voidpf stream, void* buffer, uLong size) {
    return functions_.zread_file(functions_.opaque, stream, buffer, size);
  }
  long Seek(voidpf stream, ZPOS64_T offset, int origin) {
    return functions_.zseek64_file(functions_.opaque, stream, offset, origin);
  }
  ZPOS64_T Tell(voidpf stream) { return functions_.ztell64_file(functions_.opaque, stream); }
  void Close(voidpf stream) { EXPECT_EQ(functions_.zclose_file(functions_.opaque, stream), 0); }

  fake::FakeFileSystem files_;
  std::string content_;
  CountingFunctions counting_;
  zlib_filefunc64_def functions_{};
  ArchiveReadBuffer layer_;
};

TEST_F(ArchiveReadBufferTest, ByteByByteReadsGiveTheFileWithOneReadPerBufferful) {
  voidpf stream = OpenArchive();
  ASSERT_NE(stream, nullptr);
  std::string read;
  unsigned char byte = 0;
  while (Read(stream, &byte, 1) == 1) read.push_back(static_cast<char>(byte));
  EXPECT_TRUE(read == content_);
  EXPECT_EQ(Tell(stream), content_.size());
  EXPECT_EQ(counting_.reads, 8);  // seven buffers' worth, then the end
  Close(stream);
}

TEST_F(ArchiveReadBufferTest, LargeReadsPassStraightThrough) {
  voidpf stream = OpenArchive();
  ASSERT_NE(stream, nullptr);
  std::string header(30, '\0');
  ASSERT_EQ(Read(stream, header.data(), 30), 30u);
  std::string data(16384, '\0');
  const uLong count = Read(stream, data.data(), 16384);
  EXPECT_EQ(count, 16384u);
  EXPECT_TRUE(header + data == content_.substr(0, 30 + 16384));
  // One read ahead for the header, the data's first bytes from it, the rest at once.
  ASSERT_EQ(counting_.readSizes.size(), 2u);
  EXPECT_EQ(counting_.readSizes[0], kArchiveReadBufferBytes);
  EXPECT_EQ(counting_.readSizes[1], 30 + 16384 - kArchiveReadBufferBytes);
  Close(stream);
}

TEST_F(ArchiveReadBufferTest, SeeksFromStartCurrentAndEndReadTheRightBytes) {
  voidpf stream = OpenArchive();
  ASSERT_NE(stream, nullptr);
  char bytes[8] = {};
  struct Step {
    ZPOS64_T offset;
    int origin;
    std::size_t expectedPosition;
  };
  const std::size_t size = content_.size();
  const std::vector<Step> steps = {
      {100, ZLIB_FILEFUNC_SEEK_SET, 100},
      {50, ZLIB_FILEFUNC_SEEK_CUR, 158},                                  // after the 8 bytes read
      {static_cast<ZPOS64_T>(-60), ZLIB_FILEFUNC_SEEK_CUR, 106},          // back, inside the buffer
      {static_cast<ZPOS64_T>(-22), ZLIB_FILEFUNC_SEEK_END, size - 22},
      {5000, ZLIB_FILEFUNC_SEEK_SET, 5000},
      {3, ZLIB_FILEFUNC_SEEK_SET, 3},
  };
  for (const Step& step : steps) {
    ASSERT_EQ(Seek(stream, step.offset, step.origin), 0) << step.expectedPosition;
    EXPECT_EQ(Tell(stream), step.expectedPosition);
    ASSERT_EQ(Read(stream, bytes, 8), 8u);
    EXPECT_EQ(std::string(bytes, 8), content_.substr(step.expectedPosition, 8));
  }
  Close(stream);
}

TEST_F(ArchiveReadBufferTest, AReadFailureComesAtTheSameByteAsWithoutTheBuffer) {
  const std::size_t failAt = kArchiveReadBufferBytes + 10;
  files_.FailReadsAfter(kArchivePath, failAt);
  voidpf stream = OpenArchive();
  ASSERT_NE(stream, nullptr);
  std::string read;
  unsigned char byte = 0;
  while (Read(stream, &byte, 1) == 1) read.push_back(static_cast<char>(byte));
  EXPECT_EQ(read.size(), failAt);
  EXPECT_TRUE(read == content_.substr(0, failAt));
  EXPECT_NE(functions_.zerror_file(functions_.opaque, stream), 0);
  Close(stream);
}

TEST_F(ArchiveReadBufferTest, AFileThatCannotBeOpenedGivesNoStream) {
  EXPECT_EQ(functions_.zopen64_file(functions_.opaque, u"C:\\missing.zip",
                                    ZLIB_FILEFUNC_MODE_READ | ZLIB_FILEFUNC_MODE_EXISTING),
            nullptr);
}

}  // namespace
}  // namespace lumora::platform
