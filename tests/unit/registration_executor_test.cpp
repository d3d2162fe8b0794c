// The registration pass applied to a fake machine: what lands in the registry and in
// the shortcut folders, and how each fault is survived.
#include "system/registration_executor.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "app/environment_probes.h"
#include "platform/fake/fake_platform.h"
#include "system/product_version.h"
#include "system/register_with_system.h"
#include "unit/registration_step_printer.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::fake::FakeMachine;
using step::Narrow;

const std::u16string kUninstallKey = u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumora64";
const std::u16string kRegisteredApplications = u"SOFTWARE\\RegisteredApplications";
const std::u16string kViewer = u"C:\\Apps\\Lumora\\l_mora64.exe";
const std::u16string kUserDesktop = u"C:\\users\\tester\\Desktop\\";
const std::u16string kPublicDesktop = u"C:\\users\\Public\\Desktop\\";
const std::u16string kUserGroup = u"C:\\users\\tester\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Lumora\\";
const std::u16string kUserChoice =
    u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.jpeg\\UserChoice";

// Refuses RegOpenKeyExW for chosen keys and forwards everything else: a key that
// RegSetValueW could create but that will not open for writing afterwards.
class OpenRefusingRegistry : public platform::Registry {
 public:
  explicit OpenRefusingRegistry(platform::Registry& inner) : inner_(inner) {}
  std::set<std::u16string> refused;

  long SetDefaultValue(RootKey root, const std::u16string& subKey, const std::u16string& text) override {
    return inner_.SetDefaultValue(root, subKey, text);
  }
  long OpenKey(RootKey root, const std::u16string& subKey, std::uint32_t access, platform::KeyHandle& key) override {
    if (refused.count(subKey) != 0) return platform::kRegistryAccessDenied;
    return inner_.OpenKey(root, subKey, access, key);
  }
  long CreateKey(RootKey root, const std::u16string& subKey, platform::KeyHandle& key) override {
    return inner_.CreateKey(root, subKey, key);
  }
  long SetStringValue(platform::KeyHandle key, const std::u16string& name, const std::u16string& text) override {
    return inner_.SetStringValue(key, name, text);
  }
  long SetDwordValue(platform::KeyHandle key, const std::u16string& name, std::uint32_t value) override {
    return inner_.SetDwordValue(key, name, value);
  }
  long QueryStringValue(platform::KeyHandle key, const std::u16string& name, std::uint32_t capacityBytes,
                        std::u16string& text) override {
    return inner_.QueryStringValue(key, name, capacityBytes, text);
  }
  long DeleteKey(RootKey root, const std::u16string& subKey) override { return inner_.DeleteKey(root, subKey); }
  void CloseKey(platform::KeyHandle key) override { inner_.CloseKey(key); }

 private:
  platform::Registry& inner_;
};

struct Choices {
  std::int32_t registerAssociations = 1;
  std::u16string destinationFolder = u"C:\\Apps\\Lumora  ";
  std::int32_t startMenuGroup = 1;
  std::int32_t desktopShortcut = 1;
  std::int32_t thumbnailsShortcut = 1;
  std::int32_t allUsers = 0;
  AssociationSelection associations{};
};

// One fake machine with an installation's choices: all shortcuts, images only,
// associations asked for, Windows 10, a destination typed with trailing blanks.
struct Installation {
  Installation() {
    ResetWindowsVersionClassCacheForTesting();
    machine.system.trueVersion = platform::TrueVersion{10, 0, 19045};
    machine.files.AddFolder(kUserDesktop);
    machine.files.AddFolder(kPublicDesktop);
    // Windows keeps this list; the pass only adds to it.
    machine.registry.Put(RootKey::kLocalMachine, kRegisteredApplications, u"Other Viewer",
                         u"SOFTWARE\\Other Viewer\\Capabilities");
    SelectImageRows(choices.associations);
  }
  ~Installation() { ResetWindowsVersionClassCacheForTesting(); }

  int Run() {
    return RegisterWithSystem(platform, choices.registerAssociations, choices.destinationFolder,
                              choices.startMenuGroup, choices.desktopShortcut, choices.thumbnailsShortcut,
                              choices.allUsers, choices.associations);
  }

  std::optional<std::u16string> Text(RootKey root, const std::u16string& key, const std::u16string& name) const {
    auto value = machine.registry.GetValue(root, key, name);
    if (!value || value->type != 1) return std::nullopt;
    return value->text;
  }

  bool HasLink(const std::u16string& path) const { return machine.shell.FindLink(path) != nullptr; }

  FakeMachine machine;
  OpenRefusingRegistry registry{machine.registry};
  platform::Platform platform{machine.files, registry, machine.profiles, machine.system, machine.shell,
                              machine.resources};
  Choices choices;
};

TEST(RegistrationExecutor, WritesTheWholeRegistrationOnACleanMachine) {
  Installation t;
  EXPECT_EQ(t.Run(), 1);

  struct Expected {
    RootKey root;
    std::u16string key;
    std::u16string name;
    std::u16string text;
  };
  const Expected strings[] = {
      {RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Directory\\shell\\Browse with &Lumora\\command", u"",
       u"\"" + kViewer + u"\" \"%1\" /thumbs"},
      {RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command", u"", u"\"" + kViewer + u"\" \"%1\""},
      {RootKey::kClassesRoot, u"Applications\\l_mora64.exe", u"FriendlyAppName", u"Lumora 64-bit"},
      {RootKey::kLocalMachine, kUninstallKey, u"", u""},
      {RootKey::kLocalMachine, kUninstallKey, u"DisplayName", u"Lumora 4.72 (64-bit)"},
      {RootKey::kLocalMachine, kUninstallKey, u"UninstallString", u"\"C:\\Apps\\Lumora\\lm_uninstall.exe\""},
      {RootKey::kLocalMachine, kUninstallKey, u"InstallLocation", u"C:\\Apps\\Lumora\\"},
      {RootKey::kLocalMachine, kUninstallKey, u"DisplayIcon", kViewer + u",0"},
      {RootKey::kLocalMachine, u"SOFTWARE\\RegisteredApplications", u"Lumora", u"SOFTWARE\\Lumora\\Capabilities"},
      {RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations", u".acr", u"Lumora.dcm"},
      {RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora.dcm", u"", u"Lumora DCM File"},
      {RootKey::kLocalMachine, u"SOFTWARE\\Classes\\.jpeg", u"", u"Lumora.jpg"},
      {RootKey::kLocalMachine, u"SOFTWARE\\Classes\\.png", u"", u"Lumora.png"},
      {RootKey::kCurrentUser, kUserChoice, u"Progid", u"Lumora.jpg"},
      {RootKey::kCurrentUser, u"SOFTWARE\\Classes\\AppX6eg8h5sxqq90pv53845wmnbewywdqq5h", u"NoOpenWith", u""},
  };
  for (const Expected& e : strings) {
    EXPECT_EQ(t.Text(e.root, e.key, e.name), e.text) << Narrow(e.key) << " " << Narrow(e.name);
  }
  const auto size = t.machine.registry.GetValue(RootKey::kLocalMachine, kUninstallKey, u"EstimatedSize");
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->type, 4u);
  EXPECT_EQ(size->dword, 8192u);
  EXPECT_EQ(size->byteSize, 4u);
  EXPECT_EQ(t.machine.registry.GetValue(RootKey::kLocalMachine, kUninstallKey, u"DisplayName")->byteSize,
            (20u + 1u) * 2u);
  EXPECT_EQ(t.machine.registry.ValueCount(RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations"),
            87u);
  // Images only: the flash row is registered but not chosen.
  EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\.swf"));
  EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\DefaultIcon"));

  const std::u16string group = kUserGroup;
  for (const std::u16string& path :
       {group + u"Lumora 64 4.72.lnk", group + u"Uninstall Lumora.lnk", group + u"Lumora Help.lnk",
        kUserDesktop + u"Lumora 64.lnk", kUserDesktop + u"Lumora 64 Thumbnails.lnk"}) {
    EXPECT_TRUE(t.HasLink(path)) << Narrow(path);
  }
  EXPECT_EQ(t.machine.shell.LinkPaths().size(), 11u);
  const platform::ShellLink* thumbnails = t.machine.shell.FindLink(group + u"Lumora - Thumbnails.lnk");
  ASSERT_NE(thumbnails, nullptr);
  EXPECT_EQ(*thumbnails, (platform::ShellLink{kViewer, u"/thumbs", kViewer, 7, std::nullopt}));

  EXPECT_EQ(t.machine.shell.iconReloads, 1);
  EXPECT_EQ(t.machine.shell.associationNotifications, 1);
  EXPECT_EQ(t.machine.registry.OpenHandleCount(), 0u);
}

// Each fault costs exactly the entries that depend on it; the rest of the pass runs
// and every handle is closed.
TEST(RegistrationExecutor, SurvivesEachFaultWithOnlyItsOwnLosses) {
  struct Case {
    const char* name;
    std::function<void(Installation&)> inject;
    std::function<void(Installation&)> check;
  };
  const Case cases[] = {
      {"no write access to HKEY_LOCAL_MACHINE",
       [](Installation& t) { t.machine.registry.DenyWrites(RootKey::kLocalMachine); },
       [](Installation& t) {
         EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, kUninstallKey));
         EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Lumora"));
         EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora.jpg"));
         EXPECT_FALSE(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\RegisteredApplications", u"Lumora").has_value());
         EXPECT_EQ(t.Text(RootKey::kCurrentUser, kUserChoice, u"Progid"), u"Lumora.jpg");
         EXPECT_TRUE(t.HasLink(kUserDesktop + u"Lumora 64.lnk"));
       }},
      {"capability key cannot be created or opened",
       [](Installation& t) {
         t.machine.registry.DenyKey(RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations");
       },
       [](Installation& t) {
         EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine,
                                                    u"SOFTWARE\\Lumora\\Capabilities\\FileAssociations"));
         EXPECT_TRUE(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities", u"ApplicationDescription"));
         EXPECT_EQ(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\RegisteredApplications", u"Lumora"),
                   u"SOFTWARE\\Lumora\\Capabilities");
         EXPECT_EQ(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora.wma\\DefaultIcon", u""),
                   kViewer + u",11");
       }},
      {"uninstall key cannot be opened after its default is set",
       [](Installation& t) { t.registry.refused.insert(kUninstallKey); },
       [](Installation& t) {
         EXPECT_EQ(t.Text(RootKey::kLocalMachine, kUninstallKey, u""), u"");
         EXPECT_EQ(t.machine.registry.ValueCount(RootKey::kLocalMachine, kUninstallKey), 1u);
         EXPECT_TRUE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\shell\\open\\command"));
         EXPECT_EQ(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\.jpg", u""), u"Lumora.jpg");
       }},
      {"registered-applications list missing",
       [](Installation& t) { t.machine.registry.DeleteKey(RootKey::kLocalMachine, kRegisteredApplications); },
       [](Installation& t) {
         EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, kRegisteredApplications));
         EXPECT_TRUE(t.Text(RootKey::kLocalMachine, u"SOFTWARE\\Lumora\\Capabilities", u"ApplicationDescription"));
       }},
      {"Applications entry cannot be opened",
       [](Installation& t) { t.registry.refused.insert(u"Applications\\l_mora64.exe"); },
       [](Installation& t) {
         EXPECT_FALSE(t.Text(RootKey::kClassesRoot, u"Applications\\l_mora64.exe", u"FriendlyAppName"));
         EXPECT_TRUE(t.Text(RootKey::kClassesRoot, u"Applications\\l_mora64.exe\\shell\\open\\command", u""));
         EXPECT_TRUE(t.Text(RootKey::kLocalMachine, kUninstallKey, u"DisplayName"));
       }},
      {"special folders cannot be resolved",
       [](Installation& t) {
         t.machine.system.specialFolders.clear();
         t.machine.files.AddFolder(u"C:\\windows");
       },
       [](Installation& t) {
         EXPECT_TRUE(t.HasLink(u"C:\\windows\\Lumora 64.lnk"));
         EXPECT_TRUE(t.HasLink(u"C:\\windows\\Lumora\\Lumora 64 4.72.lnk"));
         EXPECT_TRUE(t.HasLink(u"C:\\windows\\Lumora\\Lumora Help.lnk"));
       }},
      {"no link can be saved",
       [](Installation& t) { t.machine.shell.failSaves = true; },
       [](Installation& t) {
         EXPECT_TRUE(t.machine.shell.LinkPaths().empty());
         EXPECT_TRUE(t.machine.files.FolderExists(kUserGroup));
         EXPECT_EQ(t.Text(RootKey::kLocalMachine, kUninstallKey, u"DisplayVersion"), u"4.72");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Installation t;
    c.inject(t);
    EXPECT_EQ(t.Run(), 1);
    c.check(t);
    EXPECT_EQ(t.machine.registry.OpenHandleCount(), 0u);
  }
}

TEST(RegistrationExecutor, AllUsersPutsLinksIntoTheSharedFolders) {
  Installation t;
  t.choices.allUsers = 1;
  t.Run();
  EXPECT_TRUE(t.HasLink(kPublicDesktop + u"Lumora 64.lnk"));
  EXPECT_TRUE(t.HasLink(u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Lumora\\Lumora 64 4.72.lnk"));
  EXPECT_FALSE(t.HasLink(kUserDesktop + u"Lumora 64.lnk"));
}

TEST(RegistrationExecutor, ReplacesOnlyTheListedOldVersionLinks) {
  Installation t;
  for (const char16_t* old : {u"Lumora 64 4.70.lnk", u"Lumora 64 4.67.lnk", u"Lumora 64 4.60.lnk"}) {
    t.machine.files.AddFile(kUserGroup + old, "old");
  }
  t.machine.registry.Put(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\DefaultIcon", u"", u"old.ico,3");
  t.Run();
  EXPECT_FALSE(t.machine.files.FileExists(kUserGroup + u"Lumora 64 4.70.lnk"));
  EXPECT_FALSE(t.machine.files.FileExists(kUserGroup + u"Lumora 64 4.67.lnk"));
  EXPECT_TRUE(t.machine.files.FileExists(kUserGroup + u"Lumora 64 4.60.lnk"));
  EXPECT_TRUE(t.HasLink(kUserGroup + u"Lumora 64 4.72.lnk"));
  EXPECT_FALSE(t.machine.registry.KeyExists(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora\\DefaultIcon"));
}

// Every key with its value count and default value, under both roots.
std::map<std::u16string, std::u16string> RegistrySnapshot(const platform::fake::FakeRegistry& registry) {
  std::map<std::u16string, std::u16string> snapshot;
  for (RootKey root : {RootKey::kLocalMachine, RootKey::kCurrentUser}) {
    const std::u16string rootName = root == RootKey::kLocalMachine ? u"HKLM\\" : u"HKCU\\";
    for (const std::u16string& key : registry.KeysUnder(root)) {
      const auto defaultValue = registry.GetValue(root, key, u"");
      snapshot[rootName + key] = u"values " + DecimalText(static_cast<int>(registry.ValueCount(root, key))) +
                                 u" default " + (defaultValue ? defaultValue->text : u"-");
    }
  }
  return snapshot;
}

TEST(RegistrationExecutor, SecondInstallationLeavesTheSameRegistry) {
  Installation t;
  t.Run();
  const auto first = RegistrySnapshot(t.machine.registry);
  const auto firstLinks = t.machine.shell.LinkPaths();
  t.Run();
  EXPECT_EQ(RegistrySnapshot(t.machine.registry), first);
  EXPECT_EQ(t.machine.shell.LinkPaths(), firstLinks);
  EXPECT_EQ(t.machine.registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace lumora
