#pragma once
// The first-run toolbar skin, fitted to the primary display. The skins are installed
// by the payload under "Toolbars/"; the viewer reads the two values from its INI file.
#include <string>

#include "platform/system.h"

namespace lumora {

struct ToolbarDefaults {
  std::u16string skin;  // file name of the skin, e.g. "Granite_24.png"
  std::u16string size;  // button size in pixels as text, e.g. "24"
};

// The display scale in percent: LOGPIXELSX of a display device context * 100 / 96,
// remainder dropped; 100 when no device context can be had.
int DisplayScalePercent(platform::System& system);

// The first row that holds, from the top: height at least 1600 or scale at least 170
// gives the 48-pixel skin; height above 1200 or scale at least 150 the 32-pixel one;
// height at least 768 the 24-pixel one; anything smaller the 16-pixel one. The height
// is the full-screen client height, asked afresh for each row.
ToolbarDefaults ChooseToolbarDefaults(platform::System& system);

}  // namespace lumora
