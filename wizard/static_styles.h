#pragma once
// The static control styles that decide where a label's text goes.
#include <cstdint>

namespace lumora {

inline constexpr std::uint32_t kStyleCentre = 0x1;         // SS_CENTER
inline constexpr std::uint32_t kStyleRight = 0x2;          // SS_RIGHT
inline constexpr std::uint32_t kStyleCentreImage = 0x200;  // SS_CENTERIMAGE

}  // namespace lumora
