#pragma once
// Host fakes of the platform seam. They behave the way the setup program relies on
// Windows behaving, and they inject the faults an installation must survive.
// Paths: drive-letter paths ("C:\x") and UNC paths ("\\server\share\x"); '/' and '\'
// both separate; names compare case-insensitively (ASCII and Latin-1 letters); the
// trailing blanks and dots of each component are dropped as Win32 does; relative
// paths resolve against the current folder.
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace lumora::platform::fake {

// What a fake file holds: its bytes and the times SetFileTimesFromLocalDos gave it.
struct FakeFile {
  std::string bytes;
  std::optional<std::uint32_t> localDosDateTime;  // creation and last-write time
};

class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem();  // drive C: with its root; the current folder is C:\ .

  // --- set-up and inspection for tests ---
  void AddDrive(char16_t letter);
  void AddFolder(const std::u16string& path);  // every missing level
  void AddFile(const std::u16string& path, std::string bytes);  // folders too
  bool FolderExists(const std::u16string& path) const;
  bool FileExists(const std::u16string& path) const;
  const FakeFile* FindFile(const std::u16string& path) const;
  std::optional<std::string> ReadFile(const std::u16string& path) const;
  // Every file, with its full path in the case it was created with, sorted.
  std::vector<std::u16string> ListFiles() const;
  std::u16string CurrentFolder() const;
  void SetTempFolder(std::u16string folder);  // GetTempFolder's answer ("" = failure)

  // --- faults ---
  // A locked file cannot be opened for writing, deleted or replaced (sharing violation);
  // reading still works. (Files the program itself holds open through this fake cannot
  // be deleted, moved, replaced or have their times set either, as on Windows.)
  void LockFile(const std::u16string& path);
  // A denied folder cannot be entered, nothing can be created in it and its files
  // cannot be opened; a denied file cannot be opened at all.
  void DenyAccess(const std::u16string& path);
  // Bytes that may still be written across all files; a write past it fails (disk full).
  // The failing write writes what still fits, and that file's Close reports false too;
  // truncating, deleting and replacing files give their space back.
  void SetFreeSpace(std::uint64_t bytes);
  // The n-th (0-based) successful CreateForWriting from now on fails to open.
  void FailCreateForWritingAt(int index);
  // Reads of this file fail with an error after `offset` bytes.
  void FailReadsAfter(const std::u16string& path, std::uint64_t offset);
  // MoveFileReplacing fails.
  void FailMoves(bool fail);

  // --- FileSystem ---
  bool GetCurrentFolder(std::u16string& folder) override;
  bool SetCurrentFolder(const std::u16string& folder) override;
  std::uint32_t CreateFolder(const std::u16string& folder) override;
  std::unique_ptr<OutputFile> CreateForWriting(const std::u16string& path) override;
  std::unique_ptr<OutputFile> OpenForAppending(const std::u16string& path) override;
  std::unique_ptr<InputFile> OpenForReading(const std::u16string& path) override;
  bool RemoveFile(const std::u16string& path) override;
  bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override;
  bool SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) override;
  std::u16string GetTempFolder() override;

  // Full, normalised path for a path as the program passes it; nullopt when malformed.
  std::optional<std::u16string> Resolve(const std::u16string& path) const;

  // Replaces or creates a whole file in one step, as a program's write would go:
  // false (and nothing changed) for a malformed path, a missing folder, a folder, a
  // denied or locked file, or too little free space. Not counted by
  // FailCreateForWritingAt. The other fakes (profiles, shell links) write through it.
  bool StoreFile(const std::u16string& path, std::string bytes);

  struct State;  // the file tree; defined in the implementation

 private:
  std::shared_ptr<State> state_;
};

struct FakeRegistryValue {
  std::uint32_t type = 0;  // 1 REG_SZ, 4 REG_DWORD
  std::u16string text;     // REG_SZ data without terminator
  std::uint32_t dword = 0;
  std::uint32_t byteSize = 0;  // the size passed by the writer
};

// HKEY_CLASSES_ROOT is an alias of HKEY_LOCAL_MACHINE\SOFTWARE\Classes. Key names
// compare case-insensitively.
class FakeRegistry : public Registry {
 public:
  FakeRegistry();
  bool KeyExists(RootKey root, const std::u16string& subKey) const;
  // An empty name is the default value.
  std::optional<FakeRegistryValue> GetValue(RootKey root, const std::u16string& subKey,
                                            const std::u16string& name) const;
  // Every key path under a root ("SOFTWARE\Classes\.jpg"), in the case first written.
  std::vector<std::u16string> KeysUnder(RootKey root, const std::u16string& prefix = u"") const;
  // Number of named and default values under a key (not its sub-keys).
  std::size_t ValueCount(RootKey root, const std::u16string& subKey) const;
  std::size_t OpenHandleCount() const;  // handles opened or created and not closed

  // --- faults ---
  void DenyWrites(RootKey root);  // no administrator rights: creates and writes fail with 5
  void DenyKey(RootKey root, const std::u16string& subKey);  // this key cannot be opened or created

  long SetDefaultValue(RootKey root, const std::u16string& subKey, const std::u16string& text) override;
  long OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, KeyHandle& key) override;
  long CreateKey(RootKey root, const std::u16string& subKey, KeyHandle& key) override;
  long SetStringValue(KeyHandle key, const std::u16string& name, const std::u16string& text) override;
  long SetDwordValue(KeyHandle key, const std::u16string& name, std::uint32_t value) override;
  long QueryStringValue(KeyHandle key, const std::u16string& name, std::uint32_t capacityBytes,
                        std::u16string& text) override;
  long DeleteKey(RootKey root, const std::u16string& subKey) override;
  void CloseKey(KeyHandle key) override;

  // Test set-up: writes that ignore the faults.
  void Put(RootKey root, const std::u16string& subKey, const std::u16string& name, const std::u16string& text);

  struct State;

 private:
  std::shared_ptr<State> state_;
};

class FakeSystem;

// INI files over the fake file system, with the Windows rules of profile_files.h.
// Files it creates are ANSI (code page 1252, "?" for what it cannot hold); files
// that begin with FF FE are read and written as UTF-16LE.
class FakeProfileFiles : public ProfileFiles {
 public:
  FakeProfileFiles(FakeFileSystem& files, FakeSystem& system);
  bool WriteString(const std::u16string& section, const std::u16string& key,
                   const std::optional<std::u16string>& value, const std::u16string& file) override;
  std::u16string GetString(const std::u16string& section, const std::u16string& key,
                           const std::u16string& defaultValue, std::uint32_t capacity,
                           const std::u16string& file) override;

 private:
  FakeFileSystem& files_;
  FakeSystem& system_;
};

// Every answer is a public field a test may set.
class FakeSystem : public System {
 public:
  std::optional<TrueVersion> trueVersion = TrueVersion{6, 1, 7601};
  // What VerifyVersionInfoW compares against.
  std::uint16_t versionMajor = 6, versionMinor = 1, servicePackMajor = 1;
  std::u16string systemFolder = u"C:\\windows\\system32";
  std::u16string windowsFolder = u"C:\\windows";
  std::map<int, std::u16string> specialFolders = {
      {kCsidlDesktop, u"C:\\users\\tester\\Desktop"},
      {kCsidlPrograms, u"C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"},
      {kCsidlCommonPrograms, u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
      {kCsidlCommonDesktop, u"C:\\users\\Public\\Desktop"},
  };
  std::map<std::u16string, std::u16string> environment = {
      {u"APPDATA", u"C:\\users\\tester\\AppData\\Roaming"},
      {u"TEMP", u"C:\\users\\tester\\Temp"},
  };  // names compare case-insensitively
  int displayDpiX = 96;  // 0: no display device context
  int screenDpiX = 96;   // 0: no screen device context
  int fullScreenHeight = 1040;
  LocalTime localTime{2026, 12, 11, 7, 5, 9};
  std::u16string shortDate = u"12/11/2026";  // FormatShortDate's answer
  bool viewerRunning = false;
  std::map<std::u16string, VersionResource> versionResources;  // by full path, case-insensitive
  bool versionLibraryMissing = false;  // "version.dll" cannot be loaded

  std::optional<TrueVersion> GetTrueVersion() override;
  bool IsVersionAtLeast(std::uint16_t major, std::uint16_t minor, std::uint16_t servicePackMajor) override;
  std::u16string GetSystemFolder() override;
  std::u16string GetWindowsFolder() override;
  bool GetSpecialFolder(int csidl, std::u16string& folder) override;
  std::optional<std::u16string> FindEnvironmentVariable(const std::u16string& name) override;
  int GetDisplayDpiX() override;
  int GetScreenDpiX() override;
  int GetFullScreenHeight() override;
  LocalTime GetLocalTime() override;
  std::u16string FormatShortDate(const LocalTime& time) override;
  bool ViewerWindowExists() override;
  std::u16string AnsiToUtf16(std::string_view bytes) override;  // code page 1252
  std::optional<VersionResource> ReadVersionResource(const std::u16string& path) override;
};

// Links are kept as files of the fake file system (so a missing folder fails the
// save) and recorded with their properties.
class FakeShell : public Shell {
 public:
  explicit FakeShell(FakeFileSystem& files);
  bool SaveLink(const ShellLink& link, const std::u16string& linkPath) override;
  void ReloadSystemIcons() override { ++iconReloads; }
  void NotifyAssociationsChanged() override { ++associationNotifications; }

  // By full resolved path (case-insensitive lookup through FindLink).
  const ShellLink* FindLink(const std::u16string& linkPath) const;
  std::vector<std::u16string> LinkPaths() const;
  int iconReloads = 0;
  int associationNotifications = 0;
  bool failSaves = false;

 private:
  FakeFileSystem& files_;
  std::map<std::u16string, ShellLink> links_;  // keyed by upper-cased resolved path
};

struct ShownMessage {
  std::u16string text;
  std::u16string caption;
  std::uint32_t type = 0;
};

class FakeResources : public Resources {
 public:
  FakeResources();  // the program's string table; no payload
  std::map<std::uint32_t, std::u16string> strings;
  std::optional<std::string> payload;  // the archive bytes, or no resource
  std::vector<ShownMessage> shownMessages;
  std::deque<int> answers;  // answers to give, in order; kIdOk/kIdNo by default

  std::u16string LoadText(std::uint32_t id) override;
  std::optional<std::span<const std::uint8_t>> PayloadArchive() override;
  int ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) override;
};

// A whole fake machine, ready to hand down as a Platform.
struct FakeMachine {
  FakeFileSystem files;
  FakeRegistry registry;
  FakeSystem system;
  FakeProfileFiles profiles{files, system};
  FakeShell shell{files};
  FakeResources resources;
  Platform platform{files, registry, profiles, system, shell, resources};
};

}  // namespace lumora::platform::fake
