#include "wizard/finish_actions.h"

namespace lumora {

std::optional<std::u16string> ViewerPathForFolderText(std::u16string_view folderText) {
  std::u16string path(folderText);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  path += kViewerFileName;
  if (path.size() > kViewerPathMaxUnits) return std::nullopt;
  return path;
}

}  // namespace lumora
