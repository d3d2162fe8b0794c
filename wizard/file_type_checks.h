#pragma once
// The check marks of the associations page's file-type list, and what the page's
// buttons and the installation hand-off do with them. The list is reached through
// FileTypeChecks so that these rules run without a window.
#include <cstdint>

#include "system/association_selection.h"

namespace lumora {

// A row's check box is its state image: 1 unchecked, 2 checked.
inline constexpr int kUncheckedStateImage = 1;
inline constexpr int kCheckedStateImage = 2;

// The associations page's list, as the rules below see it.
class FileTypeChecks {
 public:
  virtual ~FileTypeChecks() = default;
  // False while the list is locked (check box 3311 cleared).
  virtual bool IsEnabled() const = 0;
  virtual int ItemCount() const = 0;
  virtual int StateImage(int row) const = 0;
  // A row that does not exist is ignored, as the list view ignores it.
  virtual void SetStateImage(int row, int image) = 0;
};

// "Images only": rows 0 to 48 checked (49 calls whatever the item count), every
// later row unchecked. The item count is asked anew before each later row.
void CheckImageRowsOnly(FileTypeChecks& list);
// "Select all" and "None": every row, the item count asked before each one.
void CheckAllRows(FileTypeChecks& list);
void UncheckAllRows(FileTypeChecks& list);

// The choice handed to the installation: slot i is 1 for each row i (at most 64)
// that is not unchecked, read only from an unlocked list. Returns
// registerAssociations: 1 when at least one slot was set. A locked list yields a
// cleared selection and 0, whatever marks its rows carry.
std::int32_t CollectAssociationChoices(const FileTypeChecks& list, AssociationSelection& selection);

}  // namespace lumora
