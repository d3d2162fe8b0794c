// Writing the INI redirection and the first-run defaults: which key goes into which
// file, in which order, and where the settings end up.
#include "install/viewer_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::fake::FakeMachine;

constexpr char16_t kDestination[] = u"C:\\Program Files\\Lumora\\";
constexpr char16_t kProgramFile[] = u"C:\\Program Files\\Lumora\\l_mora64.ini";
constexpr char16_t kAppDataFile[] = u"C:\\users\\tester\\AppData\\Roaming\\Lumora\\l_mora64.ini";

struct ProfileWrite {
  std::u16string section, key;
  std::optional<std::u16string> value;
  std::u16string file;
  bool operator==(const ProfileWrite&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ProfileWrite& write) {
  auto narrow = [](const std::u16string& text) {
    std::string bytes;
    for (char16_t c : text) bytes.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return bytes;
  };
  return out << "[" << narrow(write.section) << "] " << narrow(write.key) << "="
             << (write.value ? narrow(*write.value) : "(deleted)") << " in " << narrow(write.file);
}

// Records every write on its way to the fake INI files.
class RecordingProfiles : public platform::ProfileFiles {
 public:
  explicit RecordingProfiles(platform::ProfileFiles& inner) : inner_(inner) {}
  bool WriteString(const std::u16string& section, const std::u16string& key,
                   const std::optional<std::u16string>& value, const std::u16string& file) override {
    writes.push_back({section, key, value, file});
    return inner_.WriteString(section, key, value, file);
  }
  std::u16string GetString(const std::u16string& section, const std::u16string& key,
                           const std::u16string& defaultValue, std::uint32_t capacity,
                           const std::u16string& file) override {
    return inner_.GetString(section, key, defaultValue, capacity, file);
  }
  std::vector<ProfileWrite> writes;

 private:
  platform::ProfileFiles& inner_;
};

class ViewerSettings : public ::testing::Test {
 protected:
  ViewerSettings() {
    machine.files.AddFolder(kDestination);
    machine.registry.Put(platform::RootKey::kLocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion",
                         u"ProgramFilesDir", u"C:\\Program Files");
  }
  std::u16string Write(const std::u16string& destination, std::u16string& iniFolder, std::int32_t silent) {
    return WriteViewerSettings(platform, destination, iniFolder, silent);
  }
  std::u16string Key(const std::u16string& section, const std::u16string& key, const std::u16string& file) {
    return machine.profiles.GetString(section, key, u"(none)", 600, file);
  }

  FakeMachine machine;
  RecordingProfiles profiles{machine.profiles};
  platform::Platform platform{machine.files, machine.registry, profiles, machine.system, machine.shell,
                              machine.resources};
};

TEST_F(ViewerSettings, RedirectionWritesTheUnexpandedFolderBesideTheViewerAndTheSettingsInTheFolder) {
  std::u16string iniFolder = u"%APPDATA%\\Lumora";
  EXPECT_EQ(Write(kDestination, iniFolder, 0), kAppDataFile);
  EXPECT_TRUE(machine.files.FolderExists(u"C:\\users\\tester\\AppData\\Roaming\\Lumora"));
  const std::vector<ProfileWrite> expected = {
      {u"Others", u"INI_Folder", u"%APPDATA%\\Lumora", kProgramFile},
      {u"Language", u"DLL", u"ENGLISH", kAppDataFile},
      {u"Language", u"Lang", u"English", kAppDataFile},
      {u"Toolbar", u"Skin", u"Granite_24.png", kAppDataFile},
      {u"Toolbar", u"Size", u"24", kAppDataFile},
  };
  EXPECT_EQ(profiles.writes, expected);
  EXPECT_EQ(machine.files.ReadFile(kProgramFile), "[Others]\r\nINI_Folder=%APPDATA%\\Lumora\r\n");
  EXPECT_EQ(machine.files.ReadFile(kAppDataFile),
            "[Language]\r\nDLL=ENGLISH\r\nLang=English\r\n[Toolbar]\r\nSkin=Granite_24.png\r\nSize=24\r\n");
}

TEST_F(ViewerSettings, AnEmptyIniFolderRemovesTheRedirection) {
  machine.files.AddFile(kProgramFile, "[Others]\r\nINI_Folder=D:\\Old\r\nKeep=1\r\n");
  std::u16string iniFolder;
  EXPECT_EQ(Write(kDestination, iniFolder, 0), kProgramFile);
  EXPECT_EQ(iniFolder, u"");
  const std::vector<ProfileWrite> expected = {
      {u"Others", u"INI_Folder", std::nullopt, kProgramFile},
      {u"Language", u"DLL", u"ENGLISH", kProgramFile},
      {u"Language", u"Lang", u"English", kProgramFile},
      {u"Toolbar", u"Skin", u"Granite_24.png", kProgramFile},
      {u"Toolbar", u"Size", u"24", kProgramFile},
  };
  EXPECT_EQ(profiles.writes, expected);
  EXPECT_EQ(Key(u"Others", u"INI_Folder", kProgramFile), u"(none)");
  EXPECT_EQ(Key(u"Others", u"Keep", kProgramFile), u"1");
}

struct SilentDefaultCase {
  const char* name;
  std::u16string destination;
  std::int32_t silent;
  std::optional<std::u16string> programFilesDir;
  bool redirected;
  std::u16string programFile;
};

TEST_F(ViewerSettings, SilentRunIntoTheDefaultFolderRedirectsToApplicationData) {
  const SilentDefaultCase cases[] = {
      {"default folder", u"C:\\Program Files\\Lumora\\", 1, u"C:\\Program Files", true, kProgramFile},
      {"without backslash", u"C:\\Program Files\\Lumora", 1, u"C:\\Program Files", true, kProgramFile},
      {"below it, with blanks", u"C:\\Program Files\\Lumora\\Beta  ", 1, u"C:\\Program Files", true, u"C:\\Program Files\\Lumora\\Beta\\l_mora64.ini"},
      {"lower case", u"c:\\program files\\lumora\\", 1, u"C:\\Program Files", false, u"c:\\program files\\lumora\\l_mora64.ini"},
      {"elsewhere", u"C:\\Tools\\Lumora\\", 1, u"C:\\Program Files", false, u"C:\\Tools\\Lumora\\l_mora64.ini"},
      {"wizard run", u"C:\\Program Files\\Lumora\\", 0, u"C:\\Program Files", false, kProgramFile},
      {"fallback folder", u"C:\\Lumora\\", 1, std::nullopt, true, u"C:\\Lumora\\l_mora64.ini"},
      {"fallback folder needs its backslash", u"C:\\Lumora", 1, std::nullopt, false, u"C:\\Lumora\\l_mora64.ini"},
  };
  for (const SilentDefaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMachine fresh;
    if (c.programFilesDir)
      fresh.registry.Put(platform::RootKey::kLocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion",
                         u"ProgramFilesDir", *c.programFilesDir);
    fresh.files.AddFolder(c.destination);
    std::u16string iniFolder;
    const std::u16string active = WriteViewerSettings(fresh.platform, c.destination, iniFolder, c.silent);
    EXPECT_EQ(iniFolder, c.redirected ? u"%APPDATA%\\Lumora" : u"");
    EXPECT_EQ(active == kAppDataFile, c.redirected);
    EXPECT_EQ(fresh.profiles.GetString(u"Others", u"INI_Folder", u"(none)", 260, c.programFile),
              c.redirected ? u"%APPDATA%\\Lumora" : u"(none)");
    EXPECT_EQ(fresh.profiles.GetString(u"Language", u"DLL", u"", 260, active), u"ENGLISH");
  }
}

TEST_F(ViewerSettings, SilentRunKeepsAnIniFolderItWasGiven) {
  std::u16string iniFolder = u"C:\\Settings";
  EXPECT_EQ(Write(kDestination, iniFolder, 1), u"C:\\Settings\\l_mora64.ini");
  EXPECT_EQ(iniFolder, u"C:\\Settings");
}

TEST_F(ViewerSettings, TrimsTheDestinationAndGivesItItsBackslash) {
  for (const std::u16string destination :
       {u"C:\\Program Files\\Lumora  ", u"  C:\\Program Files\\Lumora\\ ", u"C:\\Program Files\\Lumora"}) {
    std::u16string iniFolder;
    EXPECT_EQ(Write(destination, iniFolder, 0), kProgramFile);
  }
  EXPECT_EQ(machine.files.ListFiles(), std::vector<std::u16string>{kProgramFile});
}

struct ActiveFileCase {
  const char* name;
  std::u16string iniFolder;
  std::u16string activeFile;
};

TEST_F(ViewerSettings, TheActiveFileFollowsTheExpandedIniFolder) {
  const std::u16string longestFolder = u"C:\\" + std::u16string(255, u'l');  // 258 units
  const ActiveFileCase cases[] = {
      {"plain folder", u"C:\\Settings", u"C:\\Settings\\l_mora64.ini"},
      {"with backslash", u"C:\\Settings\\", u"C:\\Settings\\l_mora64.ini"},
      {"expanded", u"%APPDATA%\\Lumora", kAppDataFile},
      // the settings stay beside the viewer; the viewer still reads the redirection
      {"expands to nothing", u"%UNDEFINED%", kProgramFile},
      {"blanks only", u"   ", kProgramFile},
      {"refused", u"%" + std::u16string(261, u'N') + u"%\\x", kProgramFile},
      {"longest folder", longestFolder, longestFolder + u"\\l_mora64.ini"},
      // too long for a folder: never cut, nor glued to the file name
      {"too long", longestFolder + u"l", kProgramFile},
      {"far too long", u"C:\\" + std::u16string(400, u'l'), kProgramFile},
  };
  for (const ActiveFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    profiles.writes.clear();
    std::u16string iniFolder = c.iniFolder;
    EXPECT_EQ(Write(kDestination, iniFolder, 0), c.activeFile);
    EXPECT_EQ(iniFolder, c.iniFolder);
    ASSERT_GE(profiles.writes.size(), 3u);
    EXPECT_EQ(profiles.writes[0], (ProfileWrite{u"Others", u"INI_Folder", c.iniFolder, kProgramFile}));
    EXPECT_EQ(profiles.writes[1], (ProfileWrite{u"Language", u"DLL", u"ENGLISH", c.activeFile}));
  }
}

TEST_F(ViewerSettings, ASkinAlreadyNamedKeepsTheToolbarButLanguageBecomesEnglish) {
  machine.files.AddFile(kProgramFile, "[Language]\r\nDLL=DEUTSCH\r\nLang=Deutsch\r\n[Toolbar]\r\nSkin=Pebble_16.png\r\n");
  std::u16string iniFolder;
  Write(kDestination, iniFolder, 0);
  EXPECT_EQ(machine.files.ReadFile(kProgramFile),
            "[Language]\r\nDLL=ENGLISH\r\nLang=English\r\n[Toolbar]\r\nSkin=Pebble_16.png\r\n");
}

TEST_F(ViewerSettings, AnEmptySkinCountsAsNone) {
  machine.files.AddFile(kProgramFile, "[Toolbar]\r\nSkin=\r\nSize=16\r\n");
  machine.system.fullScreenHeight = 1600;
  std::u16string iniFolder;
  Write(kDestination, iniFolder, 0);
  EXPECT_EQ(Key(u"Toolbar", u"Skin", kProgramFile), u"gnome-colors-human_48.png");
  EXPECT_EQ(Key(u"Toolbar", u"Size", kProgramFile), u"48");
}

struct PortableCase {
  const char* name;
  std::u16string destination;
  std::u16string iniFolder;
  bool programFileGetsToolbar;
};

TEST_F(ViewerSettings, PortableAppLayoutsGiveTheProgramFolderFileTheDefaultSkin) {
  const PortableCase cases[] = {
      {"64-bit layout", u"C:\\Apps\\Lumora64_App\\App\\", u"C:\\Apps\\Lumora64_App\\Data", true},
      {"32-bit layout", u"C:\\Apps\\Lumora32_App\\App\\", u"C:\\Apps\\Lumora32_App\\Data", true},
      {"marker only in the destination", u"C:\\Apps\\Lumora64_App\\App\\", u"C:\\Apps\\Data", false},
      {"letter case differs", u"C:\\Apps\\lumora64_app\\App\\", u"C:\\Apps\\lumora64_app\\Data", false},
      {"not redirected", u"C:\\Apps\\Lumora64_App\\App\\", u"", false},
  };
  for (const PortableCase& c : cases) {
    SCOPED_TRACE(c.name);
    FakeMachine fresh;
    fresh.system.fullScreenHeight = 1600;
    fresh.files.AddFolder(c.destination);
    std::u16string iniFolder = c.iniFolder;
    const std::u16string active = WriteViewerSettings(fresh.platform, c.destination, iniFolder, 0);
    const std::u16string programFile = c.destination + u"l_mora64.ini";
    EXPECT_EQ(fresh.profiles.GetString(u"Toolbar", u"Skin", u"", 260, active), u"gnome-colors-human_48.png");
    if (active == programFile) continue;
    EXPECT_EQ(fresh.profiles.GetString(u"Toolbar", u"Skin", u"(none)", 260, programFile),
              c.programFileGetsToolbar ? u"Granite_24.png" : u"(none)");
    EXPECT_EQ(fresh.profiles.GetString(u"Toolbar", u"Size", u"(none)", 260, programFile),
              c.programFileGetsToolbar ? u"24" : u"(none)");
  }
}

TEST_F(ViewerSettings, PortableProgramFolderFileKeysComeAfterTheActiveFile) {
  const std::u16string destination = u"C:\\Apps\\Lumora64_App\\App\\";
  const std::u16string programFile = destination + u"l_mora64.ini";
  const std::u16string activeFile = u"C:\\Apps\\Lumora64_App\\Data\\l_mora64.ini";
  machine.files.AddFolder(destination);
  machine.system.displayDpiX = 144;
  std::u16string iniFolder = u"C:\\Apps\\Lumora64_App\\Data";
  EXPECT_EQ(Write(destination, iniFolder, 0), activeFile);
  const std::vector<ProfileWrite> expected = {
      {u"Others", u"INI_Folder", iniFolder, programFile},
      {u"Language", u"DLL", u"ENGLISH", activeFile},
      {u"Language", u"Lang", u"English", activeFile},
      {u"Toolbar", u"Skin", u"gnome-colors-wise_32.png", activeFile},
      {u"Toolbar", u"Size", u"32", activeFile},
      {u"Toolbar", u"Skin", u"Granite_24.png", programFile},
      {u"Toolbar", u"Size", u"24", programFile},
  };
  EXPECT_EQ(profiles.writes, expected);
}

TEST_F(ViewerSettings, APortableFileThatNamesASkinGetsNoToolbarKeysAnywhere) {
  const std::u16string destination = u"C:\\Apps\\Lumora64_App\\App\\";
  machine.files.AddFolder(destination);
  machine.files.AddFile(u"C:\\Apps\\Lumora64_App\\Data\\l_mora64.ini", "[Toolbar]\r\nSkin=Pebble_16.png\r\n");
  std::u16string iniFolder = u"C:\\Apps\\Lumora64_App\\Data";
  Write(destination, iniFolder, 0);
  for (const ProfileWrite& write : profiles.writes) EXPECT_NE(write.section, u"Toolbar") << write;
}

}  // namespace
}  // namespace lumora
