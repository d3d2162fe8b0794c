#include "wizard/welcome_texts.h"

namespace lumora {

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
