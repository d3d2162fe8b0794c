#include "install/payload_extraction.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "unit/zip_archive_builder.h"

namespace lumora {
namespace {

using platform::fake::FakeMachine;
using testing::CorruptFirstOccurrence;
using testing::EntryDataOffset;
using testing::MakeZipArchive;
using testing::ZipEntry;

constexpr char16_t kDestination[] = u"C:\\Lumora\\";
constexpr char16_t kTempFolder[] = u"C:\\users\\tester\\Temp\\";
constexpr char16_t kTemporaryArchive[] = u"C:\\users\\tester\\Temp\\lmora_x64.zip";

std::string Narrow(const std::u16string& ascii) { return std::string(ascii.begin(), ascii.end()); }

// A fresh machine with the destination folder made, as RunInstallation leaves it.
std::unique_ptr<FakeMachine> MakeMachine() {
  auto machine = std::make_unique<FakeMachine>();
  machine->files.AddFolder(kDestination);
  machine->files.SetTempFolder(kTempFolder);
  return machine;
}

// Every file of the machine, by full path, with its bytes.
std::map<std::string, std::string> AllFiles(const FakeMachine& machine) {
  std::map<std::string, std::string> files;
  for (const std::u16string& path : machine.files.ListFiles()) files[Narrow(path)] = *machine.files.ReadFile(path);
  return files;
}

std::map<std::string, std::string> InDestination(const std::map<std::string, std::string>& relative) {
  std::map<std::string, std::string> files;
  for (const auto& [name, bytes] : relative) files["C:\\Lumora\\" + name] = bytes;
  return files;
}

// --- a healthy archive ---

TEST(PayloadExtraction, WritesEveryFileWhereverItsFolderEntryStands) {
  const std::string big(100000, 'x');  // more than one copy buffer
  struct Case {
    const char* what;
    std::vector<ZipEntry> entries;
    std::map<std::string, std::string> files;  // relative to the destination
  };
  const std::vector<Case> cases = {
      {"file before its folder entry", {{"Docs/readme.txt", "read me"}, {"Docs/", ""}}, {{"Docs\\readme.txt", "read me"}}},
      {"folder entry before its file", {{"Html/", ""}, {"Html/a.html", "<p>"}}, {{"Html\\a.html", "<p>"}}},
      {"folders without entries", {{"Languages/Deep/de.lng", "Sprache"}}, {{"Languages\\Deep\\de.lng", "Sprache"}}},
      {"backslash separators", {{"Skins\\Dark\\skin.txt", "dark"}}, {{"Skins\\Dark\\skin.txt", "dark"}}},
      {"a file larger than the copy buffer", {{"big.bin", big}}, {{"big.bin", big}}},
      {"an empty file", {{"empty.txt", ""}}, {{"empty.txt", ""}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto machine = MakeMachine();
    machine->resources.payload = MakeZipArchive(c.entries);
    EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), 0);
    // Nothing else on the machine: the temporary copy is gone.
    EXPECT_EQ(AllFiles(*machine), InDestination(c.files));
    EXPECT_EQ(machine->files.CurrentFolder(), u"C:\\Lumora");
  }
}

TEST(PayloadExtraction, FolderEntryWithoutFilesMakesTheFolder) {
  auto machine = MakeMachine();
  machine->resources.payload = MakeZipArchive({{"Plugins/Plugins32/", ""}, {"Html/", ""}});
  EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), 0);
  EXPECT_TRUE(machine->files.FolderExists(u"C:\\Lumora\\Html"));
  // A folder entry makes one level only; its missing parent is not made for it.
  EXPECT_FALSE(machine->files.FolderExists(u"C:\\Lumora\\Plugins\\Plugins32"));
}

TEST(PayloadExtraction, KeepingTheIconLibrarySkipsEveryNameHoldingIt) {
  const std::vector<ZipEntry> entries = {
      {"Plugins/Icons.dll", "new icons"}, {"Extra/MyIcons.dll", "my icons"},
      {"Plugins/ICONS.DLL.txt", "notes"}, {"l_mora64.exe", "viewer"}};
  struct Case {
    int keepIconLibrary;
    std::map<std::string, std::string> files;
  };
  const std::map<std::string, std::string> everything = {
      {"Plugins\\Icons.dll", "new icons"}, {"Extra\\MyIcons.dll", "my icons"},
      {"Plugins\\ICONS.DLL.txt", "notes"}, {"l_mora64.exe", "viewer"}};
  const std::vector<Case> cases = {
      {1, {{"Plugins\\Icons.dll", "installed icons"}, {"l_mora64.exe", "viewer"}}},
      {0, everything},
      {2, everything},  // only 1 keeps
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keepIconLibrary);
    auto machine = MakeMachine();
    machine->files.AddFile(u"C:\\Lumora\\Plugins\\Icons.dll", "installed icons");
    machine->resources.payload = MakeZipArchive(entries);
    EXPECT_EQ(ExtractPayload(machine->platform, kDestination, c.keepIconLibrary), 0);
    std::map<std::string, std::string> expected = InDestination(c.files);
    if (c.keepIconLibrary != 1) expected["C:\\Lumora\\Plugins\\Icons.dll"] = "new icons";
    EXPECT_EQ(AllFiles(*machine), expected);
  }
}

TEST(PayloadExtraction, ExtractedFileCarriesTheEntryDateAndTime) {
  // 2025-05-12 10:18:00: date (45 << 9 | 5 << 5 | 12), time (10 << 11 | 18 << 5).
  constexpr std::uint32_t kMay12At1018 = 0x5AAC5240;
  auto machine = MakeMachine();
  machine->resources.payload = MakeZipArchive({{"l_about.txt", "about", kMay12At1018}});
  ASSERT_EQ(ExtractPayload(machine->platform, kDestination, 0), 0);
  const platform::fake::FakeFile* file = machine->files.FindFile(u"C:\\Lumora\\l_about.txt");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->localDosDateTime, kMay12At1018);
}

TEST(PayloadExtraction, LockedFileKeepsItsContentAndTheRestIsWritten) {
  auto machine = MakeMachine();
  machine->files.AddFile(u"C:\\Lumora\\l_mora64.exe", "running viewer");
  machine->files.LockFile(u"C:\\Lumora\\l_mora64.exe");
  machine->resources.payload = MakeZipArchive({{"l_mora64.exe", "new viewer"}, {"l_about.txt", "about"}});
  EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), 0);
  EXPECT_EQ(AllFiles(*machine), InDestination({{"l_mora64.exe", "running viewer"}, {"l_about.txt", "about"}}));
}

TEST(PayloadExtraction, TemporaryFolderWithoutBackslashGetsOneAndAStaleCopyIsReplaced) {
  auto machine = MakeMachine();
  machine->files.AddFolder(u"C:\\Temp");
  machine->files.SetTempFolder(u"C:\\Temp");
  machine->files.AddFile(u"C:\\Temp\\lmora_x64.zip", "left by an earlier run");
  machine->resources.payload = MakeZipArchive({{"l_about.txt", "about"}});
  EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), 0);
  EXPECT_EQ(AllFiles(*machine), InDestination({{"l_about.txt", "about"}}));
}

// --- faults: -1, the temporary copy deleted, the current folder as it was ---

TEST(PayloadExtraction, FaultsFailTheExtractionAndKeepWhatWasWritten) {
  const std::string a(1000, 'a'), b(1000, 'b'), c(1000, 'c');
  const std::vector<ZipEntry> entries = {{"a.txt", a}, {"Sub/b.txt", b, testing::kDefaultDosDateTime, 0}, {"c.txt", c}};
  using Arrange = std::function<void(FakeMachine&, std::string& archive)>;
  struct Case {
    const char* what;
    Arrange arrange;
    std::map<std::string, std::string> complete;  // files written whole before the fault
    std::vector<std::string> absent;              // files never begun
  };
  const std::vector<std::string> all = {"a.txt", "Sub\\b.txt", "c.txt"};
  const std::vector<Case> cases = {
      {"no payload resource", [](FakeMachine& m, std::string&) { m.resources.payload.reset(); }, {}, all},
      {"empty payload resource", [](FakeMachine&, std::string& z) { z.clear(); }, {}, all},
      {"not an archive", [](FakeMachine&, std::string& z) { z = "plain text, no archive"; }, {}, all},
      {"truncated archive", [](FakeMachine&, std::string& z) { z.resize(z.size() / 2); }, {}, all},
      {"temporary folder not writable",
       [](FakeMachine& m, std::string&) { m.files.DenyAccess(kTempFolder); }, {}, all},
      {"temporary copy does not fit the disk",
       [](FakeMachine& m, std::string& z) { m.files.SetFreeSpace(z.size() / 2); }, {}, all},
      {"destination not enterable",
       [](FakeMachine& m, std::string&) { m.files.DenyAccess(kDestination); }, {}, all},
      {"broken directory record of an entry",
       [](FakeMachine&, std::string& z) { z[z.find("PK\x01\x02", z.find("PK\x01\x02") + 1)] = 'X'; }, {}, all},
      {"disk full at the first entry",
       [](FakeMachine& m, std::string& z) { m.files.SetFreeSpace(z.size()); }, {}, {"Sub\\b.txt", "c.txt"}},
      {"disk full at the middle entry",
       [&](FakeMachine& m, std::string& z) { m.files.SetFreeSpace(z.size() + a.size() + 10); }, {{"a.txt", a}},
       {"c.txt"}},
      {"disk full at the last entry",
       [&](FakeMachine& m, std::string& z) { m.files.SetFreeSpace(z.size() + a.size() + b.size() + 10); },
       {{"a.txt", a}, {"Sub\\b.txt", b}}, {}},
      {"CRC mismatch in the middle entry",
       [&](FakeMachine&, std::string& z) { CorruptFirstOccurrence(z, b); }, {{"a.txt", a}}, {"c.txt"}},
      {"broken deflate stream in the last entry",
       [](FakeMachine&, std::string& z) { z[EntryDataOffset(z, "c.txt")] = '\xFF'; },
       {{"a.txt", a}, {"Sub\\b.txt", b}}, {}},
  };
  for (const Case& fault : cases) {
    SCOPED_TRACE(fault.what);
    auto machine = MakeMachine();
    const std::u16string startFolder = machine->files.CurrentFolder();
    std::string archive = MakeZipArchive(entries);
    machine->resources.payload = archive;
    fault.arrange(*machine, archive);
    if (machine->resources.payload) machine->resources.payload = archive;

    EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), -1);
    EXPECT_FALSE(machine->files.FileExists(kTemporaryArchive));
    EXPECT_EQ(machine->files.CurrentFolder(), startFolder);
    const std::map<std::string, std::string> files = AllFiles(*machine);
    for (const auto& [name, bytes] : InDestination(fault.complete)) {
      EXPECT_EQ(files.count(name) ? files.at(name) : "<missing>", bytes) << name;
    }
    for (const std::string& name : fault.absent) EXPECT_EQ(files.count("C:\\Lumora\\" + name), 0u) << name;
  }
}

TEST(PayloadExtraction, HostileNameRefusesTheWholeArchiveBeforeWriting) {
  const std::vector<std::string> names = {
      "/evil.txt", "\\evil.txt", "C:evil.txt", "C:/Windows/evil.txt", "Sub/stream.txt:hidden",
      "../evil.txt", "Sub/../../evil.txt", "Sub\\..\\..\\evil.txt", "Sub/.. /evil.txt", "Sub/.../evil.txt",
      "..", std::string(324, 'n'),
  };
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    auto machine = MakeMachine();
    // The harmless entry comes first: refusing must happen before it is written.
    machine->resources.payload = MakeZipArchive({{"l_about.txt", "about"}, {name, "payload"}});
    EXPECT_EQ(ExtractPayload(machine->platform, kDestination, 0), -1);
    EXPECT_TRUE(AllFiles(*machine).empty());
    EXPECT_EQ(machine->files.CurrentFolder(), u"C:\\");
  }
}

TEST(EntryNameIsSafe, AcceptsRelativeNamesWithinTheBuffers) {
  struct Case {
    std::string stored;
    std::u16string name;
    bool safe;
  };
  const std::vector<Case> cases = {
      {"l_mora64.exe", u"l_mora64.exe", true},
      {"Plugins/Plugins32/", u"Plugins/Plugins32/", true},
      {"a..b/.hidden/./x", u"a..b/.hidden/./x", true},
      {"", u"", true},
      {std::string(323, 'n'), std::u16string(323, u'n'), true},
      {std::string(324, 'n'), std::u16string(324, u'n'), false},
      // 519 stored bytes fit, 520 do not, whatever the converted length.
      {std::string(519, 'n'), std::u16string(100, u'n'), true},
      {std::string(520, 'n'), std::u16string(100, u'n'), false},
      {"x", u"/x", false},
      {"x", u"\\\\server\\share\\x", false},
      {"x", u"D:x", false},
      {"x", u"a/../b", false},
      {"x", u"a/..", false},
      {"x", u"a/ . . /b", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    EXPECT_EQ(EntryNameIsSafe(c.stored, c.name), c.safe);
  }
}

TEST(MakeFolderPath, CreatesEveryMissingLevel) {
  struct Case {
    std::u16string path;
    int result;
    std::u16string madeFolder;  // empty: nothing to look for
  };
  const std::vector<Case> cases = {
      {u"A/B/C", kFolderPathMade, u"C:\\Lumora\\A\\B\\C"},
      {u"A\\B/", kFolderPathMade, u"C:\\Lumora\\A\\B"},
      {u"Existing", kFolderPathMade, u"C:\\Lumora\\Existing"},
      {u"C:\\Lumora\\Absolute\\Deep", kFolderPathMade, u"C:\\Lumora\\Absolute\\Deep"},
      {u"Q:\\NoDrive\\Deep", kFolderPathParentMissing, u""},
      {u"", kFolderPathParentMissing, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    auto machine = MakeMachine();
    machine->files.AddFolder(u"C:\\Lumora\\Existing");
    ASSERT_TRUE(machine->files.SetCurrentFolder(kDestination));
    EXPECT_EQ(MakeFolderPath(machine->files, c.path), c.result);
    if (!c.madeFolder.empty()) EXPECT_TRUE(machine->files.FolderExists(c.madeFolder));
  }
}

}  // namespace
}  // namespace lumora
