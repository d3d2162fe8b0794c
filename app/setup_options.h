#pragma once
// Every choice of one installation. The silent road fills it from the command line,
// the wizard's ready page from its controls; RunInstallation takes it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "system/association_selection.h"

namespace lumora {

// Folder texts from the command line or the wizard's edit box: 519 units at most.
inline constexpr std::size_t kFolderTextMaxUnits = 519;

struct SetupOptions {
  std::u16string destinationFolder;  // with or without trailing backslash; <= 519 units
  std::int32_t startMenuGroup = 0;
  std::int32_t desktopShortcut = 0;
  std::int32_t thumbnailsShortcut = 0;
  std::int32_t allUsers = 0;
  std::u16string iniFolder;  // empty: beside the viewer; may hold %NAME% references; <= 519 units
  AssociationSelection associations{};
  std::int32_t registerAssociations = 0;
  std::int32_t silent = 1;
  std::u16string caption = u"Lumora 64-bit Setup";
};

}  // namespace lumora
