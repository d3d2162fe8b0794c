#include "install/toolbar_defaults.h"

namespace lumora {
namespace {

constexpr int kUnscaledDpi = 96;
constexpr int kFullScale = 100;

}  // namespace

int DisplayScalePercent(platform::System& system) {
  const int dpi = system.GetDisplayDpiX();
  if (dpi <= 0) return kFullScale;
  return dpi * kFullScale / kUnscaledDpi;
}

ToolbarDefaults ChooseToolbarDefaults(platform::System& system) {
  const int scale = DisplayScalePercent(system);
  if (system.GetFullScreenHeight() >= 1600 || scale >= 170) return {u"gnome-colors-human_48.png", u"48"};
  if (system.GetFullScreenHeight() > 1200 || scale >= 150) return {u"gnome-colors-wise_32.png", u"32"};
  if (system.GetFullScreenHeight() >= 768) return {u"Granite_24.png", u"24"};
  return {u"Pebble_16.png", u"16"};
}

}  // namespace lumora
