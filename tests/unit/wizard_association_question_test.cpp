// What the answer to the confirmation question does to the associations written.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/resources.h"
#include "wizard/association_question.h"

namespace lumora {
namespace {

TEST(AssociationQuestion, YesKeepsTheChoiceAnythingElseDropsIt) {
  struct Case {
    int answer;
    bool kept;
  };
  const Case cases[] = {{platform::kIdYes, true}, {platform::kIdNo, false}, {0, false}, {platform::kIdCancel, false}};
  for (const auto& c : cases) {
    AssociationSelection selection{};
    SelectImageRows(selection);
    std::int32_t registerAssociations = 1;
    ApplyAssociationAnswer(c.answer, selection, registerAssociations);
    EXPECT_EQ(registerAssociations, c.kept ? 1 : 0) << c.answer;
    EXPECT_EQ(std::count(selection.begin(), selection.end(), 1), c.kept ? 49 : 0) << c.answer;
  }
}

}  // namespace
}  // namespace lumora
