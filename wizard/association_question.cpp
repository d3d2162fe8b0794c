#include "wizard/association_question.h"

#include "platform/resources.h"

namespace lumora {

void ApplyAssociationAnswer(int answer, SetupOptions& options) {
  if (answer == platform::kIdYes) return;
  ClearSelection(options.associations);
  options.registerAssociations = 0;
}

}  // namespace lumora
