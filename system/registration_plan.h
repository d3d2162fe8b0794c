#pragma once
// The registration pass as a pure function: from the installation's choices to the
// ordered steps that make the installed viewer known to Windows. In this order: the
// chosen shortcuts, the "Browse with &Lumora" verb on folders and drives (with the
// thumbnails shortcut only), the application class, the "Applications" entry, the
// uninstall entry, the application key with its capabilities and the registered-
// applications entry, and last the file associations.
#include <cstdint>
#include <string>

#include "system/association_selection.h"
#include "system/install_paths.h"
#include "system/registration_steps.h"

namespace lumora {

// The fields of SetupOptions the pass reads, and the Windows version class (needed
// only with a program group or with associations asked for).
struct RegistrationInputs {
  std::int32_t registerAssociations = 0;
  std::u16string destinationFolder;
  std::int32_t startMenuGroup = 0;
  std::int32_t desktopShortcut = 0;
  std::int32_t thumbnailsShortcut = 0;
  std::int32_t allUsers = 0;
  AssociationSelection associations{};
  int windowsVersionClass = 0;
};

inline constexpr char16_t kFolderVerbName[] = u"Browse with &Lumora";

RegistrationPlan PlanRegistration(const RegistrationInputs& inputs);

// The pieces of the pass, in the order PlanRegistration appends them.
void CreateShortcuts(RegistrationPlan& plan, const RegistrationInputs& inputs, const InstallPaths& paths);
// The verb on folders and drives, starting the viewer's thumbnail view.
void RegisterFolderVerbs(RegistrationPlan& plan, const InstallPaths& paths);
// The class key "Lumora" (without DefaultIcon) and the "Applications" entry.
void RegisterApplicationClass(RegistrationPlan& plan, const InstallPaths& paths);
// The control panel's uninstall entry "Lumora64".
void RegisterUninstallEntry(RegistrationPlan& plan, const InstallPaths& paths);
// "SOFTWARE\Lumora" with its open command and capabilities, and its entry among the
// registered applications.
void RegisterApplicationCapabilities(RegistrationPlan& plan, const InstallPaths& paths);

}  // namespace lumora
