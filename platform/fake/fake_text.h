#pragma once
// Internal helpers of the host fakes: case folding as Windows compares names
// (ASCII and Latin-1 letters) and small string utilities. Not part of the seam.
#include <string>
#include <string_view>

namespace lumora::platform::fake::detail {

// Upper case of one UTF-16 unit for ASCII and Latin-1 letters (y-diaeresis folds
// to U+0178 as CharUpperW does); every other unit is its own fold.
inline char16_t FoldUnit(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 0x20);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 0x20);
  if (c == 0xFF) return static_cast<char16_t>(0x178);
  return c;
}

inline std::u16string Fold(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = FoldUnit(c);
  return folded;
}

inline bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (FoldUnit(a[i]) != FoldUnit(b[i])) return false;
  return true;
}

inline bool StartsWithNoCase(std::u16string_view text, std::u16string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace lumora::platform::fake::detail
