#include "wizard/file_type_checks.h"

namespace lumora {
namespace {

void SetEveryRowFrom(FileTypeChecks& list, int firstRow, int image) {
  for (int row = firstRow; row < list.ItemCount(); ++row) list.SetStateImage(row, image);
}

}  // namespace

void CheckImageRowsOnly(FileTypeChecks& list) {
  constexpr int imageRows = static_cast<int>(kImageRowCount);
  for (int row = 0; row < imageRows; ++row) list.SetStateImage(row, kCheckedStateImage);
  SetEveryRowFrom(list, imageRows, kUncheckedStateImage);
}

void CheckAllRows(FileTypeChecks& list) { SetEveryRowFrom(list, 0, kCheckedStateImage); }

void UncheckAllRows(FileTypeChecks& list) { SetEveryRowFrom(list, 0, kUncheckedStateImage); }

std::int32_t CollectAssociationChoices(const FileTypeChecks& list, AssociationSelection& selection) {
  ClearSelection(selection);
  std::int32_t registerAssociations = 0;
  if (!list.IsEnabled()) return registerAssociations;

  int rows = list.ItemCount();
  if (rows > static_cast<int>(kSelectionSlotCount)) rows = static_cast<int>(kSelectionSlotCount);
  for (int row = 0; row < rows; ++row) {
    if (list.StateImage(row) != kUncheckedStateImage) {
      selection[static_cast<std::size_t>(row)] = 1;
      registerAssociations = 1;
    }
  }
  return registerAssociations;
}

}  // namespace lumora
