#pragma once
// How the colour static control places its text, from the label's styles.
#include <cstdint>

namespace lumora {

inline constexpr std::uint32_t kDrawLeft = 0x0;          // DT_LEFT
inline constexpr std::uint32_t kDrawCentre = 0x1;        // DT_CENTER
inline constexpr std::uint32_t kDrawRight = 0x2;         // DT_RIGHT
inline constexpr std::uint32_t kDrawWordBreak = 0x10;    // DT_WORDBREAK
inline constexpr std::uint32_t kDrawCentredLine = 0x24;  // DT_VCENTER | DT_SINGLELINE

// SS_CENTER gives centred, else SS_RIGHT right-aligned, else left-aligned text;
// SS_CENTERIMAGE one vertically centred line, else word-wrapped lines.
std::uint32_t DrawTextFormatForStyle(std::uint32_t style);

}  // namespace lumora
