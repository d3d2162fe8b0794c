#pragma once
// The hyperlink control's decisions that need no window: its text colour, the
// rectangle it shrinks to around its text, and the command that opens an address
// when the shell cannot.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "wizard/static_styles.h"

namespace lumora {

using ColourRef = std::uint32_t;  // 0x00BBGGRR

struct LinkColours {
  ColourRef normal = 0x00EE0000;   // RGB(0, 0, 238)
  ColourRef visited = 0x008B1A55;  // RGB(85, 26, 139)
  ColourRef hover = 0x000000FF;    // RGB(255, 0, 0)
};

// Hovering wins over visited, visited over normal.
ColourRef LinkTextColour(const LinkColours& colours, bool hovering, bool visited);

struct LinkRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The window rectangle (in the parent's client coordinates) after fitting it to a
// text of textWidth × textHeight pixels plus the window's frame (window size less
// client size). A centred label keeps its centre line, a right-aligned one its right
// edge, any other its left edge; a vertically centred one keeps its middle, any
// other its top. Halves are truncated towards zero.
LinkRect FitRectToText(const LinkRect& window, int clientWidth, int clientHeight, std::uint32_t style,
                       int textWidth, int textHeight);

// Units the fallback command may hold with its terminator.
inline constexpr std::size_t kFallbackCommandMaxUnits = 519;

// The command that opens `address` with the program registered for HTML files: the
// registered open command cut at its placeholder ("%1" in double quotes, else %1),
// then a blank and the address, unquoted. nullopt when that would not fit in the
// 520-unit command buffer: the fallback is then skipped.
std::optional<std::u16string> HtmlFallbackCommand(std::u16string_view registeredCommand, std::u16string_view address);

}  // namespace lumora
