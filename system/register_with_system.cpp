#include "system/register_with_system.h"

#include "app/environment_probes.h"
#include "system/registration_executor.h"
#include "system/registration_plan.h"

namespace lumora {

int RegisterWithSystem(platform::Platform& platform, std::int32_t registerAssociations,
                       const std::u16string& destinationFolder, std::int32_t startMenuGroup,
                       std::int32_t desktopShortcut, std::int32_t thumbnailsShortcut, std::int32_t allUsers,
                       const AssociationSelection& associations) {
  RegistrationInputs inputs;
  inputs.registerAssociations = registerAssociations;
  inputs.destinationFolder = destinationFolder;
  inputs.startMenuGroup = startMenuGroup;
  inputs.desktopShortcut = desktopShortcut;
  inputs.thumbnailsShortcut = thumbnailsShortcut;
  inputs.allUsers = allUsers;
  inputs.associations = associations;
  // Only the program group and the association refresh look at the version class;
  // the cache is not consulted when neither runs.
  if (startMenuGroup != 0 || registerAssociations != 0) {
    inputs.windowsVersionClass = CachedWindowsVersionClass(platform.system);
  }
  ExecuteRegistrationPlan(platform, PlanRegistration(inputs));
  return 1;
}

}  // namespace lumora
