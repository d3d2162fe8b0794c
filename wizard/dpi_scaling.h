#pragma once
// Sizes given for 96 pixels per inch, scaled to the screen the wizard is on.
namespace lumora {

inline constexpr int kReferenceDpi = 96;

// a × b / c rounded to the nearest integer, halves away from zero, computed without
// overflow in 64 bits: what Windows' MulDiv returns. -1 when c is 0 or the result
// does not fit in 32 bits, as MulDiv reports it.
int MulDivRounded(int a, int b, int c);

// A length given at 96 pixels per inch, for `dpi`; a dpi of 0 (no device context
// could be had) counts as 96.
int ScaleForDpi(int length, int dpi);

// The cell height in pixels of the wizard's 18-pixel Arial texts (header font and
// the ready page's status text).
inline constexpr int kLargeTextHeightAt96Dpi = 18;

}  // namespace lumora
