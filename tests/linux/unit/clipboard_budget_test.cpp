// What a clipboard owner can make a save hold.
#include <gtest/gtest.h>

#include <cstddef>
#include <limits>

#include "logic/clipboard_budget.h"

namespace axt::lindesk {
namespace {

constexpr std::size_t kBound = ClipboardBudget::kMaxSavedBytes;

TEST(ClipboardBudget, HoldsUpToTheBoundAcrossFormats) {
  ClipboardBudget budget;
  EXPECT_TRUE(budget.take(kBound / 2));
  EXPECT_TRUE(budget.take(kBound / 2));
  EXPECT_EQ(budget.left(), 0u);
  EXPECT_TRUE(budget.take(0));
  EXPECT_FALSE(budget.take(1));
}

TEST(ClipboardBudget, ARefusalTakesNothing) {
  ClipboardBudget budget;
  EXPECT_TRUE(budget.take(10));
  EXPECT_FALSE(budget.take(kBound));
  EXPECT_EQ(budget.left(), kBound - 10);
  EXPECT_TRUE(budget.take(kBound - 10));
}

TEST(ClipboardBudget, ClaimsThatWouldWrapAreRefused) {
  // A size near the largest there is, added to what is held, would wrap.
  ClipboardBudget budget;
  EXPECT_TRUE(budget.take(100));
  EXPECT_FALSE(budget.take(std::numeric_limits<std::size_t>::max()));
  EXPECT_FALSE(budget.take(std::numeric_limits<std::size_t>::max() - 50));
  EXPECT_EQ(budget.left(), kBound - 100);
}

TEST(ClipboardBudget, ADroppedFormatLeavesRoomForTheOthers) {
  ClipboardBudget budget;
  EXPECT_TRUE(budget.take(kBound - 5));
  budget.giveBack(kBound - 5);
  EXPECT_EQ(budget.left(), kBound);
  // Giving back more than is held leaves nothing held, never less.
  budget.giveBack(7);
  EXPECT_EQ(budget.left(), kBound);
}

}  // namespace
}  // namespace axt::lindesk
