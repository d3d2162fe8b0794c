#pragma once
// A FileSystem over real Linux files, for benchmarks of the extraction engine on
// real files: a given host folder is drive "C:\". Paths follow the Win32 rules of
// the fakes ('/' and '\' separate, trailing blanks and dots dropped, relative paths
// against the current folder, 260 units at most); each component is matched
// case-insensitively against what is on disk (the exact name is tried first), so
// "c:\PROGRAM files" finds "<root>/Program Files". Other drives and UNC paths do
// not exist. The current folder is the object's own, not the process's.
// Files are C streams ("wb", "ab", "rb") as on the Win32 side; nothing is locked.
#include <filesystem>
#include <optional>
#include <string>

#include "platform/file_system.h"

namespace lumora::platform::posix {

class PosixFileSystem final : public FileSystem {
 public:
  // `root` must be an existing folder; it is made absolute. The current folder is
  // C:\ and the temp folder "C:\Temp\" (which need not exist).
  explicit PosixFileSystem(std::filesystem::path root);

  // The host path a program path stands for (existing components in their on-disk
  // case, the rest as given); nullopt when malformed, too long or not on C:.
  std::optional<std::filesystem::path> HostPath(const std::u16string& path) const;
  const std::filesystem::path& Root() const { return root_; }
  void SetTempFolder(std::u16string folder) { tempFolder_ = std::move(folder); }

  bool GetCurrentFolder(std::u16string& folder) override;
  bool SetCurrentFolder(const std::u16string& folder) override;
  // mkdir: EEXIST 183, ENOENT/ENOTDIR 3, EACCES/EPERM/EROFS 5, ENOSPC 112, drive
  // root 5, malformed 123, too long 206.
  std::uint32_t CreateFolder(const std::u16string& folder) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::u16string& path) override;
  std::unique_ptr<OutputFile> OpenForAppending(const std::u16string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override;
  // rename(2): replaces an existing file; fails for folders.
  bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override;
  // Sets the modification time (Linux keeps no settable creation time) from the DOS
  // date and time read as local time; the access time is kept.
  bool SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) override;
  std::u16string GetTempFolder() override { return tempFolder_; }

 private:
  std::filesystem::path root_;
  std::u16string current_ = u"C:\\";
  std::u16string tempFolder_ = u"C:\\Temp\\";
};

}  // namespace lumora::platform::posix
