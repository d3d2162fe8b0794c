// The wizard's association question decides what the installation writes: Yes the
// chosen associations, No none of them, and the rest of the registration either way.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/environment_probes.h"
#include "install/install_driver.h"
#include "platform/fake/fake_platform.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using platform::RootKey;

const std::u16string kUninstallKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
const std::u16string kBmpUserChoice =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.bmp\\UserChoice";
constexpr std::size_t kBmpRow = 2;

TEST(RunInstallationAnswer, OnlyYesWritesTheChosenAssociations) {
  struct Case {
    const char* what;
    std::int32_t silent;
    int answer;
    bool written;
  };
  const Case cases[] = {
      {"wizard, Yes", 0, platform::kIdYes, true},
      {"wizard, No", 0, platform::kIdNo, false},
      {"silent run: no question", 1, platform::kIdNo, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetWindowsVersionClassCacheForTesting();
    platform::fake::FakeMachine machine;
    machine.resources.payload = testing::MakeZipArchive({{"l_mora64.exe", "viewer"}});
    machine.resources.answers = {c.answer};
    SetupOptions options;
    options.destinationFolder = u"C:\\Lumora";
    options.silent = c.silent;
    options.associations[kBmpRow] = 1;
    options.registerAssociations = 1;

    EXPECT_EQ(RunInstallation(machine.platform, options), 1);
    const auto bmp = machine.registry.GetValue(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\.bmp", u"");
    EXPECT_EQ(bmp.has_value() && bmp->text == u"Lumora.bmp", c.written);
    EXPECT_EQ(machine.registry.KeyExists(RootKey::kCurrentUser, kBmpUserChoice), c.written);
    EXPECT_EQ(machine.shell.associationNotifications, c.written ? 1 : 0);
    EXPECT_TRUE(machine.registry.KeyExists(RootKey::kLocalMachine, kUninstallKey));
    // The caller's record keeps the user's choice for another attempt.
    EXPECT_EQ(options.registerAssociations, 1);
    EXPECT_EQ(options.associations[kBmpRow], 1);
  }
  ResetWindowsVersionClassCacheForTesting();
}

}  // namespace
}  // namespace lumora
