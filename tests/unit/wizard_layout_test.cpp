// Pixel arithmetic of the wizard: MulDiv's rounding, the DPI fallback and the
// associations list's column widths.
#include <gtest/gtest.h>

#include "wizard/dpi_scaling.h"
#include "wizard/file_type_columns.h"

namespace lumora {
namespace {

TEST(MulDiv, RoundsToNearestLikeWindows) {
  struct Case {
    int a, b, c, result;
  };
  const Case cases[] = {
      {25, 144, 96, 38},  // 37.5 rounds up
      {18, 120, 96, 23},  // 22.5
      {18, 96, 96, 18},   {18, 144, 96, 27}, {25, 96, 96, 25},
      {-25, 144, 96, -38},  // halves away from zero
      {1, 1, 0, -1},        {0x7FFFFFFF, 2, 1, -1},
      {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF},
  };
  for (const auto& c : cases) EXPECT_EQ(MulDivRounded(c.a, c.b, c.c), c.result) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MulDiv, NoDeviceContextCountsAs96Dpi) {
  EXPECT_EQ(ScaleForDpi(kLargeTextHeightAt96Dpi, 0), 18);
  EXPECT_EQ(ScaleForDpi(kLargeTextHeightAt96Dpi, 144), 27);
}

TEST(FileTypeColumns, ThirdsLessAScrollBarMarginScaledForTheScreen) {
  struct Case {
    int width, dpi, first, second;
  };
  const Case cases[] = {
      {570, 96, 190, 355},
      {570, 144, 190, 342},  // margin MulDiv(25, 144, 96) = 38
      {571, 96, 190, 355},   // (2 * 571) / 3 = 380
      {570, 0, 190, 355},
      {856, 144, 285, 532},
  };
  for (const auto& c : cases) {
    const FileTypeColumnWidths widths = FileTypeColumnWidthsFor(c.width, c.dpi);
    EXPECT_EQ(widths.listText, c.first) << c.width << "@" << c.dpi;
    EXPECT_EQ(widths.description, c.second) << c.width << "@" << c.dpi;
  }
}

}  // namespace
}  // namespace lumora
