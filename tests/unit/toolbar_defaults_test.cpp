// The first-run toolbar skin for the screen: table boundaries of height and scale.
#include "install/toolbar_defaults.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace lumora {
namespace {

TEST(DisplayScalePercent, DropsTheRemainderAndFallsBackToFullScale) {
  const struct {
    int dpi;
    int scale;
  } cases[] = {{96, 100}, {110, 114}, {120, 125}, {144, 150}, {168, 175}, {192, 200}, {0, 100}};
  for (const auto& c : cases) {
    platform::fake::FakeSystem system;
    system.displayDpiX = c.dpi;
    EXPECT_EQ(DisplayScalePercent(system), c.scale) << c.dpi << " dpi";
  }
}

struct ToolbarCase {
  int height;
  int dpi;  // 0: no display device context
  const char16_t* skin;
  const char16_t* size;
};

TEST(ChooseToolbarDefaults, TakesTheFirstRowThatHolds) {
  const ToolbarCase cases[] = {
      {1200, 96, u"Granite_24.png", u"24"},  // the 32 row needs more than 1200
      {1201, 96, u"gnome-colors-wise_32.png", u"32"},
      {1599, 96, u"gnome-colors-wise_32.png", u"32"},
      {1600, 96, u"gnome-colors-human_48.png", u"48"},
      {768, 96, u"Granite_24.png", u"24"},
      {767, 96, u"Pebble_16.png", u"16"},
      {767, 143, u"Pebble_16.png", u"16"},  // 148 %
      {767, 144, u"gnome-colors-wise_32.png", u"32"},  // 150 %
      {1599, 144, u"gnome-colors-wise_32.png", u"32"},
      {1600, 144, u"gnome-colors-human_48.png", u"48"},
      {767, 163, u"gnome-colors-wise_32.png", u"32"},  // 169 %
      {767, 164, u"gnome-colors-human_48.png", u"48"},  // 170 %
      {767, 168, u"gnome-colors-human_48.png", u"48"},  // 175 %
      {767, 110, u"Pebble_16.png", u"16"},  // 114 % changes nothing
      {1040, 110, u"Granite_24.png", u"24"},
      {767, 0, u"Pebble_16.png", u"16"},
      {1201, 0, u"gnome-colors-wise_32.png", u"32"},
  };
  for (const ToolbarCase& c : cases) {
    platform::fake::FakeSystem system;
    system.fullScreenHeight = c.height;
    system.displayDpiX = c.dpi;
    const ToolbarDefaults chosen = ChooseToolbarDefaults(system);
    EXPECT_EQ(chosen.skin, c.skin) << c.height << " high, " << c.dpi << " dpi";
    EXPECT_EQ(chosen.size, c.size) << c.height << " high, " << c.dpi << " dpi";
  }
}

}  // namespace
}  // namespace lumora
