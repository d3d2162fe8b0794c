#include "install/icon_library.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::VersionResource;
using platform::fake::FakeMachine;

constexpr char16_t kDestination[] = u"C:\\Lumora\\";
constexpr char16_t kLibrary[] = u"C:\\Lumora\\Plugins\\Icons.dll";
constexpr std::size_t kMakersLibrarySize = 226816;

// Product version major.minor, file version's third number, as "%d.%d%d" shows them.
VersionResource Version(std::uint32_t major, std::uint32_t minor, std::uint32_t fileThird,
                        std::optional<std::u16string> company) {
  VersionResource resource;
  resource.productVersionMS = major << 16 | minor;
  resource.fileVersionMS = major << 16 | minor;
  resource.fileVersionLS = fileThird << 16 | 7;
  resource.companyName = std::move(company);
  return resource;
}

TEST(ReadIconLibraryVersion, FormatsProductVersionAndFileBuild) {
  struct Case {
    VersionResource resource;
    std::u16string version;
  };
  const std::vector<Case> cases = {
      {Version(4, 3, 0, u"Dravenko"), u"4.30"},
      {Version(4, 5, 1, u"Dravenko"), u"4.51"},
      {Version(12, 34, 56, u"Dravenko"), u"12.3456"},
      {Version(65535, 65535, 65535, u"Dravenko"), u"65535.6553565535"},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.system.versionResources[kLibrary] = c.resource;
    std::u16string version;
    ASSERT_EQ(ReadIconLibraryVersion(machine.system, kLibrary, version, nullptr), 1);
    EXPECT_EQ(version, c.version);
  }
}

TEST(ReadIconLibraryVersion, PublisherIsCutAndMayBeMissing) {
  struct Case {
    std::optional<std::u16string> company;
    std::u16string publisher;
  };
  const std::vector<Case> cases = {
      {u"Dravenko", u"Dravenko"},
      {std::nullopt, u""},
      {std::u16string(300, u'p'), std::u16string(259, u'p')},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    machine.system.versionResources[kLibrary] = Version(4, 3, 0, c.company);
    std::u16string version;
    std::u16string publisher = u"left from before";
    EXPECT_EQ(ReadIconLibraryVersion(machine.system, kLibrary, version, &publisher), 1);
    EXPECT_EQ(publisher, c.publisher);
  }
}

TEST(ReadIconLibraryVersion, NoVersionResourceLeavesTheOutputs) {
  FakeMachine machine;
  machine.files.AddFile(kLibrary, "no resource");
  std::u16string version = u"unchanged";
  std::u16string publisher = u"unchanged";
  EXPECT_EQ(ReadIconLibraryVersion(machine.system, kLibrary, version, &publisher), 0);
  EXPECT_EQ(version, u"unchanged");
  EXPECT_EQ(publisher, u"unchanged");
}

TEST(IconLibraryVersionValue, ReadsLikeTheRuntimeInSinglePrecision) {
  struct Case {
    std::u16string text;
    int value;
  };
  const std::vector<Case> cases = {
      {u"4.30", 4300},      {u"4.3", 4300},      {u"4.51", 4510},     {u"4.20", 4200},
      {u" \t+4.5", 4500},   {u"-1.5", -1500},    {u"4.2x", 4200},     {u".5", 500},
      {u"4.", 4000},        {u"4.3e1", 43000},   {u"4.3e", 4300},     {u"4.3e+", 4300},
      {u"abc", 0},          {u"", 0},            {u"-", 0},           {u".", 0},
      // Narrowed to float before the multiplication: 4.29999999 becomes 4.3f.
      {u"4.29999999", 4300},
      {u"1e400", INT_MAX},  {u"-1e400", INT_MIN}, {u"1e-400", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(IconLibraryVersionValue(c.text), c.value);
  }
}

TEST(KeepInstalledIconLibrary, DecidesByVersionSizeAndPublisher) {
  struct Case {
    const char* what;
    std::optional<VersionResource> resource;
    std::optional<std::size_t> fileSize;  // no file when absent
    bool keep;
  };
  const std::vector<Case> cases = {
      {"no installed library", std::nullopt, std::nullopt, false},
      {"library without version resource", std::nullopt, kMakersLibrarySize, false},
      {"newer library 4.51", Version(4, 5, 1, u"Dravenko"), 1000, true},
      {"4.30 of the maker's size, maker in capitals", Version(4, 3, 0, u"DRAVENKO"), kMakersLibrarySize, false},
      {"4.30 of the maker's size, other publisher", Version(4, 3, 0, u"Someone Else"), kMakersLibrarySize, true},
      {"4.30 of the maker's size, no publisher", Version(4, 3, 0, std::nullopt), kMakersLibrarySize, true},
      {"4.30 of another size", Version(4, 3, 0, u"Dravenko"), kMakersLibrarySize + 1, true},
      {"4.30 that cannot be opened", Version(4, 3, 0, u"Dravenko"), std::nullopt, true},
      {"older 4.20 by the maker", Version(4, 2, 0, u"dravenko"), 1000, false},
      {"older 4.20 by another publisher", Version(4, 2, 0, u"Dravenko Ltd"), 1000, true},
      {"older 4.20 without publisher", Version(4, 2, 0, u""), 1000, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeMachine machine;
    machine.files.AddFolder(u"C:\\Lumora\\Plugins");
    if (c.resource) machine.system.versionResources[kLibrary] = *c.resource;
    if (c.fileSize) machine.files.AddFile(kLibrary, std::string(*c.fileSize, 'i'));
    EXPECT_EQ(KeepInstalledIconLibrary(machine.platform, kDestination), c.keep);
  }
}

TEST(KeepInstalledIconLibrary, MissingVersionLibraryReplacesTheInstalledOne) {
  FakeMachine machine;
  machine.system.versionResources[kLibrary] = Version(4, 5, 1, u"Someone Else");
  machine.system.versionLibraryMissing = true;
  EXPECT_FALSE(KeepInstalledIconLibrary(machine.platform, kDestination));
}

}  // namespace
}  // namespace lumora
