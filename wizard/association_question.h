#pragma once
// What the answer to the wizard's confirmation question (string 9, "Are you REALLY
// sure!?", No the default button) does to the associations the installation writes.
#include <cstdint>

#include "system/association_selection.h"

namespace lumora {

// Only Yes keeps the chosen associations. Any other answer (No, or a message box
// that could not be shown) clears the selection and registerAssociations, so the
// registration pass writes no chosen association and tells the shell nothing, and
// still does the rest of its work: shortcuts, application registration, uninstall
// entry. The installation applies it to its own copies, so the caller's record of
// choices stays as the user left it.
void ApplyAssociationAnswer(int answer, AssociationSelection& selection, std::int32_t& registerAssociations);

}  // namespace lumora
