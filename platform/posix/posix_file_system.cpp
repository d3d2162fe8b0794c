#include "platform/posix/posix_file_system.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

#include "platform/fake/fake_text.h"
#include "platform/fake/win32_path.h"

namespace lumora::platform::posix {
namespace {

namespace fs = std::filesystem;
using fake::detail::ParsedPath;
using fake::detail::ParseStatus;

constexpr std::uint32_t kErrorInvalidName = 123;
constexpr std::uint32_t kErrorFilenameExcedRange = 206;

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    std::uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<std::uint32_t>(text[i + 1]) - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;  // a lone surrogate
    }
    auto put = [&out](std::uint32_t byte) { out.push_back(static_cast<char>(static_cast<unsigned char>(byte))); };
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | (c >> 6));
      put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | (c >> 12));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | (c >> 18));
      put(0x80 | ((c >> 12) & 0x3F));
      put(0x80 | ((c >> 6) & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Invalid sequences become U+FFFD (they can only match themselves anyway).
std::u16string ToUtf16(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    std::uint32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1Fu) : length == 3 ? (lead & 0x0Fu) : (lead & 0x07u);
    bool valid = length != 0 && i + length <= bytes.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3Fu);
    }
    if (!valid) {
      out.push_back(static_cast<char16_t>(0xFFFD));
      ++i;
      continue;
    }
    i += length;
    if (c >= 0x10000) {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(c));
    }
  }
  return out;
}

class StreamOutputFile final : public OutputFile {
 public:
  explicit StreamOutputFile(std::FILE* stream) : stream_(stream) {}
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
  std::FILE* stream_;
};

class StreamInputFile final : public InputFile {
 public:
  explicit StreamInputFile(std::FILE* stream) : stream_(stream) {}
  ~StreamInputFile() override { Close(); }
  std::size_t Read(void* buffer, std::size_t size) override { return stream_ ? std::fread(buffer, 1, size, stream_) : 0; }
  bool Seek(std::int64_t offset, SeekOrigin origin) override {
    const int whence = origin == SeekOrigin::kBegin ? SEEK_SET : origin == SeekOrigin::kCurrent ? SEEK_CUR : SEEK_END;
    return stream_ && fseeko(stream_, static_cast<off_t>(offset), whence) == 0;
  }
  std::int64_t Tell() override { return stream_ ? static_cast<std::int64_t>(ftello(stream_)) : -1; }
  bool HadError() override { return !stream_ || std::ferror(stream_) != 0; }
  void Close() override {
    if (stream_) std::fclose(stream_);
    stream_ = nullptr;
  }

 private:
  std::FILE* stream_;
};

bool IsDirectory(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool IsRegularFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

PosixFileSystem::PosixFileSystem(fs::path root) : root_(fs::absolute(std::move(root))) {}

std::optional<fs::path> PosixFileSystem::HostPath(const std::u16string& path) const {
  ParsedPath current;
  fake::detail::Parse(current_, ParsedPath{u"C:", {}}, current);
  ParsedPath parsed;
  if (fake::detail::Parse(path, current, parsed) != ParseStatus::kOk || parsed.root != u"C:") return std::nullopt;
  fs::path host = root_;
  bool lookingUp = true;  // while every level so far exists
  for (const std::u16string& part : parsed.parts) {
    fs::path exact = host / ToUtf8(part);
    struct stat info {};
    if (!lookingUp || ::lstat(exact.c_str(), &info) == 0) {
      host = std::move(exact);
      continue;
    }
    std::optional<fs::path> match;
    std::error_code error;
    const std::u16string wanted = fake::detail::Fold(part);
    for (fs::directory_iterator it(host, error), end; !error && it != end; it.increment(error)) {
      if (fake::detail::Fold(ToUtf16(it->path().filename().native())) == wanted) {
        match = it->path();
        break;
      }
    }
    if (match) {
      host = std::move(*match);
    } else {
      host = std::move(exact);
      lookingUp = false;
    }
  }
  return host;
}

bool PosixFileSystem::GetCurrentFolder(std::u16string& folder) {
  if (current_.size() >= fake::detail::kMaxPath) return false;
  folder = current_;
  return true;
}

bool PosixFileSystem::SetCurrentFolder(const std::u16string& folder) {
  ParsedPath current;
  fake::detail::Parse(current_, ParsedPath{u"C:", {}}, current);
  ParsedPath parsed;
  if (fake::detail::Parse(folder, current, parsed) != ParseStatus::kOk || parsed.root != u"C:") return false;
  std::u16string full = fake::detail::FullPath(parsed);
  if (full.size() + (full.back() == u'\\' ? 0 : 1) + 1 > fake::detail::kMaxPath) return false;
  auto host = HostPath(full);
  if (!host || !IsDirectory(*host)) return false;
  current_ = full;
  return true;
}

std::uint32_t PosixFileSystem::CreateFolder(const std::u16string& folder) {
  ParsedPath current;
  fake::detail::Parse(current_, ParsedPath{u"C:", {}}, current);
  ParsedPath parsed;
  switch (fake::detail::Parse(folder, current, parsed)) {
    case ParseStatus::kMalformed:
      return kErrorInvalidName;
    case ParseStatus::kTooLong:
      return kErrorFilenameExcedRange;
    case ParseStatus::kOk:
      break;
  }
  if (parsed.root != u"C:") return kErrorPathNotFound;
  if (parsed.parts.empty()) return kErrorAccessDenied;
  auto host = HostPath(folder);
  if (!host) return kErrorPathNotFound;
  if (::mkdir(host->c_str(), 0777) == 0) return kErrorSuccess;
  switch (errno) {
    case EEXIST:
      return kErrorAlreadyExists;
    case ENOENT:
    case ENOTDIR:
      return kErrorPathNotFound;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    default:
      return kErrorAccessDenied;
  }
}

std::unique_ptr<OutputFile> PosixFileSystem::CreateForWriting(const std::u16string& path) {
  auto host = HostPath(path);
  if (!host || IsDirectory(*host)) return nullptr;
  std::FILE* stream = std::fopen(host->c_str(), "wb");
  return stream ? std::make_unique<StreamOutputFile>(stream) : nullptr;
}

std::unique_ptr<OutputFile> PosixFileSystem::OpenForAppending(const std::u16string& path) {
  auto host = HostPath(path);
  if (!host || IsDirectory(*host)) return nullptr;
  std::FILE* stream = std::fopen(host->c_str(), "ab");
  return stream ? std::make_unique<StreamOutputFile>(stream) : nullptr;
}

std::unique_ptr<InputFile> PosixFileSystem::OpenForReading(const std::u16string& path) {
  auto host = HostPath(path);
  if (!host || IsDirectory(*host)) return nullptr;
  std::FILE* stream = std::fopen(host->c_str(), "rb");
  return stream ? std::make_unique<StreamInputFile>(stream) : nullptr;
}

bool PosixFileSystem::RemoveFile(const std::u16string& path) {
  auto host = HostPath(path);
  if (!host || IsDirectory(*host)) return false;
  return ::unlink(host->c_str()) == 0;
}

bool PosixFileSystem::MoveFileReplacing(const std::u16string& from, const std::u16string& to) {
  auto source = HostPath(from);
  auto target = HostPath(to);
  if (!source || !target || !IsRegularFile(*source) || IsDirectory(*target)) return false;
  return std::rename(source->c_str(), target->c_str()) == 0;
}

bool PosixFileSystem::SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) {
  auto host = HostPath(path);
  if (!host || !IsRegularFile(*host)) return false;
  const std::uint32_t date = dosDateTime >> 16;
  const std::uint32_t time = dosDateTime & 0xFFFF;
  std::tm local{};
  local.tm_year = static_cast<int>((date >> 9) + 80);
  local.tm_mon = static_cast<int>(((date >> 5) & 0xF)) - 1;
  local.tm_mday = static_cast<int>(date & 0x1F);
  local.tm_hour = static_cast<int>(time >> 11);
  local.tm_min = static_cast<int>((time >> 5) & 0x3F);
  local.tm_sec = static_cast<int>((time & 0x1F) * 2);
  local.tm_isdst = -1;
  if (local.tm_mon < 0 || local.tm_mon > 11 || local.tm_mday == 0 || local.tm_hour > 23 || local.tm_min > 59 ||
      local.tm_sec > 59)
    return false;  // DosDateTimeToFileTime refuses these too
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return false;
  struct timespec times[2] = {};
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = seconds;
  return ::utimensat(AT_FDCWD, host->c_str(), times, 0) == 0;
}

}  // namespace lumora::platform::posix
