#pragma once
// What the answer to the wizard's confirmation question (string 9, "Are you REALLY
// sure!?", No the default button) does to the installation's choices.
#include "app/setup_options.h"

namespace lumora {

// Only Yes keeps the chosen associations. Any other answer (No, or a message box
// that could not be shown) clears the selection and registerAssociations, so the
// registration pass writes no association and tells the shell nothing, and still
// does the rest of its work: shortcuts, application registration, uninstall entry.
void ApplyAssociationAnswer(int answer, SetupOptions& options);

}  // namespace lumora
