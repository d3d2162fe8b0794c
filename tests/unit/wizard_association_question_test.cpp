// What the answer to the confirmation question does to the installation's choices.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/resources.h"
#include "wizard/association_question.h"

namespace lumora {
namespace {

SetupOptions ChosenImages() {
  SetupOptions options;
  options.silent = 0;
  options.desktopShortcut = 1;
  SelectImageRows(options.associations);
  options.registerAssociations = 1;
  return options;
}

TEST(AssociationQuestion, YesKeepsTheChoiceAnythingElseDropsOnlyTheAssociations) {
  struct Case {
    int answer;
    bool kept;
  };
  const Case cases[] = {{platform::kIdYes, true}, {platform::kIdNo, false}, {0, false}};
  for (const auto& c : cases) {
    SetupOptions options = ChosenImages();
    ApplyAssociationAnswer(c.answer, options);
    EXPECT_EQ(options.registerAssociations, c.kept ? 1 : 0) << c.answer;
    EXPECT_EQ(std::count(options.associations.begin(), options.associations.end(), 1), c.kept ? 49 : 0);
    EXPECT_EQ(options.desktopShortcut, 1);  // the rest of the installation is untouched
  }
}

}  // namespace
}  // namespace lumora
