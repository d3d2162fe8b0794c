#pragma once
// The associations page's list control as the list rules see it (FileTypeChecks):
// check marks are state images, read and set through list-view messages.
#include <windows.h>

#include "wizard/file_type_checks.h"

namespace lumora {

class FileTypeListView final : public FileTypeChecks {
 public:
  // `list` may be null (the page was never shown): locked and empty.
  explicit FileTypeListView(HWND list) : list(list) {}
  bool IsEnabled() const override;
  int ItemCount() const override;
  int StateImage(int row) const override;
  void SetStateImage(int row, int image) override;

 private:
  HWND list;
};

}  // namespace lumora
