// The associations page's presets and the hand-off of its check marks.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "wizard/file_type_checks.h"

namespace lumora {
namespace {

// A list view's check marks: setting a row that does not exist does nothing.
class FakeList final : public FileTypeChecks {
 public:
  explicit FakeList(int rows, bool enabled = true) : images(static_cast<std::size_t>(rows), kUncheckedStateImage), enabled(enabled) {}
  bool IsEnabled() const override { return enabled; }
  int ItemCount() const override {
    ++countQueries;
    return static_cast<int>(images.size());
  }
  int StateImage(int row) const override { return images.at(static_cast<std::size_t>(row)); }
  void SetStateImage(int row, int image) override {
    ++setCalls;
    if (row >= 0 && row < static_cast<int>(images.size())) images[static_cast<std::size_t>(row)] = image;
  }
  int CheckedCount() const {
    int n = 0;
    for (int image : images) n += image == kCheckedStateImage;
    return n;
  }

  std::vector<int> images;
  bool enabled;
  mutable int countQueries = 0;
  int setCalls = 0;
};

TEST(AssociationPresets, ImagesOnlyChecksRowsUpToXpmAndClearsTheRest) {
  FakeList list(63);
  CheckAllRows(list);
  CheckImageRowsOnly(list);
  EXPECT_EQ(list.CheckedCount(), 49);
  for (int row = 0; row < 63; ++row) {
    EXPECT_EQ(list.images[static_cast<std::size_t>(row)], row < 49 ? kCheckedStateImage : kUncheckedStateImage) << row;
  }
}

TEST(AssociationPresets, ImagesOnlySetsFortyNineRowsWhateverTheItemCount) {
  FakeList shortList(10);
  CheckImageRowsOnly(shortList);
  EXPECT_EQ(shortList.setCalls, 49);
  EXPECT_EQ(shortList.CheckedCount(), 10);
}

TEST(AssociationPresets, SelectAllAndNoneCoverEveryRowAskingTheCountEachTime) {
  FakeList list(63);
  CheckAllRows(list);
  EXPECT_EQ(list.CheckedCount(), 63);
  EXPECT_EQ(list.countQueries, 64);
  UncheckAllRows(list);
  EXPECT_EQ(list.CheckedCount(), 0);
}

TEST(AssociationChoices, OnlyAnUnlockedListIsRead) {
  struct Case {
    bool enabled;
    std::vector<int> checkedRows;
    std::int32_t registerAssociations;
  };
  const Case cases[] = {
      {true, {0, 5}, 1},
      {true, {}, 0},
      {false, {0, 5, 62}, 0},
      {true, {62}, 1},
  };
  for (const auto& c : cases) {
    FakeList list(63, c.enabled);
    for (int row : c.checkedRows) list.images[static_cast<std::size_t>(row)] = kCheckedStateImage;
    AssociationSelection selection;
    selection.fill(7);  // stale values from an earlier attempt are cleared
    EXPECT_EQ(CollectAssociationChoices(list, selection), c.registerAssociations);
    for (std::size_t slot = 0; slot < kSelectionSlotCount; ++slot) {
      const bool chosen = c.enabled && std::find(c.checkedRows.begin(), c.checkedRows.end(), static_cast<int>(slot)) !=
                                           c.checkedRows.end();
      EXPECT_EQ(selection[slot], chosen ? 1 : 0) << slot;
    }
  }
}

TEST(AssociationChoices, ARowWithoutACheckBoxCountsAsChosenAndRowsBeyond64AreNotRead) {
  FakeList list(70);
  list.images[3] = 0;
  list.images[69] = kCheckedStateImage;
  AssociationSelection selection{};
  EXPECT_EQ(CollectAssociationChoices(list, selection), 1);
  EXPECT_EQ(selection[3], 1);
  EXPECT_EQ(std::count(selection.begin(), selection.end(), 1), 1);
}

}  // namespace
}  // namespace lumora
