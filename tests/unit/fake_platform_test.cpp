// The Windows behaviours of the host fakes that the installation logic relies on.
#include "platform/fake/fake_platform.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora::platform::fake {
namespace {

std::string Narrow(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  return out;
}

// --- file system ---

struct CreateFolderCase {
  const char16_t* path;
  std::uint32_t expected;
};

TEST(FakeFileSystem, CreateFolderAnswersAsCreateDirectoryW) {
  FakeFileSystem files;
  files.AddFolder(u"C:\\existing");
  files.AddFile(u"C:\\existing\\file.txt", "x");
  files.AddFolder(u"C:\\locked down");
  files.DenyAccess(u"C:\\locked down");
  const CreateFolderCase cases[] = {
      {u"C:\\new", kErrorSuccess},
      {u"c:\\NEW", kErrorAlreadyExists},
      {u"C:\\existing", kErrorAlreadyExists},
      {u"C:/existing/file.txt", kErrorAlreadyExists},
      {u"C:\\missing\\child", kErrorPathNotFound},
      {u"C:\\existing\\file.txt\\below", kErrorPathNotFound},
      {u"Q:\\folder", kErrorPathNotFound},
      {u"\\\\server\\share\\folder", kErrorPathNotFound},
      {u"C:\\locked down\\child", kErrorAccessDenied},
      {u"C:", kErrorAccessDenied},
      {u"C:\\", kErrorAccessDenied},
      {u"C:\\a  ", kErrorSuccess},
      {u"C:\\a", kErrorAlreadyExists},
      {u"C:\\a. .\\b", kErrorSuccess},
      {u"relative", kErrorSuccess},
      {u"C:\\bad|name", 123u},
  };
  for (const auto& c : cases) EXPECT_EQ(files.CreateFolder(c.path), c.expected) << Narrow(c.path);
  EXPECT_TRUE(files.FolderExists(u"C:\\a\\b"));
  EXPECT_TRUE(files.FolderExists(u"C:\\relative"));
}

TEST(FakeFileSystem, MaxPathAndUncRoots) {
  FakeFileSystem files;
  std::u16string longName(256, u'x');  // "C:\" + 256 = 259 units: fits
  EXPECT_EQ(files.CreateFolder(u"C:\\" + longName), kErrorSuccess);
  EXPECT_NE(files.CreateFolder(u"C:\\" + longName + u"y"), kErrorSuccess);  // 260 units
  files.AddFolder(u"\\\\server\\share");
  EXPECT_EQ(files.CreateFolder(u"\\\\SERVER\\share\\x"), kErrorSuccess);
  EXPECT_EQ(files.CreateFolder(u"\\\\server\\share"), kErrorAccessDenied);
}

TEST(FakeFileSystem, CurrentFolder) {
  FakeFileSystem files;
  std::u16string folder;
  ASSERT_TRUE(files.GetCurrentFolder(folder));
  EXPECT_EQ(folder, u"C:\\");
  EXPECT_FALSE(files.SetCurrentFolder(u"C:\\nowhere"));
  files.AddFolder(u"C:\\Data\\Sub");
  files.DenyAccess(u"C:\\Data\\Sub");
  EXPECT_FALSE(files.SetCurrentFolder(u"C:\\Data\\Sub"));
  ASSERT_TRUE(files.SetCurrentFolder(u"c:/data/"));
  ASSERT_TRUE(files.GetCurrentFolder(folder));
  EXPECT_EQ(folder, u"C:\\data");  // the fake upper-cases drive letters
  ASSERT_EQ(files.CreateFolder(u"Plugins"), kErrorSuccess);
  auto out = files.CreateForWriting(u"Plugins/Icons.dll");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("MZ", 2));
  EXPECT_TRUE(out->Close());
  EXPECT_EQ(files.ReadFile(u"C:\\DATA\\PLUGINS\\ICONS.DLL"), "MZ");
  EXPECT_EQ(files.ListFiles().back(), u"C:\\Data\\Plugins\\Icons.dll");
  EXPECT_EQ(files.Resolve(u"..\\x"), u"C:\\x");
}

TEST(FakeFileSystem, LatinOneNamesCompareCaseInsensitively) {
  FakeFileSystem files;
  ASSERT_EQ(files.CreateFolder(u"C:\\\u00e9t\u00e9"), kErrorSuccess);
  EXPECT_TRUE(files.FolderExists(u"C:\\\u00c9T\u00c9"));
}

TEST(FakeFileSystem, WritingReadingAndFaults) {
  FakeFileSystem files;
  EXPECT_FALSE(files.CreateForWriting(u"C:\\missing\\f.bin"));
  EXPECT_FALSE(files.CreateForWriting(u"C:\\windows"));
  files.AddFile(u"C:\\data.bin", "0123456789");
  files.FailReadsAfter(u"C:\\data.bin", 4);
  auto in = files.OpenForReading(u"c:\\DATA.bin");
  ASSERT_TRUE(in);
  ASSERT_TRUE(in->Seek(2, SeekOrigin::kBegin));
  char buffer[8] = {};
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 2u);
  EXPECT_TRUE(in->HadError());
  EXPECT_FALSE(files.RemoveFile(u"C:\\data.bin"));  // open without FILE_SHARE_DELETE
  in->Close();
  EXPECT_TRUE(files.RemoveFile(u"C:\\data.bin"));

  files.AddFile(u"C:\\in use.exe", "old");
  files.LockFile(u"C:\\in use.exe");
  EXPECT_FALSE(files.CreateForWriting(u"C:\\in use.exe"));
  EXPECT_FALSE(files.RemoveFile(u"C:\\in use.exe"));
  files.AddFile(u"C:\\new.tmp", "new");
  EXPECT_FALSE(files.MoveFileReplacing(u"C:\\new.tmp", u"C:\\in use.exe"));
  EXPECT_FALSE(files.SetFileTimesFromLocalDos(u"C:\\in use.exe", 1));
  auto reader = files.OpenForReading(u"C:\\in use.exe");  // reading still works
  ASSERT_TRUE(reader);
  EXPECT_EQ(reader->Read(buffer, sizeof buffer), 3u);

  files.AddFile(u"C:\\target.txt", "target");
  EXPECT_TRUE(files.MoveFileReplacing(u"C:\\new.tmp", u"C:\\TARGET.txt"));
  EXPECT_EQ(files.ReadFile(u"C:\\target.txt"), "new");
  EXPECT_FALSE(files.FileExists(u"C:\\new.tmp"));
  EXPECT_TRUE(files.SetFileTimesFromLocalDos(u"C:\\target.txt", 0x5A8B6000u));
  EXPECT_EQ(files.FindFile(u"C:\\target.txt")->localDosDateTime, 0x5A8B6000u);
  files.FailMoves(true);
  EXPECT_FALSE(files.MoveFileReplacing(u"C:\\target.txt", u"C:\\other.txt"));

  files.FailCreateForWritingAt(1);
  EXPECT_TRUE(files.CreateForWriting(u"C:\\one"));
  EXPECT_FALSE(files.CreateForWriting(u"C:\\two"));
  EXPECT_TRUE(files.CreateForWriting(u"C:\\three"));
}

TEST(FakeFileSystem, DiskFullWritesWhatFitsThenFails) {
  FakeFileSystem files;
  files.SetFreeSpace(5);
  auto out = files.CreateForWriting(u"C:\\big.bin");
  ASSERT_TRUE(out);
  EXPECT_TRUE(out->Write("abc", 3));
  EXPECT_FALSE(out->Write("defg", 4));
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(files.ReadFile(u"C:\\big.bin"), "abcde");
  EXPECT_TRUE(files.RemoveFile(u"C:\\big.bin"));  // gives the space back
  auto again = files.OpenForAppending(u"C:\\log.txt");
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->Write("12345", 5));
}

TEST(FakeFileSystem, DefaultTree) {
  FakeFileSystem files;
  EXPECT_EQ(files.GetTempFolder(), u"C:\\users\\tester\\Temp\\");
  for (const char16_t* folder : {u"C:\\users\\tester\\Temp", u"C:\\windows\\system32", u"C:\\Program Files",
                                 u"C:\\users\\tester\\Desktop", u"C:\\users\\Public\\Desktop"})
    EXPECT_TRUE(files.FolderExists(folder)) << Narrow(folder);
  FakeSystem system;
  for (const auto& [csidl, folder] : system.specialFolders) EXPECT_TRUE(files.FolderExists(folder));
}

// --- profile files ---

TEST(FakeProfileFiles, NewFileIsAnsiWithCrLfAndBareNamesLiveInWindows) {
  FakeMachine machine;
  machine.profiles.WriteString(u"Main", u"Name", u"caf\u00e9 \u20ac \u0100", u"lumora.ini");
  EXPECT_EQ(machine.files.ReadFile(u"C:\\windows\\lumora.ini"), "[Main]\r\nName=caf\xE9 \x80 ?\r\n");
  machine.profiles.WriteString(u"main", u"Other", u"2", u"lumora.ini");
  machine.profiles.WriteString(u"Second", u"k", u"v", u"lumora.ini");
  machine.profiles.WriteString(u"MAIN", u"name", u"x", u"lumora.ini");
  EXPECT_EQ(machine.files.ReadFile(u"C:\\windows\\lumora.ini"),
            "[Main]\r\nName=x\r\nOther=2\r\n[Second]\r\nk=v\r\n");
  machine.profiles.WriteString(u"Main", u"Other", std::nullopt, u"lumora.ini");
  EXPECT_EQ(machine.profiles.GetString(u"main", u"other", u"none", 260, u"lumora.ini"), u"none");
  EXPECT_EQ(machine.profiles.GetString(u"Main", u"NAME", u"", 260, u"lumora.ini"), u"x");
  EXPECT_FALSE(machine.profiles.WriteString(u"S", u"k", u"v", u"C:\\missing\\a.ini"));
  EXPECT_FALSE(machine.files.FileExists(u"C:\\missing\\a.ini"));
}

TEST(FakeProfileFiles, Utf16FileStaysUtf16AndUnknownLinesStay) {
  FakeMachine machine;
  std::string utf16("\xFF\xFE", 2);
  for (char c : std::string("; comment\r\n[S]\r\nk=old\r\n")) {
    utf16.push_back(c);
    utf16.push_back('\0');
  }
  machine.files.AddFile(u"C:\\data\\u.ini", utf16);
  machine.profiles.WriteString(u"S", u"k", u"\u0100", u"C:\\data\\u.ini");
  std::string expected("\xFF\xFE", 2);
  for (char16_t c : std::u16string(u"; comment\r\n[S]\r\nk=\u0100\r\n")) {
    expected.push_back(static_cast<char>(c & 0xFF));
    expected.push_back(static_cast<char>(c >> 8));
  }
  EXPECT_EQ(machine.files.ReadFile(u"C:\\data\\u.ini"), expected);
  EXPECT_EQ(machine.profiles.GetString(u"S", u"k", u"", 260, u"C:\\data\\u.ini"), u"\u0100");
  EXPECT_EQ(machine.profiles.GetString(u"S", u"missing", u"abc", 3, u"C:\\data\\u.ini"), u"ab");
}

TEST(FakeProfileFiles, NewKeyGoesAtTheEndOfItsSection) {
  FakeMachine machine;
  machine.files.AddFile(u"C:\\a.ini", "; top\r\n[A]\r\nx = 1\r\n\r\n[B]\r\ny=2");
  machine.profiles.WriteString(u"a", u"z", u"3", u"C:\\a.ini");
  machine.profiles.WriteString(u"B", u"w", u"4", u"C:\\a.ini");
  machine.profiles.WriteString(u"A", u"X", u"\"q\"", u"C:\\a.ini");
  EXPECT_EQ(machine.files.ReadFile(u"C:\\a.ini"), "; top\r\n[A]\r\nx=\"q\"\r\nz=3\r\n\r\n[B]\r\ny=2\r\nw=4\r\n");
  EXPECT_EQ(machine.profiles.GetString(u"A", u"x", u"", 260, u"C:\\a.ini"), u"q");
  EXPECT_EQ(machine.profiles.GetString(u"A", u"none", u"def  ", 260, u"C:\\a.ini"), u"def");
}

// --- registry ---

TEST(FakeRegistry, CaseInsensitiveKeysAndClassesRootAlias) {
  FakeRegistry registry;
  KeyHandle key = 0;
  ASSERT_EQ(registry.CreateKey(RootKey::kClassesRoot, u"Lumora.jpg\\shell\\open", key), kRegistrySuccess);
  EXPECT_EQ(registry.SetStringValue(key, u"", u"Open"), kRegistrySuccess);
  EXPECT_EQ(registry.SetDwordValue(key, u"Flags", 7), kRegistrySuccess);
  registry.CloseKey(key);
  EXPECT_TRUE(registry.KeyExists(RootKey::kLocalMachine, u"software\\classes\\LUMORA.JPG\\Shell\\Open"));
  auto value = registry.GetValue(RootKey::kLocalMachine, u"SOFTWARE\\Classes\\Lumora.jpg\\shell\\open", u"");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->byteSize, 10u);
  EXPECT_EQ(registry.GetValue(RootKey::kClassesRoot, u"lumora.jpg\\shell\\open", u"flags")->byteSize, 4u);
  EXPECT_EQ(registry.KeysUnder(RootKey::kClassesRoot, u"Lumora"),
            (std::vector<std::u16string>{u"Lumora.jpg", u"Lumora.jpg\\shell", u"Lumora.jpg\\shell\\open"}));
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
  EXPECT_EQ(registry.OpenKey(RootKey::kCurrentUser, u"Software\\Nothing", kKeyQueryValue, key), kRegistryFileNotFound);
}

TEST(FakeRegistry, QueryNeedsRoomForTheTerminator) {
  FakeRegistry registry;
  registry.Put(RootKey::kCurrentUser, u"Software\\Lumora", u"Path", u"C:\\L");  // 4 units: 10 bytes
  ScopedKey key(registry);
  ASSERT_EQ(key.Open(RootKey::kCurrentUser, u"software\\lumora", kKeyQueryValue), kRegistrySuccess);
  std::u16string text = u"untouched";
  EXPECT_EQ(registry.QueryStringValue(key.Get(), u"path", 8, text), kRegistryMoreData);
  EXPECT_EQ(text, u"untouched");
  EXPECT_EQ(registry.QueryStringValue(key.Get(), u"Missing", 100, text), kRegistryFileNotFound);
  EXPECT_EQ(registry.QueryStringValue(key.Get(), u"Path", 10, text), kRegistrySuccess);
  EXPECT_EQ(text, u"C:\\L");
  EXPECT_EQ(registry.SetStringValue(key.Get(), u"Path", u"x"), kRegistryAccessDenied);  // query-only handle
}

TEST(FakeRegistry, DeniedWritesAndKeys) {
  FakeRegistry registry;
  registry.DenyWrites(RootKey::kLocalMachine);
  KeyHandle key = 0;
  EXPECT_EQ(registry.CreateKey(RootKey::kClassesRoot, u".jpg", key), kRegistryAccessDenied);
  EXPECT_EQ(registry.SetDefaultValue(RootKey::kLocalMachine, u"SOFTWARE\\Lumora", u"x"), kRegistryAccessDenied);
  EXPECT_EQ(registry.SetDefaultValue(RootKey::kCurrentUser, u"Software\\Lumora\\Deep", u"x"), kRegistrySuccess);
  EXPECT_EQ(registry.GetValue(RootKey::kCurrentUser, u"Software\\Lumora\\Deep", u"")->text, u"x");
  EXPECT_EQ(registry.DeleteKey(RootKey::kCurrentUser, u"Software\\Lumora"), kRegistryAccessDenied);  // sub-keys
  EXPECT_EQ(registry.DeleteKey(RootKey::kCurrentUser, u"Software\\Lumora\\deep"), kRegistrySuccess);
  EXPECT_EQ(registry.DeleteKey(RootKey::kCurrentUser, u"Software\\Lumora\\deep"), kRegistryFileNotFound);
  registry.DenyKey(RootKey::kCurrentUser, u"Software\\Lumora");
  EXPECT_EQ(registry.OpenKey(RootKey::kCurrentUser, u"software\\LUMORA", kKeyQueryValue, key), kRegistryAccessDenied);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// --- system, shell, resources ---

TEST(FakeSystem, VersionEnvironmentAndCodePage) {
  FakeSystem system;
  EXPECT_TRUE(system.IsVersionAtLeast(6, 1, 1));
  EXPECT_TRUE(system.IsVersionAtLeast(5, 2, 9));
  EXPECT_FALSE(system.IsVersionAtLeast(6, 1, 2));
  EXPECT_FALSE(system.IsVersionAtLeast(6, 2, 0));
  EXPECT_EQ(system.FindEnvironmentVariable(u"appdata"), u"C:\\users\\tester\\AppData\\Roaming");
  EXPECT_EQ(system.FindEnvironmentVariable(u"NOPE"), std::nullopt);
  EXPECT_EQ(system.AnsiToUtf16("\x80\x81\x9F\xE9"), u"\u20AC\u0081\u0178\u00E9");
  system.versionResources[u"C:\\Lumora\\l_mora64.exe"] = VersionResource{0x00050002, 0, 0, 0, u"Lumora"};
  EXPECT_TRUE(system.ReadVersionResource(u"c:/lumora/L_MORA64.EXE"));
  system.versionLibraryMissing = true;
  EXPECT_FALSE(system.ReadVersionResource(u"C:\\Lumora\\l_mora64.exe"));
}

TEST(FakeShell, LinksNeedTheirFolder) {
  FakeFileSystem files;
  FakeShell shell(files);
  ShellLink link{u"C:\\Lumora\\l_mora64.exe", std::nullopt, std::nullopt, 0, u"Lumora"};
  EXPECT_FALSE(shell.SaveLink(link, u"C:\\No Such\\Lumora.lnk"));
  ASSERT_TRUE(shell.SaveLink(link, u"C:\\users\\tester\\Desktop\\Lumora.lnk"));
  EXPECT_TRUE(files.FileExists(u"C:\\users\\tester\\Desktop\\Lumora.lnk"));
  ASSERT_TRUE(shell.FindLink(u"c:\\USERS\\tester\\desktop\\lumora.lnk"));
  EXPECT_EQ(shell.LinkPaths(), std::vector<std::u16string>{u"C:\\users\\tester\\Desktop\\Lumora.lnk"});
  files.LockFile(u"C:\\users\\tester\\Desktop\\Lumora.lnk");
  EXPECT_FALSE(shell.SaveLink(link, u"C:\\users\\tester\\Desktop\\Lumora.lnk"));
  shell.failSaves = true;
  EXPECT_FALSE(shell.SaveLink(link, u"C:\\users\\tester\\Desktop\\Other.lnk"));
}

TEST(FakeResources, StringsPayloadAndAnswers) {
  FakeResources resources;
  EXPECT_EQ(resources.LoadText(1), u"&Exit");
  EXPECT_EQ(resources.LoadText(999), u"");
  EXPECT_FALSE(resources.PayloadArchive());
  resources.payload = std::string("PK\x03\x04", 4);
  ASSERT_TRUE(resources.PayloadArchive());
  EXPECT_EQ(resources.PayloadArchive()->size(), 4u);
  EXPECT_EQ(resources.ShowMessageBox(u"t", u"c", kMbQuestionYesNoDefaultNo), kIdNo);
  EXPECT_EQ(resources.ShowMessageBox(u"t", u"c", kMbIconError), kIdOk);
  resources.answers.push_back(kIdYes);
  EXPECT_EQ(resources.ShowMessageBox(u"t", u"c", kMbQuestionYesNoDefaultNo), kIdYes);
  EXPECT_EQ(resources.shownMessages.size(), 3u);
}

}  // namespace
}  // namespace lumora::platform::fake
