#include "wizard/association_question.h"

#include "platform/resources.h"

namespace lumora {

void ApplyAssociationAnswer(int answer, AssociationSelection& selection, std::int32_t& registerAssociations) {
  if (answer == platform::kIdYes) return;
  ClearSelection(selection);
  registerAssociations = 0;
}

}  // namespace lumora
