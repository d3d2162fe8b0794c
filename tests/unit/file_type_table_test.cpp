#include "system/file_type_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace lumora {
namespace {

bool HasPlugInMark(std::u16string_view description) {
  return description.size() >= 2 && description.substr(description.size() - 2) == u" *";
}

TEST(FileTypeTable, HoldsTheDocumentedCounts) {
  const auto table = FileTypeTable();
  std::size_t extensions = 0;
  std::size_t plugInRows = 0;
  std::set<std::u16string_view> progIdSuffixes;
  for (const FileTypeRow& row : table) {
    extensions += row.registrations.size();
    if (HasPlugInMark(row.description)) ++plugInRows;
    for (const ExtensionRegistration& registration : row.registrations) progIdSuffixes.insert(registration.progIdSuffix);
  }
  EXPECT_EQ(table.size(), 63u);
  EXPECT_EQ(extensions, 87u);
  EXPECT_EQ(progIdSuffixes.size(), 69u);
  EXPECT_EQ(plugInRows, 46u);
}

// The list text is display only, but it names the same extensions in the same order:
// a typo in either column shows here.
TEST(FileTypeTable, ListTextNamesTheRegisteredExtensions) {
  const auto table = FileTypeTable();
  for (std::size_t index = 0; index < table.size(); ++index) {
    const FileTypeRow& row = table[index];
    std::u16string joined;
    for (const ExtensionRegistration& registration : row.registrations) {
      if (!joined.empty()) joined += u'/';
      for (char16_t unit : registration.extension) {
        EXPECT_TRUE((unit >= u'a' && unit <= u'z') || (unit >= u'0' && unit <= u'9'));
        joined += (unit >= u'a' && unit <= u'z') ? static_cast<char16_t>(unit - u'a' + u'A') : unit;
      }
    }
    EXPECT_EQ(joined, row.listText) << "row " << index;
    ASSERT_GE(row.registrations.size(), 1u);
    ASSERT_LE(row.registrations.size(), 4u);
    EXPECT_EQ(row.registrations[0].progIdSuffix, row.registrations[0].extension) << "row " << index;
  }
}

struct RowCase {
  std::size_t row;
  std::u16string_view listText;
  std::vector<ExtensionRegistration> registrations;
};

TEST(FileTypeTable, KeepsTheIrregularProgIdSuffixes) {
  const RowCase cases[] = {
      {4, u"CRW/CR2/CR3", {{u"crw", u"crw"}, {u"cr2", u"cr2"}, {u"cr3", u"cr3"}}},
      {6, u"DCM/ACR/IMA", {{u"dcm", u"dcm"}, {u"acr", u"dcm"}, {u"ima", u"dcm"}}},
      {23, u"JPG/JPEG/JFIF/JPE", {{u"jpg", u"jpg"}, {u"jpeg", u"jpg"}, {u"jfif", u"jpg"}, {u"jpe", u"jpg"}}},
      {26, u"MNG/JNG", {{u"mng", u"mng"}, {u"jng", u"jng"}}},
      {43, u"TIF/TIFF", {{u"tif", u"tif"}, {u"tiff", u"tif"}}},
      {49, u"SWF/FLV", {{u"swf", u"swf"}, {u"flv", u"flv"}}},
      {53, u"MPG/MPE/MPEG", {{u"mpg", u"mpg"}, {u"mpe", u"mpe"}, {u"mpeg", u"mpg"}}},
      {57, u"MID/RMI", {{u"mid", u"mid"}, {u"rmi", u"rmi"}}},
      {60, u"AU/SND", {{u"au", u"au"}, {u"snd", u"au"}}},
  };
  for (const RowCase& expected : cases) {
    const FileTypeRow& row = FileTypeTable()[expected.row];
    EXPECT_EQ(row.listText, expected.listText);
    EXPECT_EQ(std::vector<ExtensionRegistration>(row.registrations.begin(), row.registrations.end()),
              expected.registrations)
        << "row " << expected.row;
  }
}

TEST(FileTypeTable, IconsFollowTheMediaClass) {
  const auto table = FileTypeTable();
  for (std::size_t row = 0; row < table.size(); ++row) {
    IconSource expected = kViewerIcon;
    if (row == 0 || row == 5 || row == 19) expected = kFileOwnIcon;  // ANI, CUR, ICO
    if (row >= 51 && row <= 55) expected = kVideoIcon;
    if (row >= 56) expected = kAudioIcon;
    EXPECT_EQ(table[row].iconSource, expected) << "row " << row;
  }
  EXPECT_EQ(table[19].listText, u"ICO");
}

TEST(FileTypeTable, ImageRowsEndWithXpm) {
  const auto table = FileTypeTable();
  EXPECT_EQ(table[48].listText, u"XPM");
  EXPECT_TRUE(IsImageRow(48));
  EXPECT_FALSE(IsImageRow(49));  // SWF/FLV and TTF use icon 0 but are not images
  EXPECT_EQ(table[50].listText, u"TTF");
  EXPECT_EQ(table[50].iconSource, kViewerIcon);
}

TEST(FileTypeTable, IconStringIsOwnIconOrViewerIndex) {
  const std::u16string viewer = u"C:\\Apps\\Lumora\\l_mora64.exe";
  EXPECT_EQ(IconString(kFileOwnIcon, viewer), u"%1");
  EXPECT_EQ(IconString(kViewerIcon, viewer), viewer + u",0");
  EXPECT_EQ(IconString(kVideoIcon, viewer), viewer + u",12");
  EXPECT_EQ(IconString(kAudioIcon, viewer), viewer + u",11");
}

}  // namespace
}  // namespace lumora
