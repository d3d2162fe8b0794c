#include "wizard/file_type_columns.h"

#include "wizard/dpi_scaling.h"

namespace lumora {
namespace {
constexpr int kScrollBarMarginAt96Dpi = 25;
}

FileTypeColumnWidths FileTypeColumnWidthsFor(int listWidth, int dpi) {
  return {listWidth / 3, (2 * listWidth) / 3 - ScaleForDpi(kScrollBarMarginAt96Dpi, dpi)};
}

}  // namespace lumora
