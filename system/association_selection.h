#pragma once
// The user's choice of file types to associate: one integer per row of the file type
// table (slot 63 has no row), with the three presets the associations page and the
// "/assoc=" option use.
#include <array>
#include <cstddef>
#include <cstdint>

namespace lumora {

inline constexpr std::size_t kFileTypeRowCount = 63;
inline constexpr std::size_t kImageRowCount = 49;  // rows 0 to 48 are images
inline constexpr std::size_t kSelectionSlotCount = 64;

using AssociationSelection = std::array<std::int32_t, kSelectionSlotCount>;

// Slots 0 to 48 become 1; the others keep their value (callers start from a cleared selection).
inline void SelectImageRows(AssociationSelection& selection) {
  for (std::size_t row = 0; row < kImageRowCount; ++row) selection[row] = 1;
}
inline void SelectAllRows(AssociationSelection& selection) { selection.fill(1); }
inline void ClearSelection(AssociationSelection& selection) { selection.fill(0); }

}  // namespace lumora
