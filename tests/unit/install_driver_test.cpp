#include "install/install_driver.h"

#include <gtest/gtest.h>

#include <functional>
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

}  // namespace
}  // namespace lumora
