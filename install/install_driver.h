#pragma once
// One installation, wizard or silent, from one record of choices.
#include "app/setup_options.h"
#include "platform/platform.h"

namespace lumora {

// Creates the destination folder and its "Plugins" folder, applies the icon library
// rule and unpacks the payload, then carries out the later steps in their fixed
// order. Returns 1 when every step was carried out, 0 when it stopped at the first
// failure: an empty destination (entry 5), a destination that cannot be created
// (entry 11) or a payload that cannot be unpacked (entry 7). The failure is shown in
// an error message box titled `caption` in a wizard run, and written as one entry of
// the installation log in a silent run. Only `iniFolder` may be changed, by the
// settings step. A second call after a failure starts again from the beginning.
int RunInstallation(platform::Platform& platform, SetupOptions& options);

}  // namespace lumora
