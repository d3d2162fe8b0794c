// The welcome page's folder rules: Next's drive check, Browse's "Lumora\" level and
// the folder picker's start folder.
#include <gtest/gtest.h>

#include <string>

#include "wizard/folder_rules.h"

namespace lumora {
namespace {

struct DestinationCase {
  std::u16string text;
  bool accepted;
};

TEST(WelcomeFolderCheck, AcceptsOnlyTextsWithADrivePart) {
  const DestinationCase cases[] = {
      {u"C:\\x", true},
      {u"C:", true},
      {u"d:\\Program Files\\Lumora\\", true},
      {u"C:relative", true},  // the drive is all that is checked here
      {u"", false},
      {u"\\\\server\\share\\x", false},
      {u"x\\y", false},
      {u" C:\\x", false},
      {u"C", false},
      {u"\\Lumora", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAcceptableDestination(c.text), c.accepted) << std::string(c.text.begin(), c.text.end());
  }
}

struct PickedCase {
  std::u16string picked;
  std::u16string boxText;
};

TEST(BrowseFolderRule, AddsTheProductLevelUnlessItIsThere) {
  const PickedCase cases[] = {
      {u"D:\\", u"D:\\Lumora\\"},
      {u"D:\\Apps", u"D:\\Apps\\Lumora\\"},
      {u"D:\\Apps\\", u"D:\\Apps\\Lumora\\"},
      {u"D:\\Apps\\Lumora", u"D:\\Apps\\Lumora\\"},
      {u"D:\\Apps\\LUMORA\\", u"D:\\Apps\\LUMORA\\"},
      {u"D:\\Lumora", u"D:\\Lumora\\"},
      {u"D:\\Apps\\Lumora2", u"D:\\Apps\\Lumora2\\Lumora\\"},
      {u"\\\\server\\share", u"\\\\server\\share\\Lumora\\"},
      // No backslash before the last one but position 0: nothing is added.
      {u"\\Apps", u"\\Apps\\"},
  };
  for (const auto& c : cases) {
    const auto box = FolderForPickedPath(c.picked);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(*box, c.boxText) << std::string(c.picked.begin(), c.picked.end());
  }
}

TEST(BrowseFolderRule, RefusesAFolderThatWouldOverrunTheBuffer) {
  // 256 characters plus "\" fit the 264-unit buffer; with "Lumora\" they do not.
  const std::u16string longFolder = u"D:\\" + std::u16string(253, u'a');
  EXPECT_FALSE(FolderForPickedPath(longFolder).has_value());
  const std::u16string fitting = u"D:\\" + std::u16string(252, u'a');  // 255 + 1 + 7 = 263
  ASSERT_TRUE(FolderForPickedPath(fitting).has_value());
  EXPECT_EQ(FolderForPickedPath(fitting)->size(), kBrowsePathMaxUnits);
  // A folder already named Lumora needs no room for a second level.
  const std::u16string longLumora = u"D:\\" + std::u16string(250, u'a') + u"\\Lumora";
  EXPECT_TRUE(FolderForPickedPath(longLumora).has_value());
}

TEST(FolderPickerStart, DropsTheTrailingBackslashExceptOnARoot) {
  const PickedCase cases[] = {
      {u"C:\\Program Files\\Lumora\\", u"C:\\Program Files\\Lumora"},
      {u"C:\\Program Files\\Lumora", u"C:\\Program Files\\Lumora"},
      {u"D:\\", u"D:\\"},
      {u"", u""},
      {u"x\\", u"x\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(PickerStartFolder(c.picked), c.boxText);
  EXPECT_EQ(PickerStartFolder(std::u16string(300, u'a')).size(), kBrowsePathMaxUnits);
}

}  // namespace
}  // namespace lumora
