#pragma once
// The wizard road: builds the five wizard pages and runs the wizard sheet modally.
// Start-up hands it the description of the sheet's bold header font.
#include <windows.h>

namespace lumora {

void RunWizardRoad(const LOGFONTW& headerLogFont);

}  // namespace lumora
