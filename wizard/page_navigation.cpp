#include "wizard/page_navigation.h"

namespace lumora {

int AdjacentPageTemplate(std::span<const int> pageTemplates, int activeIndex, bool forward) {
  const int index = forward ? activeIndex + 1 : activeIndex - 1;
  if (index < 0 || index >= static_cast<int>(pageTemplates.size())) return kStayOnPage;
  return pageTemplates[static_cast<std::size_t>(index)];
}

}  // namespace lumora
