#include "wizard/colour_static_format.h"

#include "wizard/static_styles.h"

namespace lumora {

std::uint32_t DrawTextFormatForStyle(std::uint32_t style) {
  std::uint32_t format = kDrawLeft;
  if (style & kStyleCentre) {
    format = kDrawCentre;
  } else if (style & kStyleRight) {
    format = kDrawRight;
  }
  format |= (style & kStyleCentreImage) ? kDrawCentredLine : kDrawWordBreak;
  return format;
}

}  // namespace lumora
