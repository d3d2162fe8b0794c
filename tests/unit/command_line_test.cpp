// The silent road's option grammar: defaults, option values, numbers and the limits
// of the work buffer and of each option.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace lumora {
namespace {

constexpr char16_t kProgram[] = u"\"C:\\Downloads\\lumora64_setup.exe\" /silent ";
constexpr char16_t kDefaultFolder[] = u"C:\\Program Files\\Lumora";
constexpr char16_t kAppDataIni[] = u"%APPDATA%\\Lumora";

SetupOptions FirstInstallation(const std::u16string& options) {
  return ParseSilentOptions(kProgram + options, std::nullopt, kDefaultFolder);
}

TEST(HasSilentSwitch, IsCaseSensitiveAndFindsTheTextAnywhere) {
  struct Case {
    const char16_t* line;
    bool silent;
  } const cases[] = {
      {u"setup.exe /silent", true},
      {u"setup.exe /silent/folder=C:\\x", true},
      {u"setup.exe /silently", true},
      {u"setup.exe/silent", true},
      {u"setup.exe /SILENT", false},
      {u"setup.exe /Silent", false},
      {u"setup.exe silent", false},
      {u"C:\\silent\\setup.exe", false},
      {u"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasSilentSwitch(c.line), c.silent) << testing::PrintToString(std::u16string(c.line));
}

TEST(ParseSilentOptions, DefaultsFollowTheEarlierInstallation) {
  const SetupOptions first = FirstInstallation(u"");
  EXPECT_EQ(first.destinationFolder, kDefaultFolder);
  EXPECT_EQ(first.iniFolder, kAppDataIni);
  EXPECT_EQ(first.silent, 1);
  EXPECT_EQ(first.caption, u"Lumora 64-bit Setup");
  EXPECT_EQ(first.desktopShortcut | first.thumbnailsShortcut | first.startMenuGroup | first.allUsers, 0);
  EXPECT_EQ(first.registerAssociations, 0);
  EXPECT_EQ(first.associations, AssociationSelection{});

  const SetupOptions update = ParseSilentOptions(kProgram, u"D:\\Tools\\Lumora\\", kDefaultFolder);
  EXPECT_EQ(update.destinationFolder, u"D:\\Tools\\Lumora\\");
  EXPECT_EQ(update.iniFolder, u"");
}

struct OptionCase {
  const char16_t* options;
  const char16_t* destinationFolder;
  const char16_t* iniFolder;
  std::int32_t desktop, thumbs, group, allUsers;
};

TEST(ParseSilentOptions, ReadsEachOptionFromItsFirstOccurrence) {
  const OptionCase cases[] = {
      {u"/folder=", u"", kAppDataIni, 0, 0, 0, 0},
      {u"/folder=/desktop=1", u"", kAppDataIni, 1, 0, 0, 0},
      {u"/folder=\"C:\\My Apps\\Lumora\" /desktop=1", u"C:\\My Apps\\Lumora", kAppDataIni, 1, 0, 0, 0},
      {u"/folder=D:\\Lumora/group=1", u"D:\\Lumora", kAppDataIni, 0, 0, 1, 0},
      {u"/folder= D:\\Lumora  ", u" D:\\Lumora", kAppDataIni, 0, 0, 0, 0},
      {u"/folder=D:\\Bilder \u5199\u771f", u"D:\\Bilder \u5199\u771f", kAppDataIni, 0, 0, 0, 0},
      {u"/folder=D:\\one /folder=D:\\two", u"D:\\one", kAppDataIni, 0, 0, 0, 0},
      {u"/FOLDER=D:\\x /Desktop=1", kDefaultFolder, kAppDataIni, 0, 0, 0, 0},
      {u"/ini=", kDefaultFolder, u"", 0, 0, 0, 0},
      {u"/ini=\"%LOCALAPPDATA%\\Lumora\" ", kDefaultFolder, u"%LOCALAPPDATA%\\Lumora", 0, 0, 0, 0},
      {u"/allusers=1/thumbs=1/group=1/desktop=1", kDefaultFolder, kAppDataIni, 1, 1, 1, 1},
      {u"/desktop=2", kDefaultFolder, kAppDataIni, 2, 0, 0, 0},
      {u"/desktop=-1", kDefaultFolder, kAppDataIni, -1, 0, 0, 0},
      {u"/desktop=x", kDefaultFolder, kAppDataIni, 0, 0, 0, 0},
      {u"/desktop=1 /desktop=0", kDefaultFolder, kAppDataIni, 1, 0, 0, 0},
      {u"/desktop=  +7x", kDefaultFolder, kAppDataIni, 7, 0, 0, 0},
      {u"/desktop=\t1", kDefaultFolder, kAppDataIni, 1, 0, 0, 0},
      {u"/desktop=- 1", kDefaultFolder, kAppDataIni, 0, 0, 0, 0},
      {u"/desktop=2147483647", kDefaultFolder, kAppDataIni, std::numeric_limits<std::int32_t>::max(), 0, 0, 0},
      {u"/desktop=2147483648", kDefaultFolder, kAppDataIni, std::numeric_limits<std::int32_t>::max(), 0, 0, 0},
      {u"/desktop=-2147483648", kDefaultFolder, kAppDataIni, std::numeric_limits<std::int32_t>::min(), 0, 0, 0},
      {u"/desktop=-99999999999999999999", kDefaultFolder, kAppDataIni, std::numeric_limits<std::int32_t>::min(), 0, 0, 0},
  };
  for (const OptionCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.options)));
    const SetupOptions options = FirstInstallation(c.options);
    EXPECT_EQ(options.destinationFolder, c.destinationFolder);
    EXPECT_EQ(options.iniFolder, c.iniFolder);
    EXPECT_EQ(options.desktopShortcut, c.desktop);
    EXPECT_EQ(options.thumbnailsShortcut, c.thumbs);
    EXPECT_EQ(options.startMenuGroup, c.group);
    EXPECT_EQ(options.allUsers, c.allUsers);
  }
}

TEST(ParseSilentOptions, AssocSelectsImageRowsOrAllRows) {
  struct Case {
    const char16_t* options;
    std::size_t selectedRows;  // rows 0 .. selectedRows - 1 are 1, the rest 0
    std::int32_t registerAssociations;
  } const cases[] = {
      {u"/assoc=1", kImageRowCount, 1}, {u"/assoc=2", kSelectionSlotCount, 1}, {u"/assoc=0", 0, 0},
      {u"/assoc=3", 0, 0},              {u"/assoc=-1", 0, 0},                  {u"/assoc=", 0, 0},
      {u"/assoc=1 /assoc=2", kImageRowCount, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.options)));
    const SetupOptions options = FirstInstallation(c.options);
    EXPECT_EQ(options.registerAssociations, c.registerAssociations);
    for (std::size_t slot = 0; slot < kSelectionSlotCount; ++slot) {
      EXPECT_EQ(options.associations[slot], slot < c.selectedRows ? 1 : 0) << "slot " << slot;
    }
  }
}

TEST(ParseSilentOptions, ValuesStopAtTheirOptionsLimit) {
  const std::u16string longText(300, u'a');
  EXPECT_EQ(FirstInstallation(u"/folder=" + longText).destinationFolder, std::u16string(252, u'a'));
  EXPECT_EQ(FirstInstallation(u"/ini=" + longText).iniFolder, std::u16string(255, u'a'));
  // 251 units of "/desktop=" hold 250 zeros and the first digit after them.
  EXPECT_EQ(FirstInstallation(u"/desktop=" + std::u16string(250, u'0') + u"12").desktopShortcut, 1);
  // Units are counted, not characters: a pair that straddles the limit keeps its first half.
  const std::u16string pair = u"\U0001F600";
  const SetupOptions cut = FirstInstallation(u"/folder=" + std::u16string(251, u'a') + pair);
  ASSERT_EQ(cut.destinationFolder.size(), 252u);
  EXPECT_EQ(cut.destinationFolder.back(), pair.front());
}

TEST(ParseSilentOptions, SeesOnlyTheFirst519UnitsOfTheLine) {
  const std::u16string head = kProgram;
  const auto padTo = [&](std::size_t units) { return head + std::u16string(units - head.size(), u' '); };
  // The option ends at unit 519: found, with the value that fits.
  EXPECT_EQ(ParseSilentOptions(padTo(509) + u"/desktop=1", std::nullopt, kDefaultFolder).desktopShortcut, 1);
  // The prefix fits but its value lies beyond: an empty value reads 0.
  EXPECT_EQ(ParseSilentOptions(padTo(510) + u"/desktop=1/group=1", std::nullopt, kDefaultFolder).desktopShortcut, 0);
  // A prefix cut by the limit is not seen; the default stays.
  const SetupOptions unseen = ParseSilentOptions(padTo(515) + u"/folder=D:\\x", std::nullopt, kDefaultFolder);
  EXPECT_EQ(unseen.destinationFolder, kDefaultFolder);
  const SetupOptions straddling = ParseSilentOptions(padTo(505) + u"/folder=D:\\Lumora", std::nullopt, kDefaultFolder);
  EXPECT_EQ(straddling.destinationFolder, u"D:\\Lum");
}

}  // namespace
}  // namespace lumora
