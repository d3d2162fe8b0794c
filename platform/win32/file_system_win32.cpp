// The file side of the seam over kernel32 and the C runtime's wide streams.
#include <windows.h>

#include <cstdio>

#include "platform/file_system.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace lumora::platform::win32 {
namespace {

// A C runtime stream that closes itself.
class StreamOutputFile final : public OutputFile {
 public:
  explicit StreamOutputFile(FILE* stream) : stream_(stream) {}
  ~StreamOutputFile() override { Close(); }
  bool Write(const void* data, std::size_t size) override {
    if (!stream_) return false;
    if (size == 0) return true;
    return std::fwrite(data, 1, size, stream_) == size;
  }
  bool Close() override {
    if (!stream_) return true;
    const bool flushed = std::fflush(stream_) == 0;
    const bool closed = std::fclose(stream_) == 0;
    stream_ = nullptr;
    return flushed && closed;
  }

 private:
  FILE* stream_;
};

class StreamInputFile final : public InputFile {
 public:
  explicit StreamInputFile(FILE* stream) : stream_(stream) {}
  ~StreamInputFile() override { Close(); }
  std::size_t Read(void* buffer, std::size_t size) override {
    return stream_ ? std::fread(buffer, 1, size, stream_) : 0;
  }
  bool Seek(std::int64_t offset, SeekOrigin origin) override {
    const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : origin == SeekOrigin::kCurrent ? SEEK_CUR : SEEK_END;
    return stream_ && _fseeki64(stream_, offset, whence) == 0;
  }
  std::int64_t Tell() override { return stream_ ? _ftelli64(stream_) : -1; }
  bool HadError() override { return !stream_ || std::ferror(stream_) != 0; }
  void Close() override {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
  }

 private:
  FILE* stream_;
};

class Win32FileSystem final : public FileSystem {
 public:
  bool GetCurrentFolder(std::u16string& folder) override {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) return false;
    folder = FromWide(buffer, length);
    return true;
  }
  bool SetCurrentFolder(const std::u16string& folder) override {
    return SetCurrentDirectoryW(Wide(folder)) != FALSE;
  }
  std::uint32_t CreateFolder(const std::u16string& folder) override {
    return CreateDirectoryW(Wide(folder), nullptr) ? static_cast<std::uint32_t>(kErrorSuccess) : GetLastError();
  }
  std::unique_ptr<OutputFile> CreateForWriting(const std::u16string& path) override {
    return OpenOutput(path, L"wb");
  }
  std::unique_ptr<OutputFile> OpenForAppending(const std::u16string& path) override {
    return OpenOutput(path, L"ab");
  }
  std::unique_ptr<InputFile> OpenForReading(const std::u16string& path) override {
    FILE* stream = _wfopen(Wide(path), L"rb");
    if (!stream) return nullptr;
    return std::make_unique<StreamInputFile>(stream);
  }
  bool RemoveFile(const std::u16string& path) override { return ::DeleteFileW(Wide(path)) != FALSE; }
  bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override {
    return MoveFileExW(Wide(from), Wide(to), MOVEFILE_REPLACE_EXISTING) != FALSE;
  }
  bool SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) override {
    ScopedHandle file(CreateFileW(Wide(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) return false;
    FILETIME created, accessed, written;
    if (!GetFileTime(file.Get(), &created, &accessed, &written)) return false;
    FILETIME local;
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                               &local))
      return false;
    FILETIME universal;
    if (!LocalFileTimeToFileTime(&local, &universal)) return false;
    return SetFileTime(file.Get(), &universal, &accessed, &universal) != FALSE;
  }
  std::u16string GetTempFolder() override {
    wchar_t buffer[520] = {};
    const DWORD length = GetTempPathW(519, buffer);
    if (length == 0 || length > 519) return std::u16string();
    return FromWide(buffer, length);
  }

 private:
  static std::unique_ptr<OutputFile> OpenOutput(const std::u16string& path, const wchar_t* mode) {
    FILE* stream = _wfopen(Wide(path), mode);
    if (!stream) return nullptr;
    return std::make_unique<StreamOutputFile>(stream);
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeFileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace lumora::platform::win32
