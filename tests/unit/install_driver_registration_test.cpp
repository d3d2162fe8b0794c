// The installation driver's hand-off to the registration pass: a successful
// installation registers the viewer from the record's own choices, a failed one
// registers nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/environment_probes.h"
#include "install/install_driver.h"
#include "platform/fake/fake_platform.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::fake::FakeMachine;

const std::u16string kUninstallKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
const std::u16string kDesktop = u"C:\\users\\tester\\Desktop\\";

std::unique_ptr<FakeMachine> MakeMachine(bool withPayload) {
  ResetWindowsVersionClassCacheForTesting();
  auto machine = std::make_unique<FakeMachine>();
  machine->files.AddFolder(kDesktop);
  if (withPayload) machine->resources.payload = testing::MakeZipArchive({{"l_mora64.exe", "viewer"}});
  return machine;
}

SetupOptions Options(const std::u16string& destination) {
  SetupOptions options;
  options.destinationFolder = destination;
  options.desktopShortcut = 1;
  options.associations[31] = 1;  // PNG
  return options;
}

TEST(RunInstallation, RegistersTheViewerAfterASuccessfulInstallation) {
  auto machine = MakeMachine(true);
  SetupOptions options = Options(u"C:\\Program Files\\Lumora  ");
  EXPECT_EQ(RunInstallation(machine->platform, options), 1);
  const auto location = machine->registry.GetValue(RootKey::kLocalMachine, kUninstallKey, u"InstallLocation");
  ASSERT_TRUE(location.has_value());
  EXPECT_EQ(location->text, u"C:\\Program Files\\Lumora\\");
  const platform::ShellLink* link = machine->shell.FindLink(kDesktop + u"Lumora 64.lnk");
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->target, u"C:\\Program Files\\Lumora\\l_mora64.exe");
  const auto choice = machine->registry.GetValue(
      RootKey::kCurrentUser, u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.png\\UserChoice",
      u"Progid");
  ASSERT_TRUE(choice.has_value());
  EXPECT_EQ(choice->text, u"Lumora.png");
  EXPECT_EQ(machine->registry.OpenHandleCount(), 0u);
  ResetWindowsVersionClassCacheForTesting();
}

// Notes, when a message box is shown, whether the uninstall entry exists already.
class RegistryWatchingResources : public platform::Resources {
 public:
  RegistryWatchingResources(platform::fake::FakeResources& inner, const platform::fake::FakeRegistry& registry)
      : inner_(inner), registry_(registry) {}
  std::vector<bool> registeredWhenShown;

  std::u16string LoadText(std::uint32_t id) override { return inner_.LoadText(id); }
  std::optional<std::span<const std::uint8_t>> PayloadArchive() override { return inner_.PayloadArchive(); }
  int ShowMessageBox(const std::u16string& text, const std::u16string& caption, std::uint32_t type) override {
    registeredWhenShown.push_back(registry_.KeyExists(RootKey::kLocalMachine, kUninstallKey));
    return inner_.ShowMessageBox(text, caption, type);
  }

 private:
  platform::fake::FakeResources& inner_;
  const platform::fake::FakeRegistry& registry_;
};

TEST(RunInstallation, WizardAsksTheAssociationQuestionBeforeRegistering) {
  auto machine = MakeMachine(true);
  RegistryWatchingResources resources(machine->resources, machine->registry);
  platform::Platform platform{machine->files,  machine->registry, machine->profiles,
                              machine->system, machine->shell,    resources};
  machine->resources.answers = {platform::kIdYes};  // No leaves the associations out
  SetupOptions options = Options(u"C:\\Lumora");
  options.silent = 0;
  options.registerAssociations = 1;
  EXPECT_EQ(RunInstallation(platform, options), 1);
  EXPECT_EQ(resources.registeredWhenShown, std::vector<bool>{false});
  EXPECT_TRUE(machine->registry.KeyExists(RootKey::kLocalMachine, kUninstallKey));
  EXPECT_EQ(machine->shell.associationNotifications, 1);
  ResetWindowsVersionClassCacheForTesting();
}

TEST(RunInstallation, RegistersNothingWhenTheInstallationFails) {
  for (const char16_t* destination : {u"", u"Q:\\Lumora", u"C:\\Lumora"}) {  // the last one has no payload
    auto machine = MakeMachine(false);
    SetupOptions options = Options(destination);
    EXPECT_EQ(RunInstallation(machine->platform, options), 0);
    EXPECT_FALSE(machine->registry.KeyExists(RootKey::kLocalMachine, kUninstallKey));
    EXPECT_FALSE(machine->registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora"));
    EXPECT_TRUE(machine->shell.LinkPaths().empty());
  }
  ResetWindowsVersionClassCacheForTesting();
}

}  // namespace
}  // namespace lumora
