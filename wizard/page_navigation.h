#pragma once
// Back and Next of every wizard page: the neighbour's dialog template, by index.
#include <span>

namespace lumora {

// What a page's Back or Next hands to the property sheet to stay where it is.
inline constexpr int kStayOnPage = -1;

// The template id of the page before (forward false) or after the active one, or
// kStayOnPage at either end of the wizard.
int AdjacentPageTemplate(std::span<const int> pageTemplates, int activeIndex, bool forward);

}  // namespace lumora
