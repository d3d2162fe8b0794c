#include "install/install_driver.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "res/string_table.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using platform::fake::FakeMachine;
using testing::CorruptFirstOccurrence;
using testing::MakeZipArchive;

constexpr char16_t kLogPath[] = u"C:\\Lumora_Install.log";
const std::string kSeparator = "------------------------------------------------\r\n";

// The log bytes of one entry at the fake machine's clock (12/11/2026 07:05:09).
std::string LogEntry(const std::u16string& message) {
  std::string entry = "12/11/2026 - 07:05:09: ";
  for (const char16_t unit : message) {
    if (unit == u'\n') {
      entry += "\r\n";
    } else {
      entry.push_back(static_cast<char>(unit));
    }
  }
  return entry + "\r\n" + kSeparator;
}

std::string SmallPayload() {
  return MakeZipArchive({{"l_mora64.exe", "viewer"}, {"Plugins/Icons.dll", "new icons"}, {"Plugins/", ""}});
}

struct FailureCase {
  const char* what;
  std::u16string destination;
  std::function<void(FakeMachine&)> arrange;
  std::u16string message;  // the text in a message box
  std::u16string logged;   // the message of the log entry
};

std::vector<FailureCase> FailureCases() {
  const std::u16string invalid = u"" TEXT_INVALID_DESTINATION;
  const std::u16string cantCreate = u"" TEXT_CANT_CREATE_DESTINATION;
  const std::u16string cantInstall = u"" TEXT_CANT_INSTALL_FILES;
  return {
      {"empty destination", u"", [](FakeMachine&) {}, invalid, invalid + u": "},
      {"destination of blanks only", u"   ", [](FakeMachine&) {}, cantCreate, cantCreate + u": "},
      {"destination on a missing drive", u"Q:\\Lumora", [](FakeMachine&) {}, cantCreate,
       cantCreate + u": Q:\\Lumora\\"},
      {"no payload", u"C:\\Lumora", [](FakeMachine& m) { m.resources.payload.reset(); }, cantInstall,
       u"C:\\Lumora\\: " + cantInstall},
      {"payload with a CRC mismatch", u" C:\\Lumora ",
       [](FakeMachine& m) {
         std::string archive = MakeZipArchive({{"l_mora64.exe", std::string(500, 'v'), testing::kDefaultDosDateTime, 0}});
         CorruptFirstOccurrence(archive, std::string(500, 'v'));
         m.resources.payload = archive;
       },
       cantInstall, u"C:\\Lumora\\: " + cantInstall},
  };
}

std::unique_ptr<FakeMachine> MakeMachine() {
  auto machine = std::make_unique<FakeMachine>();
  machine->resources.payload = SmallPayload();
  return machine;
}

SetupOptions Options(const std::u16string& destination, std::int32_t silent) {
  SetupOptions options;
  options.destinationFolder = destination;
  options.silent = silent;
  return options;
}

TEST(RunInstallation, SilentFailureWritesOneLogEntryWhereTheRunStarted) {
  for (const FailureCase& c : FailureCases()) {
    SCOPED_TRACE(c.what);
    auto machine = MakeMachine();
    c.arrange(*machine);
    SetupOptions options = Options(c.destination, 1);
    EXPECT_EQ(RunInstallation(machine->platform, options), 0);
    EXPECT_EQ(machine->files.ReadFile(kLogPath), LogEntry(c.logged));
    EXPECT_TRUE(machine->resources.shownMessages.empty());
    EXPECT_EQ(machine->files.CurrentFolder(), u"C:\\");
  }
}

TEST(RunInstallation, WizardFailureShowsOneErrorBoxAndLogsNothing) {
  for (const FailureCase& c : FailureCases()) {
    SCOPED_TRACE(c.what);
    auto machine = MakeMachine();
    c.arrange(*machine);
    SetupOptions options = Options(c.destination, 0);
    EXPECT_EQ(RunInstallation(machine->platform, options), 0);
    ASSERT_EQ(machine->resources.shownMessages.size(), 1u);
    const platform::fake::ShownMessage& shown = machine->resources.shownMessages.front();
    EXPECT_EQ(shown.text, c.message);
    EXPECT_EQ(shown.caption, u"Lumora 64-bit Setup");
    EXPECT_EQ(shown.type, platform::kMbIconError);
    EXPECT_FALSE(machine->files.FileExists(kLogPath));
  }
}

TEST(RunInstallation, SuccessInstallsAndReportsNothing) {
  for (const std::int32_t silent : {0, 1}) {
    SCOPED_TRACE(silent);
    auto machine = MakeMachine();
    SetupOptions options = Options(u"C:\\Program Files\\Lumora", silent);
    EXPECT_EQ(RunInstallation(machine->platform, options), 1);
    EXPECT_EQ(machine->files.ReadFile(u"C:\\Program Files\\Lumora\\l_mora64.exe"), "viewer");
    EXPECT_EQ(machine->files.ReadFile(u"C:\\Program Files\\Lumora\\Plugins\\Icons.dll"), "new icons");
    EXPECT_EQ(options.destinationFolder, u"C:\\Program Files\\Lumora");  // the record keeps its own text
    EXPECT_EQ(machine->files.CurrentFolder(), u"C:\\Program Files\\Lumora");
    EXPECT_TRUE(machine->resources.shownMessages.empty());
    for (const std::u16string& path : machine->files.ListFiles()) {
      EXPECT_EQ(path.find(u"Lumora_Install.log"), std::u16string::npos) << std::string(path.begin(), path.end());
    }
  }
}

TEST(RunInstallation, IconLibraryRuleLooksInsideThePluginFolder) {
  struct Case {
    const char* what;
    std::uint32_t productMinor;  // 4.x with file build 1: 4.51 or 4.21
    const char* installedAfter;
  };
  const std::vector<Case> cases = {
      {"newer library stays", 5, "installed icons"},
      {"maker's older library is replaced", 2, "new icons"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto machine = MakeMachine();
    machine->files.AddFile(u"C:\\Lumora\\Plugins\\Icons.dll", "installed icons");
    platform::VersionResource version;
    version.productVersionMS = 4u << 16 | c.productMinor;
    version.fileVersionLS = 1u << 16;
    version.companyName = u"Dravenko";
    machine->system.versionResources[u"C:\\Lumora\\Plugins\\Icons.dll"] = version;
    // Typed without a trailing backslash: the library is Plugins\Icons.dll inside it.
    SetupOptions options = Options(u"C:\\Lumora", 1);
    EXPECT_EQ(RunInstallation(machine->platform, options), 1);
    EXPECT_EQ(machine->files.ReadFile(u"C:\\Lumora\\Plugins\\Icons.dll"), c.installedAfter);
    EXPECT_EQ(machine->files.ReadFile(u"C:\\Lumora\\l_mora64.exe"), "viewer");
  }
}

TEST(RunInstallation, PluginFolderIsMadeEvenWithoutAnEntryOfItsOwn) {
  auto machine = MakeMachine();
  machine->resources.payload = MakeZipArchive({{"l_mora64.exe", "viewer"}});
  SetupOptions options = Options(u"C:\\Lumora", 1);
  EXPECT_EQ(RunInstallation(machine->platform, options), 1);
  EXPECT_TRUE(machine->files.FolderExists(u"C:\\Lumora\\Plugins"));
}

TEST(RunInstallation, SettingsAreWrittenAndEndInUtf16) {
  auto machine = MakeMachine();
  SetupOptions options = Options(u"C:\\Lumora", 1);
  EXPECT_EQ(RunInstallation(machine->platform, options), 1);
  const std::optional<std::string> settings = machine->files.ReadFile(u"C:\\Lumora\\l_mora64.ini");
  ASSERT_TRUE(settings.has_value());
  EXPECT_EQ(settings->substr(0, 4), std::string("\xFF\xFE;\0", 4));
}

// Message boxes that look at the settings file at the moment they are shown.
class SettingsWatchingResources : public platform::fake::FakeResources {
 public:
  SettingsWatchingResources(platform::fake::FakeFileSystem& files, std::u16string iniPath)
      : files_(files), iniPath_(std::move(iniPath)) {}
  int ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) override {
    settingsWhenShown.push_back(files_.ReadFile(iniPath_));
    return FakeResources::ShowMessageBox(text, caption, type);
  }
  std::vector<std::optional<std::string>> settingsWhenShown;

 private:
  platform::fake::FakeFileSystem& files_;
  std::u16string iniPath_;
};

TEST(RunInstallation, WizardAsksBeforeChangingAssociationsAndGoesOnWhateverTheAnswer) {
  struct Case {
    const char* what;
    std::int32_t silent;
    std::int32_t registerAssociations;
    std::deque<int> answers;
    bool asked;
  };
  const std::vector<Case> cases = {
      {"wizard with associations, answer No", 0, 1, {platform::kIdNo}, true},
      {"wizard with associations, answer Yes", 0, 1, {platform::kIdYes}, true},
      {"wizard without associations", 0, 0, {}, false},
      {"silent run with associations", 1, 1, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeMachine machine;
    SettingsWatchingResources resources(machine.files, u"C:\\Lumora\\l_mora64.ini");
    resources.payload = SmallPayload();
    resources.answers = c.answers;
    platform::Platform platform{machine.files, machine.registry, machine.profiles,
                                machine.system, machine.shell,    resources};
    SetupOptions options = Options(u"C:\\Lumora", c.silent);
    options.registerAssociations = c.registerAssociations;
    SelectImageRows(options.associations);

    EXPECT_EQ(RunInstallation(platform, options), 1);
    if (!c.asked) {
      EXPECT_TRUE(resources.shownMessages.empty());
      continue;
    }
    ASSERT_EQ(resources.shownMessages.size(), 1u);
    EXPECT_EQ(resources.shownMessages[0].text, u"" TEXT_ASSOCIATION_QUESTION);
    EXPECT_EQ(resources.shownMessages[0].caption, u"Lumora 64-bit Setup");
    EXPECT_EQ(resources.shownMessages[0].type, platform::kMbQuestionYesNoDefaultNo);
    // Asked after the settings were written and before they were converted.
    ASSERT_TRUE(resources.settingsWhenShown[0].has_value());
    EXPECT_NE(resources.settingsWhenShown[0]->find("[Language]"), std::string::npos);
    EXPECT_NE(resources.settingsWhenShown[0]->substr(0, 2), "\xFF\xFE");
    // The answer changes nothing that follows.
    EXPECT_EQ(machine.files.ReadFile(u"C:\\Lumora\\l_mora64.ini")->substr(0, 2), "\xFF\xFE");
  }
}

}  // namespace
}  // namespace lumora
