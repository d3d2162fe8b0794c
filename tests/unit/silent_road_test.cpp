// The silent road end to end over the fake machine, with a stand-in installation.
#include "app/silent_road.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::fake::FakeMachine;

constexpr char16_t kOpenCommandKey[] = u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command";
constexpr char16_t kLog[] = u"C:\\Lumora_Install.log";

// Records the record it was given and answers with a fixed result.
struct RecordingInstall {
  int result = 1;
  int calls = 0;
  std::optional<SetupOptions> options;
  InstallFunction Function() {
    return [this](SetupOptions& given) {
      ++calls;
      options = given;
      return result;
    };
  }
};

TEST(RunSilentRoad, RefusesWhileTheViewerRunsAndLogsMessage10) {
  FakeMachine machine;
  machine.system.viewerRunning = true;
  RecordingInstall install;
  EXPECT_EQ(RunSilentRoad(machine.platform, u"setup.exe /silent /folder=D:\\x", install.Function()),
            kSilentExitViewerRunning);
  EXPECT_EQ(install.calls, 0);
  EXPECT_EQ(machine.files.ReadFile(kLog),
            "12/11/2026 - 07:05:09: Warning: Lumora is running!\r\n"
            "Please close all Lumora instances before you install this version!\r\n"
            "------------------------------------------------\r\n");
}

TEST(RunSilentRoad, RefusesWithoutALogWhenTheLogCannotBeOpened) {
  FakeMachine machine;
  machine.system.viewerRunning = true;
  machine.files.AddFolder(u"C:\\ro");
  ASSERT_TRUE(machine.files.SetCurrentFolder(u"C:\\ro"));
  machine.files.DenyAccess(u"C:\\ro");
  RecordingInstall install;
  EXPECT_EQ(RunSilentRoad(machine.platform, u"setup.exe /silent", install.Function()), kSilentExitViewerRunning);
  EXPECT_EQ(install.calls, 0);
  EXPECT_TRUE(machine.files.ListFiles().empty());
}

TEST(RunSilentRoad, FirstInstallationUsesTheDefaultFolderAndRedirectsTheSettings) {
  FakeMachine machine;
  machine.registry.Put(RootKey::kLocalMachine, u"Software\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir",
                       u"C:\\Program Files");
  RecordingInstall install;
  EXPECT_EQ(RunSilentRoad(machine.platform, u"setup.exe /silent /desktop=1 /assoc=2", install.Function()),
            kSilentExitInstalled);
  ASSERT_EQ(install.calls, 1);
  EXPECT_EQ(install.options->destinationFolder, u"C:\\Program Files\\Lumora");
  EXPECT_EQ(install.options->iniFolder, u"%APPDATA%\\Lumora");
  EXPECT_EQ(install.options->desktopShortcut, 1);
  EXPECT_EQ(install.options->registerAssociations, 1);
  EXPECT_EQ(install.options->silent, 1);
  EXPECT_EQ(machine.registry.OpenHandleCount(), 0u);
  EXPECT_FALSE(machine.files.FileExists(kLog));
}

TEST(RunSilentRoad, UpdateKeepsTheEarlierFolderAndTheSettingsBesideTheViewer) {
  FakeMachine machine;
  machine.registry.Put(RootKey::kLocalMachine, kOpenCommandKey, u"", u"\"D:\\Tools\\Lumora\\l_mora64.exe\" \"%1\"");
  RecordingInstall install;
  EXPECT_EQ(RunSilentRoad(machine.platform, u"setup.exe /silent", install.Function()), kSilentExitInstalled);
  ASSERT_EQ(install.calls, 1);
  EXPECT_EQ(install.options->destinationFolder, u"D:\\Tools\\Lumora\\");
  EXPECT_EQ(install.options->iniFolder, u"");
}

TEST(RunSilentRoad, AFailedInstallationEndsWithItsOwnExitCode) {
  FakeMachine machine;
  RecordingInstall install;
  install.result = 0;
  EXPECT_EQ(RunSilentRoad(machine.platform, u"setup.exe /silent /folder=", install.Function()),
            kSilentExitInstallationFailed);
  ASSERT_EQ(install.calls, 1);
  EXPECT_EQ(install.options->destinationFolder, u"");
}

}  // namespace
}  // namespace lumora
