#pragma once
// The registration pass of one installation: plans the steps for the installation's
// choices and applies them. Never fails as a whole and reports nothing; returns 1.
#include <cstdint>
#include <string>

#include "platform/platform.h"
#include "system/association_selection.h"

namespace lumora {

int RegisterWithSystem(platform::Platform& platform, std::int32_t registerAssociations,
                       const std::u16string& destinationFolder, std::int32_t startMenuGroup,
                       std::int32_t desktopShortcut, std::int32_t thumbnailsShortcut, std::int32_t allUsers,
                       const AssociationSelection& associations);

}  // namespace lumora
