#pragma once
// The version of the product this setup program installs, shown and registered as
// "%d.%d" (4.72): welcome page, uninstall entry, versioned Start-menu link.
#include <string>

namespace lumora {

inline constexpr int kProductVersionMajor = 4;
inline constexpr int kProductVersionMinor = 72;

// Decimal digits of a non-negative number.
inline std::u16string DecimalText(int value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  return digits;
}

// "4.72".
inline std::u16string ProductVersionText() {
  return DecimalText(kProductVersionMajor) + u"." + DecimalText(kProductVersionMinor);
}

}  // namespace lumora
