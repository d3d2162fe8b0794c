#pragma once
// The one place where the registration pass touches the machine. Every step's own
// failure is ignored and the next step runs: a key that cannot be opened or created
// skips only the values that needed it, a link that cannot be saved is missing, a
// special folder that cannot be resolved is replaced by the Windows folder. Every
// registry handle is closed by the step that opened it.
#include "platform/platform.h"
#include "system/registration_steps.h"

namespace lumora {

void ExecuteRegistrationPlan(platform::Platform& platform, const RegistrationPlan& plan);

}  // namespace lumora
