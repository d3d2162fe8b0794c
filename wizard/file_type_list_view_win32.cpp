#include "wizard/file_type_list_view.h"

#include <commctrl.h>

namespace lumora {
namespace {
constexpr int kStateImageShift = 12;
}

bool FileTypeListView::IsEnabled() const { return list && ::IsWindowEnabled(list); }

int FileTypeListView::ItemCount() const { return list ? ListView_GetItemCount(list) : 0; }

int FileTypeListView::StateImage(int row) const {
  return static_cast<int>(ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> kStateImageShift);
}

void FileTypeListView::SetStateImage(int row, int image) {
  if (!list) return;
  ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(image)), LVIS_STATEIMAGEMASK);
}

}  // namespace lumora
