#pragma once
// The shortcut side of the registration pass as plan builders: the desktop links and
// the Start-menu program group. Every link goes to the current user's folders, or to
// the folders shared by all users when `allUsers` is non-zero.
#include <cstdint>
#include <optional>
#include <string>

#include "system/registration_steps.h"

namespace lumora {

inline constexpr char16_t kProgramGroupName[] = u"Lumora";
inline constexpr int kThumbnailsIconIndex = 7;  // icon of the viewer's thumbnail view

// CSIDL of the desktop (user's or public) and of the Programs folder (user's or common).
int DesktopFolderFor(std::int32_t allUsers);
int ProgramsFolderFor(std::int32_t allUsers);

// "Lumora 64 %d.%2d.lnk": the group's link to this version of the viewer.
std::u16string VersionedViewerLinkName(int major, int minor);
// "Lumora 64 <version>.lnk" of an earlier version, given as text ("4.70").
std::u16string OldVersionedViewerLinkName(const std::u16string& version);

// One link on the desktop; absent properties are not set on the link.
void CreateDesktopShortcut(RegistrationPlan& plan, const std::u16string& target, const std::u16string& linkName,
                           const std::optional<std::u16string>& iconFile,
                           const std::optional<std::u16string>& description,
                           const std::optional<std::u16string>& arguments, int iconIndex, std::int32_t allUsers);

// One link in the program group folder (no description).
void CreateFolderShortcut(RegistrationPlan& plan, const std::u16string& linkName, const std::u16string& target,
                          const std::optional<std::u16string>& arguments = std::nullopt,
                          const std::optional<std::u16string>& iconFile = std::nullopt, int iconIndex = 0);

// The program group "Lumora" in the Programs folder: the versioned viewer link (and
// the removal of the 4.70 and 4.67 ones), the thumbnails link, the uninstall link
// (left out under Windows 8 and 8.1, class 8) and the six document links.
void CreateProgramGroup(RegistrationPlan& plan, const std::u16string& installFolder, std::int32_t allUsers,
                        int windowsVersionClass);

}  // namespace lumora
