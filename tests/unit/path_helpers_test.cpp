// Trimming, unquoting and creating folder trees on the fake file system.
#include "install/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

using platform::fake::FakeFileSystem;

struct TextCase {
  std::u16string input;
  std::u16string expected;
};

TEST(TrimBlanks, RemovesBlanksAtBothEndsOfShortPaths) {
  const TextCase cases[] = {
      {u"  C:\\Lumora  ", u"C:\\Lumora"},
      {u"   ", u""},
      {u"", u""},
      {u"\tC:\\Lumora\t", u"\tC:\\Lumora\t"},  // only U+0020 is a blank
      {u"C:\\My Apps", u"C:\\My Apps"},
      // 270 units with a leading blank: only the trailing blanks go.
      {u" " + std::u16string(267, u'a') + u"  ", u" " + std::u16string(267, u'a')},
      // 261 units, 259 after the trailing blanks: short enough to lose the leading one.
      {u" " + std::u16string(258, u'a') + u"  ", std::u16string(258, u'a')},
  };
  for (TextCase c : cases) {
    TrimBlanks(c.input);
    EXPECT_EQ(c.input, c.expected);
  }
}

TEST(UnquotePath, RemovesOneQuoteAtEachEndAndTrailingBlanks) {
  const TextCase cases[] = {
      {u"\"C:\\My Apps\\Lumora\"  ", u"C:\\My Apps\\Lumora"},
      {u"\"C:\\Lumora", u"C:\\Lumora"},
      {u"C:\\Lumora\"", u"C:\\Lumora"},
      {u" \"C:\\Lumora\"", u" \"C:\\Lumora"},  // leading blanks stay
      {u"\" C:\\Lumora \"", u" C:\\Lumora"},
      {u"\"\"C:\\Lumora\"\"", u"\"C:\\Lumora\""},
      {u"\"", u""},
      {u"\"\"", u""},
      {u"   ", u""},
  };
  for (TextCase c : cases) {
    UnquotePath(c.input);
    EXPECT_EQ(c.input, c.expected);
  }
}

class CreateFolderTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    files.AddFolder(u"C:\\Program Files");
    files.AddFolder(u"C:\\work");
    ASSERT_TRUE(files.SetCurrentFolder(u"C:\\work"));
  }
  // The tree is created and the current folder is what it was.
  int Create(std::u16string& path) {
    const int result = CreateFolderTree(files, path);
    EXPECT_EQ(files.CurrentFolder(), u"C:\\work");
    return result;
  }
  FakeFileSystem files;
};

TEST_F(CreateFolderTreeTest, CreatesMissingLevelsAndEndsTheTextWithABackslash) {
  struct Case {
    std::u16string path;
    std::u16string cleaned;
    const char16_t* created;
  } const cases[] = {
      {u"C:\\Program Files\\Lumora", u"C:\\Program Files\\Lumora\\", u"C:\\Program Files\\Lumora"},
      {u"  C:\\Program Files  ", u"C:\\Program Files\\", u"C:\\Program Files"},
      {u"C:\\", u"C:\\", u"C:\\"},
      {u"C:\\Apps \\Lumora  \\Sub", u"C:\\Apps\\Lumora\\Sub\\", u"C:\\Apps\\Lumora\\Sub"},
      {u"C:\\\\Deep\\\\\\Er\\", u"C:\\Deep\\Er\\", u"C:\\Deep\\Er"},
      {u"c:\\new\\x\u00e9\u5199", u"c:\\new\\x\u00e9\u5199\\", u"C:\\new\\x\u00e9\u5199"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    std::u16string path = c.path;
    EXPECT_EQ(Create(path), 1);
    EXPECT_EQ(path, c.cleaned);
    EXPECT_TRUE(files.FolderExists(c.created));
  }
}

TEST_F(CreateFolderTreeTest, CreatesTheLevelsBelowANetworkShare) {
  files.AddFolder(u"\\\\server\\share");
  std::u16string path = u"\\\\server\\share\\Apps\\Lumora";
  EXPECT_EQ(Create(path), 1);
  EXPECT_EQ(path, u"\\\\server\\share\\Apps\\Lumora\\");
  EXPECT_TRUE(files.FolderExists(u"\\\\server\\share\\Apps\\Lumora"));
}

TEST_F(CreateFolderTreeTest, KeepsTheRootOfAPathBelowTheCurrentDrive) {
  std::u16string path = u"\\Apps\\Lumora";
  EXPECT_EQ(Create(path), 1);
  EXPECT_EQ(path, u"\\Apps\\Lumora\\");
  EXPECT_TRUE(files.FolderExists(u"C:\\Apps\\Lumora"));
  EXPECT_FALSE(files.FolderExists(u"C:\\work\\Apps"));
}

TEST_F(CreateFolderTreeTest, FailsWhenTheFolderCannotBeEntered) {
  files.AddFolder(u"C:\\locked");
  files.DenyAccess(u"C:\\locked");
  struct Case {
    std::u16string path;
    std::u16string cleaned;
  } const cases[] = {
      {u"", u""},
      {u"    ", u""},
      {u"Q:\\Lumora", u"Q:\\Lumora\\"},  // no such drive
      {u"C:\\locked", u"C:\\locked\\"},  // exists but may not be entered
      {u"C:\\locked\\inner", u"C:\\locked\\inner\\"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    std::u16string path = c.path;
    EXPECT_EQ(Create(path), 0);
    EXPECT_EQ(path, c.cleaned);
  }
  EXPECT_FALSE(files.FolderExists(u"C:\\locked\\inner"));
}

TEST_F(CreateFolderTreeTest, APathOfMoreThan259UnitsIsCutAndFails) {
  const std::u16string level = u"C:\\" + std::u16string(100, u'a');
  std::u16string path = level + u"\\" + std::u16string(166, u'b');  // 270 units
  EXPECT_EQ(Create(path), 0);
  EXPECT_EQ(path, level + u"\\" + std::u16string(155, u'b'));  // the first 259 units
  EXPECT_TRUE(files.FolderExists(level));
}

}  // namespace
}  // namespace lumora
