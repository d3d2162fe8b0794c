// The what's new page's text from the release-notes resource.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "wizard/release_notes.h"

namespace lumora {
namespace {

std::vector<std::uint8_t> Utf16LeBytes(const std::u16string& text) {
  std::vector<std::uint8_t> bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

constexpr char16_t kBom = 0xFEFF;

TEST(ReleaseNotes, TrailingPunctuationBlanksAndLineEndsAreNotShown) {
  struct Case {
    std::u16string resource;
    std::u16string shown;
  };
  const std::u16string head = std::u16string(1, kBom) + u"-----\r\nLumora 4.72 - 2024\r\n-----\r\n";
  const Case cases[] = {
      {head + u"- New: a thing.\r\n\r\n  \r\n", head + u"- New: a thing"},
      {head + u"- Fixed: crash!?)\r\n", head + u"- Fixed: crash"},
      {head + u"- Version 7", head + u"- Version 7"},
      {head + u"- Done ---", head + u"- Done"},
      {std::u16string(1, kBom) + u" .\r\n", u""},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReleaseNotesText(Utf16LeBytes(c.resource)), c.shown);
}

TEST(ReleaseNotes, ALongResourceIsCutToItsFirst10239Units) {
  std::u16string resource(1, kBom);
  resource += std::u16string(kReleaseNotesMaxUnits + 500, u'x');
  const std::u16string shown = ReleaseNotesText(Utf16LeBytes(resource));
  ASSERT_EQ(shown.size(), kReleaseNotesMaxUnits);
  EXPECT_EQ(shown, resource.substr(0, kReleaseNotesMaxUnits));
}

TEST(ReleaseNotes, TheCutIsTrimmedLikeAnyEnd) {
  // Unit 10,239 (the last one kept) is a blank: it goes, the letter before stays.
  std::u16string resource(kReleaseNotesMaxUnits - 1, u'y');
  resource += u" tail that is never read";
  const std::u16string shown = ReleaseNotesText(Utf16LeBytes(resource));
  EXPECT_EQ(shown.size(), kReleaseNotesMaxUnits - 1);
}

TEST(ReleaseNotes, TextEndsAtAnEmbeddedZeroAndAnOddByteIsKept) {
  const std::vector<std::uint8_t> bytes = Utf16LeBytes(std::u16string(u"ab\0cd", 5));
  EXPECT_EQ(ReleaseNotesText(bytes), u"ab");
  const std::vector<std::uint8_t> odd = {'a', 0, 'b'};
  EXPECT_EQ(ReleaseNotesText(odd), u"ab");
}

}  // namespace
}  // namespace lumora
