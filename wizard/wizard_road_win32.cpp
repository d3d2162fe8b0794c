// Stand-in until the wizard sheet and its pages exist: the wizard road shows nothing.
#include "wizard/wizard_road.h"

namespace lumora {

void RunWizardRoad(const LOGFONTW&) {}

}  // namespace lumora
