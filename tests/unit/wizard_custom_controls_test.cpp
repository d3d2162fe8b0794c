// The hyperlink's and the colour static's decisions that need no window.
#include <gtest/gtest.h>

#include <string>

#include "wizard/colour_static_format.h"
#include "wizard/hyperlink_rules.h"

namespace lumora {
namespace {

TEST(HyperLinkColour, HoverThenVisitedThenNormal) {
  const LinkColours colours;
  EXPECT_EQ(LinkTextColour(colours, false, false), 0x00EE0000u);
  EXPECT_EQ(LinkTextColour(colours, false, true), 0x008B1A55u);
  EXPECT_EQ(LinkTextColour(colours, true, true), 0x000000FFu);
  EXPECT_EQ(LinkTextColour(colours, true, false), 0x000000FFu);
}

TEST(HyperLinkFit, KeepsTheEdgeOrCentreThatTheStyleNames) {
  // A label at (30, 206)-(84, 216) without frame; its text measures 40 × 8.
  const LinkRect label{30, 206, 84, 216};
  struct Case {
    std::uint32_t style;
    LinkRect fitted;
  };
  const Case cases[] = {
      {0, {30, 206, 70, 214}},
      {kStyleRight, {44, 206, 84, 214}},
      {kStyleCentre, {37, 206, 77, 214}},
      {kStyleCentre | kStyleCentreImage, {37, 207, 77, 215}},
      {kStyleCentreImage, {30, 207, 70, 215}},
  };
  for (const auto& c : cases) {
    const LinkRect fitted = FitRectToText(label, 54, 10, c.style, 40, 8);
    EXPECT_EQ(fitted.left, c.fitted.left) << c.style;
    EXPECT_EQ(fitted.top, c.fitted.top) << c.style;
    EXPECT_EQ(fitted.right, c.fitted.right) << c.style;
    EXPECT_EQ(fitted.bottom, c.fitted.bottom) << c.style;
  }
}

TEST(HyperLinkFit, TheFrameIsAddedAndOddHalvesTruncateTowardsZero) {
  // A 2-pixel border each side: window 54 × 10, client 50 × 6; text 41 × 5 -> 45 × 9.
  const LinkRect label{0, 0, 54, 10};
  const LinkRect left = FitRectToText(label, 50, 6, 0, 41, 5);
  EXPECT_EQ(left.Width(), 45);
  EXPECT_EQ(left.Height(), 9);
  const LinkRect centred = FitRectToText(label, 50, 6, kStyleCentre | kStyleCentreImage, 41, 5);
  EXPECT_EQ(centred.left, 4);  // (54 - 45) / 2
  EXPECT_EQ(centred.right, 50);
  EXPECT_EQ(centred.top, 0);  // (10 - 9) / 2
  // Text wider than the window: it grows by the truncated negative half on each side.
  const LinkRect grown = FitRectToText(label, 54, 10, kStyleCentre, 59, 10);
  EXPECT_EQ(grown.left, -2);
  EXPECT_EQ(grown.right, 56);
}

TEST(HyperLinkFallback, CommandIsCutAtItsPlaceholderAndTakesTheAddress) {
  struct Case {
    std::u16string registered;
    std::u16string command;
  };
  const std::u16string address = u"https://www.example.com/lumora/eula.html";
  const Case cases[] = {
      {u"C:\\browser.exe -1 \"%1\"", u"C:\\browser.exe -1  " + address},
      {u"C:\\browser.exe -1 %1", u"C:\\browser.exe -1  " + address},
      {u"C:\\browser.exe", u"C:\\browser.exe " + address},
      {u"\"C:\\Program Files\\b.exe\" \"%1\" -new", u"\"C:\\Program Files\\b.exe\"  " + address},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlFallbackCommand(c.registered, address), c.command);
}

TEST(HyperLinkFallback, ACommandBeyondItsBufferIsSkipped) {
  const std::u16string registered(519 - 2, u'x');
  EXPECT_EQ(HtmlFallbackCommand(registered, u"a")->size(), 519u);
  EXPECT_FALSE(HtmlFallbackCommand(registered, u"ab").has_value());
}

TEST(ColourStaticFormat, AlignmentAndLinesFromTheStyle) {
  struct Case {
    std::uint32_t style;
    std::uint32_t format;
  };
  const Case cases[] = {
      {0, kDrawLeft | kDrawWordBreak},
      {kStyleCentre | kStyleCentreImage, kDrawCentre | kDrawCentredLine},
      {kStyleRight, kDrawRight | kDrawWordBreak},
      {kStyleRight | kStyleCentreImage, kDrawRight | kDrawCentredLine},
  };
  for (const auto& c : cases) EXPECT_EQ(DrawTextFormatForStyle(c.style), c.format) << c.style;
}

}  // namespace
}  // namespace lumora
