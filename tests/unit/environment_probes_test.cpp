// The Windows version class, its process-wide cache, and the two folder probes.
#include "app/environment_probes.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::RootKey;
using platform::TrueVersion;
using platform::fake::FakeRegistry;
using platform::fake::FakeSystem;

constexpr char16_t kCurrentVersionKey[] = u"Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char16_t kOpenCommandKey[] = u"SOFTWARE\\Classes\\Lumora\\shell\\open\\command";

void Report(FakeSystem& system, std::optional<TrueVersion> trueVersion, std::uint16_t major, std::uint16_t minor,
            std::uint16_t servicePack) {
  system.trueVersion = trueVersion;
  system.versionMajor = major;
  system.versionMinor = minor;
  system.servicePackMajor = servicePack;
}

TEST(WindowsVersionClass, ClassifiesTrueAndVerifiedVersions) {
  struct Case {
    std::optional<TrueVersion> trueVersion;
    std::uint16_t major, minor, servicePack;  // what VerifyVersionInfoW compares against
    int expected;
  } const cases[] = {
      {TrueVersion{10, 0, 22000}, 6, 2, 0, 11},
      {TrueVersion{10, 0, 21999}, 6, 2, 0, 10},
      {TrueVersion{11, 0, 0}, 6, 2, 0, 10},
      {TrueVersion{6, 3, 9600}, 6, 3, 0, 8},   // 8.1 is class 8
      {TrueVersion{6, 3, 9600}, 6, 2, 0, 8},   // without a manifest 8.1 verifies as 6.2
      {std::nullopt, 10, 0, 0, 8},             // no RtlGetVersion: only the tests count
      {TrueVersion{6, 1, 7601}, 6, 1, 1, 7},
      {TrueVersion{6, 0, 6002}, 6, 0, 2, 6},
      {TrueVersion{5, 1, 2600}, 5, 1, 3, 5},
      {TrueVersion{5, 1, 2600}, 5, 1, 2, 1},
      {TrueVersion{5, 0, 2195}, 5, 0, 4, 0},
  };
  for (const auto& c : cases) {
    FakeSystem system;
    Report(system, c.trueVersion, c.major, c.minor, c.servicePack);
    EXPECT_EQ(GetWindowsVersionClass(system), c.expected) << c.major << "." << c.minor << " sp" << c.servicePack;
  }
}

TEST(WindowsVersionClass, CacheKeepsAClassButRetriesClassZero) {
  ResetWindowsVersionClassCacheForTesting();
  FakeSystem system;
  Report(system, TrueVersion{5, 0, 2195}, 5, 0, 0);
  EXPECT_EQ(CachedWindowsVersionClass(system), 0);
  Report(system, TrueVersion{6, 1, 7601}, 6, 1, 1);
  EXPECT_EQ(CachedWindowsVersionClass(system), 7);
  Report(system, TrueVersion{10, 0, 22631}, 6, 2, 0);
  EXPECT_EQ(CachedWindowsVersionClass(system), 7);
  ResetWindowsVersionClassCacheForTesting();
  EXPECT_EQ(CachedWindowsVersionClass(system), 11);
  ResetWindowsVersionClassCacheForTesting();
}

TEST(GetDefaultInstallFolder, AppendsLumoraToProgramFilesOrFallsBack) {
  const std::u16string longFolder = u"D:\\" + std::u16string(197, u'p');  // 200 units
  struct Case {
    std::optional<std::u16string> programFiles;  // nullopt: no value
    bool keyExists;
    std::u16string expected;
  } const cases[] = {
      {std::nullopt, false, u"C:\\Lumora\\"},
      {std::nullopt, true, u"C:\\Lumora\\"},
      {u"C:\\Program Files", true, u"C:\\Program Files\\Lumora"},
      {u"D:\\Apps\\", true, u"D:\\Apps\\Lumora"},
      {longFolder, true, longFolder + u"\\Lumora"},
      {std::u16string(259, u'x'), true, std::u16string(259, u'x') + u"\\Lumora"},
      {std::u16string(260, u'x'), true, u"C:\\Lumora\\"},  // does not fit 260 units
  };
  for (const auto& c : cases) {
    FakeRegistry registry;
    if (c.programFiles) {
      registry.Put(RootKey::kLocalMachine, kCurrentVersionKey, u"ProgramFilesDir", *c.programFiles);
    } else if (c.keyExists) {
      registry.Put(RootKey::kLocalMachine, kCurrentVersionKey, u"ProgramW6432Dir", u"C:\\Program Files");
    }
    std::u16string out = u"stale";
    EXPECT_EQ(GetDefaultInstallFolder(registry, out), 1);
    EXPECT_EQ(out, c.expected);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
  }
}

TEST(FindPreviousInstallFolder, TakesTheFolderOfTheViewersOpenCommand) {
  const std::u16string longFolder = u"C:\\" + std::u16string(196, u'f') + u"\\";  // 200 units
  struct Case {
    std::optional<std::u16string> command;  // nullopt: no key
    int found;
    std::u16string folder;
  } const cases[] = {
      {u"\"C:\\Apps\\Lumora\\l_mora64.exe\" \"%1\"", 1, u"C:\\Apps\\Lumora\\"},
      {u"\"" + longFolder + u"l_mora64.exe\" \"%1\"", 1, longFolder},
      {u"\"C:/Apps/l_mora64.exe\" \"%1\"", 1, u"C:/Apps/\\"},  // only a backslash ends a folder text
      {u"\"\\\\server\\tools\\l_mora64.exe\" \"%1\"", 1, u"\\\\server\\tools\\"},
      {u"\"C:\\Apps\\l_mora64.exe", 1, u"C:\\Apps\\"},
      {u"C:\\Apps\\l_mora64.exe %1", 1, u":\\Apps\\"},  // the first unit is taken for a quote
      {u"\"C:\\Apps\\L_MORA64.EXE\" \"%1\"", 0, u""},
      {u"\"C:\\Apps\\other.exe\" \"%1\"", 0, u""},
      {u"", 0, u""},
      {std::nullopt, 0, u""},
      {u"\"" + std::u16string(250, u'x') + u"\\l_mora64.exe\"", 0, u""},  // beyond 260 units
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.command.value_or(u"(no key)")));
    FakeRegistry registry;
    if (c.command) registry.Put(RootKey::kLocalMachine, kOpenCommandKey, u"", *c.command);
    std::u16string out = u"stale";
    EXPECT_EQ(FindPreviousInstallFolder(registry, out), c.found);
    EXPECT_EQ(out, c.folder);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
  }
}

TEST(FindPreviousInstallFolder, IgnoresAKeyWithoutDefaultValue) {
  FakeRegistry registry;
  registry.Put(RootKey::kLocalMachine, kOpenCommandKey, u"other", u"\"C:\\Apps\\l_mora64.exe\"");
  std::u16string out;
  EXPECT_EQ(FindPreviousInstallFolder(registry, out), 0);
  EXPECT_EQ(out, u"");
}

TEST(DriveAndFolderOf, SplitsAsTheRuntimesPathSplit) {
  struct Case {
    const char16_t* path;
    const char16_t* expected;
  } const cases[] = {
      {u"C:\\a\\b.exe", u"C:\\a\\"}, {u"C:b.exe", u"C:"},       {u"b.exe", u""},
      {u":\\a\\b.exe", u":\\a\\"},   {u"a/b\\c.exe", u"a/b\\"}, {u"C:\\", u"C:\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(DriveAndFolderOf(c.path), c.expected) << testing::PrintToString(std::u16string(c.path));
}

}  // namespace
}  // namespace lumora
