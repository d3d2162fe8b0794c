#pragma once
// The welcome page's greeting and version line: template texts used as formats,
// filled in once on the page's first show.
#include <initializer_list>
#include <string>
#include <string_view>

namespace lumora {

// The bitness shown beside the product version (ProductVersionText, "4.72").
inline constexpr char16_t kProductBitness[] = u"64";

// A control's text used as a format with text arguments only: each "%s" takes the
// next argument (nothing once they run out) and "%%" gives "%"; every other
// character, blanks and line feeds included, stays as it is.
std::u16string FormatWithTexts(std::u16string_view format, std::initializer_list<std::u16string_view> arguments);

}  // namespace lumora
