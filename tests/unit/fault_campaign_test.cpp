// The fault campaign: one installation on a fake machine that already holds the
// user's things, run once per failure point an installation can meet, silently (the
// silent road over RunInstallation) and in a wizard run with the same choices, each
// with the outcome it must have: the result, the log entry or message box, the exit
// code, and what is left on disk and in the registry.
// Whatever fails, nothing the user had is lost: the settings file keeps every key
// the installation does not write, a failed conversion leaves it byte for byte as
// it was, and the user's other files and registry keys stay as they were.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/silent_road.h"
#include "install/install_driver.h"
#include "install/settings_conversion.h"
#include "platform/fake/fake_platform.h"
#include "res/string_table.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::fake::FakeFileSystem;
using platform::fake::FakeMachine;

constexpr char16_t kDestination[] = u"C:\\Program Files\\Lumora\\";
constexpr char16_t kViewer[] = u"C:\\Program Files\\Lumora\\l_mora64.exe";
constexpr char16_t kIconLibrary[] = u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll";
constexpr char16_t kUserNotes[] = u"C:\\Program Files\\Lumora\\my_notes.txt";
constexpr char16_t kScriptFolder[] = u"C:\\Deploy";
constexpr char16_t kLog[] = u"C:\\Deploy\\Lumora_Install.log";
constexpr char16_t kTemporaryArchive[] = u"C:\\users\\tester\\Temp\\lmora_x64.zip";
// A first installation into the default folder keeps its settings in %APPDATA%.
constexpr char16_t kSettings[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini";
constexpr char16_t kSettingsTemporary[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini_temp";
constexpr char16_t kClassCommandKey[] = u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command";
constexpr char16_t kUninstallKey[] = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
constexpr char16_t kUserKey[] = u"Software\\Lumora\\Viewer";

// The user's settings from an earlier use of the viewer: keys the installation does
// not write (it writes only [Language] and, without a skin, [Toolbar]), a skin of
// the user's own, and a name the ANSI code page holds only as a single byte.
const std::string kUserSettings =
    "[Others]\r\nUserKey=kept\r\n[Toolbar]\r\nSkin=Mine_32.png\r\nSize=32\r\n"
    "[Recent]\r\nFile1=C:\\Bilder\\Gr\xFC\xDF" "e.jpg\r\n";
const std::string kInstalledViewer = "the viewer of an earlier installation";
const std::string kInstalledIcons = "an icon library installed earlier";

std::string Payload() {
  return testing::MakeZipArchive({
      {"Plugins/", ""},
      {"l_mora64.exe", "MZ the new viewer"},
      {"Plugins/Icons.dll", "MZ the archive's icon library"},
      {"lm_uninstall.exe", "MZ the uninstaller"},
      {"Docs/readme.txt", std::string(600, 'r'), testing::kDefaultDosDateTime, 0},  // stored: corruptible
  });
}

// Forwards to the fake file system and lets a case inject a fault at the moment the
// installation reaches a stage: just before a given file is created or opened, or
// just after it is deleted.
class StagedFileSystem final : public platform::FileSystem {
 public:
  enum class Event { kCreate, kRemove, kOpenForReading };
  using Action = std::function<void()>;

  explicit StagedFileSystem(FakeFileSystem& files) : files_(files) {}
  // `action` runs once, at the first such event on a path that starts with
  // `pathPrefix` (compared as resolved, case-insensitively).
  void When(Event event, std::u16string pathPrefix, Action action) {
    triggers_.push_back({event, Upper(pathPrefix), std::move(action)});
  }

  bool GetCurrentFolder(std::u16string& folder) override { return files_.GetCurrentFolder(folder); }
  bool SetCurrentFolder(const std::u16string& folder) override { return files_.SetCurrentFolder(folder); }
  std::uint32_t CreateFolder(const std::u16string& folder) override { return files_.CreateFolder(folder); }
  std::unique_ptr<platform::OutputFile> CreateForWriting(const std::u16string& path) override {
    Reach(Event::kCreate, path);
    return files_.CreateForWriting(path);
  }
  std::unique_ptr<platform::OutputFile> OpenForAppending(const std::u16string& path) override {
    return files_.OpenForAppending(path);
  }
  std::unique_ptr<platform::InputFile> OpenForReading(const std::u16string& path) override {
    Reach(Event::kOpenForReading, path);
    return files_.OpenForReading(path);
  }
  bool RemoveFile(const std::u16string& path) override {
    const bool removed = files_.RemoveFile(path);
    Reach(Event::kRemove, path);
    return removed;
  }
  bool MoveFileReplacing(const std::u16string& from, const std::u16string& to) override {
    return files_.MoveFileReplacing(from, to);
  }
  bool SetFileTimesFromLocalDos(const std::u16string& path, std::uint32_t dosDateTime) override {
    return files_.SetFileTimesFromLocalDos(path, dosDateTime);
  }
  std::u16string GetTempFolder() override { return files_.GetTempFolder(); }

 private:
  struct Trigger {
    Event event;
    std::u16string prefix;
    Action action;
  };
  static std::u16string Upper(std::u16string text) {
    for (char16_t& unit : text)
      if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - 0x20);
    return text;
  }
  void Reach(Event event, const std::u16string& path) {
    const std::u16string resolved = Upper(files_.Resolve(path).value_or(path));
    for (Trigger& trigger : triggers_) {
      if (!trigger.action || trigger.event != event || resolved.compare(0, trigger.prefix.size(), trigger.prefix) != 0)
        continue;
      Action action = std::move(trigger.action);
      trigger.action = nullptr;
      action();
    }
  }
  FakeFileSystem& files_;
  std::vector<Trigger> triggers_;
};

// The machine of one run: the fakes, the staged file system in front of them, and the
// user's things from before the installation.
struct Campaign {
  FakeMachine machine;
  StagedFileSystem files{machine.files};
  platform::Platform platform{files, machine.registry, machine.profiles, machine.system, machine.shell,
                              machine.resources};
  std::u16string commandLine = u"lumora64_setup.exe /silent";
  // The settings file as the conversion found it when it opened it.
  std::optional<std::string> settingsBeforeConversion;
  // Takes back a fault that would keep the checks from reading what is left.
  std::function<void()> afterRun = [] {};

  Campaign() {
    machine.resources.payload = Payload();
    machine.registry.Put(RootKey::kLocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir",
                         u"C:\\Program Files");
    machine.registry.Put(RootKey::kCurrentUser, kUserKey, u"LastFolder", u"C:\\Bilder");
    machine.files.AddFile(kSettings, kUserSettings);
    machine.files.AddFile(kUserNotes, "the user's own notes");
    machine.files.AddFolder(kScriptFolder);
    machine.files.SetCurrentFolder(kScriptFolder);
    files.When(StagedFileSystem::Event::kOpenForReading, kSettings,
               [this] { settingsBeforeConversion = machine.files.ReadFile(kSettings); });
  }
  // Runs `action` when the conversion opens the settings file (after the snapshot).
  void AtConversion(std::function<void()> action) {
    files.When(StagedFileSystem::Event::kOpenForReading, kSettings, std::move(action));
  }
};

enum class Viewer {
  kAbsent,
  kNew,
  kEarlier,  // the file of the earlier installation, byte for byte
  kCutShort, // the start of the new viewer: the walk stopped while writing it
};
enum class Icons { kAbsent, kFromArchive, kInstalled };
enum class Settings {
  kAsTheUserHadThem,      // byte for byte
  kConverted,             // UTF-16 with the first-run defaults and every user key
  kAsBeforeConversion,    // byte for byte what the conversion found (ANSI, with defaults)
};
enum class Registration { kNone, kComplete, kWithoutUninstallEntry };

struct Outcome {
  int result;  // RunInstallation's; -1 when it is never called
  int exitCode;
  std::u16string logMessage;  // the message of the one log entry; empty: no log
  Viewer viewer;
  Icons icons;
  Settings settings;
  Registration registration;
};

struct FaultCase {
  const char* failurePoint;
  std::function<void(Campaign&)> inject;
  Outcome expected;
};

const std::u16string kInvalidDestination = u"" TEXT_INVALID_DESTINATION;
const std::u16string kCantCreate = u"" TEXT_CANT_CREATE_DESTINATION;
const std::u16string kCantInstall = u"" TEXT_CANT_INSTALL_FILES;
const std::u16string kViewerRunning = u"" TEXT_VIEWER_RUNNING;

std::vector<FaultCase> FaultCases() {
  using Event = StagedFileSystem::Event;
  const Outcome installed{1, kSilentExitInstalled, u"", Viewer::kNew, Icons::kFromArchive, Settings::kConverted,
                          Registration::kComplete};
  const Outcome notUnpacked{0, kSilentExitInstallationFailed, kDestination + (u": " + kCantInstall), Viewer::kAbsent,
                            Icons::kAbsent, Settings::kAsTheUserHadThem, Registration::kNone};
  Outcome conversionFailed = installed;
  conversionFailed.settings = Settings::kAsBeforeConversion;
  Outcome settingsNotWritable = installed;
  settingsNotWritable.settings = Settings::kAsTheUserHadThem;

  return {
      {"nothing fails", [](Campaign&) {}, installed},
      {"the viewer runs",
       [](Campaign& c) { c.machine.system.viewerRunning = true; },
       {-1, kSilentExitViewerRunning, kViewerRunning, Viewer::kAbsent, Icons::kAbsent, Settings::kAsTheUserHadThem,
        Registration::kNone}},
      {"empty destination folder",
       [](Campaign& c) { c.commandLine += u" /folder="; },
       {0, kSilentExitInstallationFailed, kInvalidDestination + u": ", Viewer::kAbsent, Icons::kAbsent,
        Settings::kAsTheUserHadThem, Registration::kNone}},
      {"destination folder denied",
       [](Campaign& c) { c.machine.files.DenyAccess(u"C:\\Program Files"); },
       {0, kSilentExitInstallationFailed, kCantCreate + u": " + kDestination, Viewer::kAbsent, Icons::kAbsent,
        Settings::kAsTheUserHadThem, Registration::kNone}},
      {"destination on a missing drive",
       [](Campaign& c) { c.commandLine += u" /folder=Q:\\Lumora"; },
       {0, kSilentExitInstallationFailed, kCantCreate + u": Q:\\Lumora\\", Viewer::kAbsent, Icons::kAbsent,
        Settings::kAsTheUserHadThem, Registration::kNone}},
      {"no temporary folder",
       [](Campaign& c) { c.machine.files.SetTempFolder(u"C:\\users\\tester\\NoSuchTemp\\"); }, notUnpacked},
      {"disk full for the temporary archive",
       [](Campaign& c) { c.machine.files.SetFreeSpace(c.machine.resources.payload->size() - 1); }, notUnpacked},
      {"truncated archive",
       [](Campaign& c) { c.machine.resources.payload->resize(c.machine.resources.payload->size() / 2); },
       notUnpacked},
      {"disk full while unpacking",
       [](Campaign& c) { c.files.When(Event::kCreate, kDestination, [&c] { c.machine.files.SetFreeSpace(4); }); },
       {0, kSilentExitInstallationFailed, kDestination + (u": " + kCantInstall), Viewer::kCutShort, Icons::kAbsent,
        Settings::kAsTheUserHadThem, Registration::kNone}},
      {"CRC error in the last entry",
       [](Campaign& c) { testing::CorruptFirstOccurrence(*c.machine.resources.payload, std::string(600, 'r')); },
       {0, kSilentExitInstallationFailed, kDestination + (u": " + kCantInstall), Viewer::kNew, Icons::kFromArchive,
        Settings::kAsTheUserHadThem, Registration::kNone}},
      {"viewer file locked by a running copy",
       [](Campaign& c) {
         c.machine.files.AddFile(kViewer, kInstalledViewer);
         c.machine.files.LockFile(kViewer);
       },
       {1, kSilentExitInstalled, u"", Viewer::kEarlier, Icons::kFromArchive, Settings::kConverted,
        Registration::kComplete}},
      {"newer icon library installed",
       [](Campaign& c) {
         c.machine.files.AddFile(kIconLibrary, kInstalledIcons);
         c.machine.system.versionResources[kIconLibrary] = platform::VersionResource{0x00050000, 0, 0, 0, u"Dravenko"};
       },
       {1, kSilentExitInstalled, u"", Viewer::kNew, Icons::kInstalled, Settings::kConverted, Registration::kComplete}},
      {"no version.dll: the installed icon library cannot be judged and is replaced",
       [](Campaign& c) {
         c.machine.files.AddFile(kIconLibrary, kInstalledIcons);
         c.machine.system.versionResources[kIconLibrary] = platform::VersionResource{0x00050000, 0, 0, 0, u"Dravenko"};
         c.machine.system.versionLibraryMissing = true;
       },
       installed},
      {"disk full after unpacking: no settings written",
       [](Campaign& c) {
         c.files.When(Event::kRemove, kTemporaryArchive, [&c] { c.machine.files.SetFreeSpace(0); });
       },
       settingsNotWritable},
      {"settings file read-only",
       [](Campaign& c) { c.machine.files.LockFile(kSettings); }, settingsNotWritable},
      {"settings file unreadable",
       [](Campaign& c) { c.machine.files.DenyAccess(kSettings); }, settingsNotWritable},
      {"settings file with a read error part way (a bad sector)",
       [](Campaign& c) { c.machine.files.FailReadsAfter(kSettings, 10); }, settingsNotWritable},
      {"disk full during the conversion",
       [](Campaign& c) { c.AtConversion([&c] { c.machine.files.SetFreeSpace(64); }); }, conversionFailed},
      {"conversion read fails half way",
       [](Campaign& c) {
         c.AtConversion([&c] { c.machine.files.FailReadsAfter(kSettings, c.settingsBeforeConversion->size() / 2); });
         c.afterRun = [&c] { c.machine.files.FailReadsAfter(kSettings, UINT64_MAX); };
       },
       conversionFailed},
      {"conversion cannot replace the settings file",
       [](Campaign& c) { c.AtConversion([&c] { c.machine.files.FailMoves(true); }); }, conversionFailed},
      {"access denied under HKEY_LOCAL_MACHINE",
       [](Campaign& c) { c.machine.registry.DenyWrites(RootKey::kLocalMachine); },
       {1, kSilentExitInstalled, u"", Viewer::kNew, Icons::kFromArchive, Settings::kConverted, Registration::kNone}},
      {"uninstall key denied",
       [](Campaign& c) { c.machine.registry.DenyKey(RootKey::kLocalMachine, kUninstallKey); },
       {1, kSilentExitInstalled, u"", Viewer::kNew, Icons::kFromArchive, Settings::kConverted,
        Registration::kWithoutUninstallEntry}},
  };
}

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}

// The log's one entry, as the message it carries: what lies between the time field
// and the separator line. Empty when there is no log.
std::u16string LoggedMessage(const FakeFileSystem& files) {
  const std::optional<std::string> log = files.ReadFile(kLog);
  if (!log) return u"";
  const std::string separator = "\r\n" + std::string(48, '-') + "\r\n";
  const std::size_t start = log->find(": ") + 2;
  EXPECT_EQ(log->size() - log->find(separator), separator.size()) << "more than one entry: " << *log;
  std::u16string message;
  for (std::size_t i = start; i < log->find(separator); ++i)
    if ((*log)[i] != '\r') message.push_back(static_cast<unsigned char>((*log)[i]));
  return message;
}

std::string UnicodeHeaderBytes() {
  std::string bytes = "\xFF\xFE";
  for (const char16_t* unit = kUnicodeFileHeader; *unit != 0; ++unit) {
    bytes.push_back(static_cast<char>(*unit & 0xFF));
    bytes.push_back(static_cast<char>(*unit >> 8));
  }
  return bytes;
}

std::u16string SettingsValue(Campaign& c, const char16_t* section, const char16_t* key) {
  return c.machine.profiles.GetString(section, key, u"(missing)", 260, kSettings);
}

void ExpectUserThingsKept(Campaign& c) {
  // The settings file may be unreadable to the fake's INI reader by design of the
  // case; the bytes are checked by the settings outcome then.
  EXPECT_EQ(c.machine.files.ReadFile(kUserNotes), "the user's own notes");
  const auto lastFolder = c.machine.registry.GetValue(RootKey::kCurrentUser, kUserKey, u"LastFolder");
  ASSERT_TRUE(lastFolder.has_value());
  EXPECT_EQ(lastFolder->text, u"C:\\Bilder");
  EXPECT_FALSE(c.machine.files.FileExists(kTemporaryArchive));
}

void ExpectSettings(Campaign& c, Settings expected) {
  const std::string after = c.machine.files.ReadFile(kSettings).value_or("(gone)");
  switch (expected) {
    case Settings::kAsTheUserHadThem:
      EXPECT_EQ(after, kUserSettings);
      return;
    case Settings::kAsBeforeConversion:
      ASSERT_TRUE(c.settingsBeforeConversion.has_value()) << "the conversion never opened the settings file";
      EXPECT_EQ(after, *c.settingsBeforeConversion);
      EXPECT_NE(after, kUserSettings) << "the defaults were not written before the conversion";
      break;
    case Settings::kConverted:
      EXPECT_EQ(after.compare(0, UnicodeHeaderBytes().size(), UnicodeHeaderBytes()), 0) << "not converted";
      EXPECT_FALSE(c.machine.files.FileExists(kSettingsTemporary));
      break;
  }
  // Every key of the user's is still there, and the installation's own keys are in.
  EXPECT_EQ(SettingsValue(c, u"Others", u"UserKey"), u"kept");
  EXPECT_EQ(SettingsValue(c, u"Toolbar", u"Skin"), u"Mine_32.png");
  EXPECT_EQ(SettingsValue(c, u"Toolbar", u"Size"), u"32");
  EXPECT_EQ(SettingsValue(c, u"Recent", u"File1"), u"C:\\Bilder\\Gr\u00FC\u00DFe.jpg");
  EXPECT_EQ(SettingsValue(c, u"Language", u"Lang"), u"English");
}

void ExpectRegistration(Campaign& c, Registration expected) {
  const bool classRegistered = c.machine.registry.GetValue(RootKey::kLocalMachine, kClassCommandKey, u"").has_value();
  const bool uninstallEntry = c.machine.registry.GetValue(RootKey::kLocalMachine, kUninstallKey, u"DisplayName").has_value();
  EXPECT_EQ(classRegistered, expected != Registration::kNone);
  EXPECT_EQ(uninstallEntry, expected == Registration::kComplete);
}

// What the run left on disk and in the registry, and that nothing of the user's went.
void ExpectLeftBehind(Campaign& c, const Outcome& expected) {
  const std::optional<std::string> viewer = c.machine.files.ReadFile(kViewer);
  switch (expected.viewer) {
    case Viewer::kAbsent: EXPECT_FALSE(viewer.has_value()); break;
    case Viewer::kNew: EXPECT_EQ(viewer, "MZ the new viewer"); break;
    case Viewer::kEarlier: EXPECT_EQ(viewer, kInstalledViewer); break;
    case Viewer::kCutShort:
      ASSERT_TRUE(viewer.has_value());
      EXPECT_LT(viewer->size(), std::string("MZ the new viewer").size());
      EXPECT_EQ(std::string("MZ the new viewer").compare(0, viewer->size(), *viewer), 0);
      break;
  }
  const std::optional<std::string> icons = c.machine.files.ReadFile(kIconLibrary);
  switch (expected.icons) {
    case Icons::kAbsent: EXPECT_FALSE(icons.has_value()); break;
    case Icons::kFromArchive: EXPECT_EQ(icons, "MZ the archive's icon library"); break;
    case Icons::kInstalled: EXPECT_EQ(icons, kInstalledIcons); break;
  }
  ExpectSettings(c, expected.settings);
  ExpectRegistration(c, expected.registration);
  ExpectUserThingsKept(c);
}

// A wizard run shows the failure's string-table text alone, where a silent run logs
// it with the folder.
std::u16string WizardMessage(const std::u16string& logMessage) {
  for (const std::u16string& text : {kInvalidDestination, kCantCreate, kCantInstall})
    if (logMessage.find(text) != std::u16string::npos) return text;
  return u"";
}

TEST(FaultCampaign, EveryFailurePointHasItsOutcomeAndNothingOfTheUsersIsLost) {
  for (const FaultCase& fault : FaultCases()) {
    SCOPED_TRACE(fault.failurePoint);
    const Outcome& expected = fault.expected;
    std::optional<SetupOptions> parsed;
    {
      SCOPED_TRACE("silent run");
      Campaign c;
      fault.inject(c);
      int result = -1;
      const int exitCode = RunSilentRoad(c.platform, c.commandLine, [&](SetupOptions& options) {
        parsed = options;
        result = RunInstallation(c.platform, options);
        return result;
      });
      c.afterRun();
      EXPECT_EQ(result, expected.result);
      EXPECT_EQ(exitCode, expected.exitCode);
      EXPECT_EQ(Narrow(LoggedMessage(c.machine.files)), Narrow(expected.logMessage));
      EXPECT_TRUE(c.machine.resources.shownMessages.empty());
      ExpectLeftBehind(c, expected);
    }
    if (!parsed) continue;  // refused before any installation: the wizard checks this on its pages
    {
      SCOPED_TRACE("wizard run with the same choices");
      Campaign c;
      fault.inject(c);
      SetupOptions options = *parsed;
      options.silent = 0;
      EXPECT_EQ(RunInstallation(c.platform, options), expected.result);
      c.afterRun();
      const auto& shown = c.machine.resources.shownMessages;
      if (expected.result == 0) {
        EXPECT_EQ(shown.size(), 1u);
        for (const auto& message : shown) {
          EXPECT_EQ(Narrow(message.text), Narrow(WizardMessage(expected.logMessage)));
          EXPECT_EQ(message.caption, u"Lumora 64-bit Setup");
          EXPECT_EQ(message.type, platform::kMbIconError);
        }
      } else {
        EXPECT_TRUE(shown.empty());
      }
      EXPECT_FALSE(c.machine.files.FileExists(kLog));
      ExpectLeftBehind(c, expected);
    }
  }
}

}  // namespace
}  // namespace lumora
