#include "wizard/welcome_texts.h"

namespace lumora {
namespace {

std::u16string DecimalText(int value) {
  std::u16string digits;
  const bool negative = value < 0;
  unsigned magnitude = negative ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) digits.insert(digits.begin(), u'-');
  return digits;
}

}  // namespace

std::u16string ProductVersionText() {
  return DecimalText(kProductVersionMajor) + u"." + DecimalText(kProductVersionMinor);
}

std::u16string FormatWithTexts(std::u16string_view format, std::initializer_list<std::u16string_view> arguments) {
  std::u16string text;
  auto next = arguments.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u's') {
        if (next != arguments.end()) text += *next++;
        ++i;
        continue;
      }
      if (format[i + 1] == u'%') {
        text += u'%';
        ++i;
        continue;
      }
    }
    text += format[i];
  }
  return text;
}

}  // namespace lumora
