#pragma once
// The file side of the platform seam: the current folder, folder creation, byte
// streams, deletes, moves and file times. The Win32 implementation maps each call
// to one API; the host fake keeps a file tree in memory and injects faults.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lumora::platform {

// Win32 error codes that the installation logic looks at.
enum Win32Error : std::uint32_t {
  kErrorSuccess = 0,
  kErrorFileNotFound = 2,
  kErrorPathNotFound = 3,
  kErrorAccessDenied = 5,
  kErrorSharingViolation = 32,
  kErrorDiskFull = 112,
  kErrorAlreadyExists = 183,
};

// A file opened for binary writing. Closing twice is harmless; the destructor closes.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  // Writes every byte or reports false (a full disk, a write error).
  [[nodiscard]] virtual bool Write(const void* data, std::size_t size) = 0;
  // Flushes and closes; false when the flush or close failed.
  virtual bool Close() = 0;
};

enum class SeekOrigin { kBegin, kCurrent, kEnd };

// A file opened for binary reading ("rb").
class InputFile {
 public:
  virtual ~InputFile() = default;
  // Reads up to `size` bytes; returns the count read, 0 at the end or on error.
  virtual std::size_t Read(void* buffer, std::size_t size) = 0;
  virtual bool Seek(std::int64_t offset, SeekOrigin origin) = 0;
  virtual std::int64_t Tell() = 0;
  // True after a read failed for another reason than the end of the file.
  virtual bool HadError() = 0;
  virtual void Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // GetCurrentDirectoryW into 260 units: false when it does not fit.
  virtual bool GetCurrentFolder(std::u16string& folder) = 0;
  // SetCurrentDirectoryW: succeeds only for an existing folder that may be entered.
  virtual bool SetCurrentFolder(const std::u16string& folder) = 0;
  // CreateDirectoryW without security attributes: kErrorSuccess or the Win32 error
  // (kErrorAlreadyExists, kErrorPathNotFound when the parent is missing, ...).
  virtual std::uint32_t CreateFolder(const std::u16string& folder) = 0;

  // Create or truncate for binary writing, no sharing restriction ("wb").
  virtual std::unique_ptr<OutputFile> CreateForWriting(const std::u16string& path) = 0;
  // Open for appending, creating a missing file ("ab"; the log writes its own CR LF).
  virtual std::unique_ptr<OutputFile> OpenForAppending(const std::u16string& path) = 0;
  // Open for binary reading ("rb"); null when the file cannot be opened.
  virtual std::unique_ptr<InputFile> OpenForReading(const std::u16string& path) = 0;

  virtual bool RemoveFile(const std::u16string& path) = 0;
  // MoveFileExW with MOVEFILE_REPLACE_EXISTING.
  virtual bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) = 0;
  // Opens the file (read and write, no sharing), keeps its last-access time and sets
  // creation and last-write time to the DOS date (high word) and time (low word),
  // read as local time. False when any step failed.
  virtual bool SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) = 0;
  // GetTempPathW with a capacity of 519 units; empty on failure.
  virtual std::u16string GetTempFolder() = 0;
};

}  // namespace lumora::platform
