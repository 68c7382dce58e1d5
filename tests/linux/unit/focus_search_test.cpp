// The walk for the focused element in toolkits without a search of their
// own: where it looks first, what it leaves out, and where it stops.
#include "focus_search.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

namespace axt::lindesk {
namespace {

// A tree of numbered nodes; every read is counted, as every read is a
// request to an application.
struct FakeTree {
  std::map<int, NodeStates> states_;
  std::map<int, std::vector<int>> children_;
  std::vector<int> unreadable;
  int reads = 0;

  std::optional<NodeStates> states(const int& n) {
    ++reads;
    for (int u : unreadable) {
      if (u == n) return std::nullopt;
    }
    auto it = states_.find(n);
    return it == states_.end() ? NodeStates{false, false, true, false} : it->second;
  }
  std::vector<int> children(const int& n) {
    ++reads;
    auto it = children_.find(n);
    return it == children_.end() ? std::vector<int>{} : it->second;
  }
};

NodeStates shown() { return NodeStates{false, false, true, false}; }
NodeStates focused() { return NodeStates{true, false, true, false}; }
NodeStates activeWindow() { return NodeStates{false, true, true, false}; }

std::optional<int> search(FakeTree& tree, const std::vector<int>& windows, FocusSearchLimits limits = {}) {
  FocusSearch<int, FakeTree> s(tree, limits);
  return s.run(windows);
}

TEST(FocusSearch, FindsTheFocusedElementDeepInTheActiveWindow) {
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10, 11};
  t.children_[11] = {110, 111};
  t.children_[111] = {1110};
  t.states_[1110] = focused();
  EXPECT_EQ(search(t, {1}), 1110);
}

TEST(FocusSearch, TheActiveWindowIsSearchedBeforeTheOthers) {
  // An inactive window keeps an element marked focused (some toolkits
  // leave the mark behind); the active window's focus is the one.
  FakeTree t;
  t.states_[1] = shown();
  t.children_[1] = {10};
  t.states_[10] = focused();
  t.states_[2] = activeWindow();
  t.children_[2] = {20};
  t.states_[20] = focused();
  EXPECT_EQ(search(t, {1, 2}), 20);
  // Without an active window, the first window that has one.
  t.states_[2] = shown();
  EXPECT_EQ(search(t, {1, 2}), 10);
}

TEST(FocusSearch, HiddenPartsAndManagedDescendantsAreNotEntered) {
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10, 11, 12};
  t.states_[10] = NodeStates{false, false, false, false};  // a hidden page
  t.children_[10] = {100};
  t.states_[100] = focused();
  t.states_[11] = NodeStates{false, false, true, true};  // a table of many rows
  t.children_[11] = {110};
  t.states_[110] = focused();
  EXPECT_EQ(search(t, {1}), std::nullopt);
  // A node that is itself focused counts whatever it holds.
  t.states_[11].focused = true;
  EXPECT_EQ(search(t, {1}), 11);
}

TEST(FocusSearch, UnreadableNodesArePassedOver) {
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10, 11};
  t.unreadable = {10, 2};
  t.states_[11] = focused();
  EXPECT_EQ(search(t, {2, 1}), 11);
}

TEST(FocusSearch, TheBudgetAndTheDepthBoundTheRequests) {
  // A wide tree without any focus: the walk stops at its budget.
  FakeTree wide;
  wide.states_[1] = activeWindow();
  for (int i = 0; i < 5000; ++i) wide.children_[1].push_back(100 + i);
  EXPECT_EQ(search(wide, {1}, FocusSearchLimits{50, 40}), std::nullopt);
  EXPECT_LE(wide.reads, 60);

  // A chain deeper than the limit: the focus at its end isn't reached.
  FakeTree deep;
  deep.states_[0] = activeWindow();
  for (int i = 0; i < 100; ++i) deep.children_[i] = {i + 1};
  deep.states_[100] = focused();
  EXPECT_EQ(search(deep, {0}, FocusSearchLimits{1000, 40}), std::nullopt);
  EXPECT_EQ(search(deep, {0}, FocusSearchLimits{1000, 100}), 100);
}

TEST(FocusSearch, NoWindowsNoFocus) {
  FakeTree t;
  EXPECT_EQ(search(t, {}), std::nullopt);
  EXPECT_EQ(t.reads, 0);
}

}  // namespace
}  // namespace axt::lindesk
