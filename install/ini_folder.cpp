#include "install/ini_folder.h"

#include <optional>

namespace lumora {

std::u16string ExpandIniFolder(platform::System& system, const std::u16string& text) {
  if (text.find(u'%') == std::u16string::npos) return text.size() <= kIniFolderMaxUnits ? text : std::u16string();

  std::u16string result;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] != u'%') {
      result.push_back(text[at++]);
    } else {
      const std::size_t nameStart = at + 1;
      std::size_t close = text.find(u'%', nameStart);
      if (close == std::u16string::npos) close = text.size();
      const std::u16string name = text.substr(nameStart, close - nameStart);
      at = close + 1;
      if (name.size() > kVariableNameMaxUnits) return {};
      if (name.empty()) continue;  // "%%": no variable has an empty name
      if (std::optional<std::u16string> value = system.FindEnvironmentVariable(name)) {
        if (value->size() > kVariableValueMaxUnits) return {};
        result += *value;
      }
    }
    if (result.size() > kIniFolderMaxUnits) return {};
  }
  return result;
}

}  // namespace lumora
