// The walk for the focused element in toolkits without a search of their
// own: where it looks first, what it leaves out, and where it stops.
#include "logic/focus_search.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

namespace axt::lindesk {
namespace {

// A tree of numbered nodes; every call the search makes of it is counted,
// by kind, as each is a request to an application. The budget is held
// against these counts, not against what the search says it spent.
struct FakeTree {
  std::map<int, NodeStates> states_;
  std::map<int, std::vector<int>> children_;
  std::vector<int> unreadable;
  std::vector<int> unfetchable;  // children whose fetch fails
  std::size_t statesAsked = 0;
  std::size_t countsAsked = 0;
  std::size_t childrenFetched = 0;

  std::size_t requests() const { return statesAsked + countsAsked + childrenFetched; }
  void forget() { statesAsked = countsAsked = childrenFetched = 0; }

  std::optional<NodeStates> states(const int& n) {
    ++statesAsked;
    for (int u : unreadable) {
      if (u == n) return std::nullopt;
    }
    auto it = states_.find(n);
    return it == states_.end() ? NodeStates{false, false, true, false} : it->second;
  }
  std::size_t childCount(const int& n) {
    ++countsAsked;
    auto it = children_.find(n);
    return it == children_.end() ? 0 : it->second.size();
  }
  std::optional<int> childAt(const int& n, std::size_t i) {
    ++childrenFetched;
    auto it = children_.find(n);
    if (it == children_.end() || i >= it->second.size()) return std::nullopt;
    const int child = it->second[i];
    for (int u : unfetchable) {
      if (u == child) return std::nullopt;
    }
    return child;
  }
};

NodeStates shown() { return NodeStates{false, false, true, false}; }
NodeStates focused() { return NodeStates{true, false, true, false}; }
NodeStates activeWindow() { return NodeStates{false, true, true, false}; }

// Every search below is held to this: it asks no more than its budget, and
// what it charged is what it asked.
void expectWithinBudget(const FakeTree& tree, const FocusSearch<int, FakeTree>& s, std::size_t before,
                        const FocusSearchLimits& limits) {
  EXPECT_LE(tree.requests() - before, limits.maxRequests);
  EXPECT_EQ(s.requests(), tree.requests() - before);
}

std::optional<int> search(FakeTree& tree, const std::vector<int>& windows, FocusSearchLimits limits = {}) {
  const std::size_t before = tree.requests();
  FocusSearch<int, FakeTree> s(tree, limits);
  std::optional<int> found = s.run(windows);
  expectWithinBudget(tree, s, before, limits);
  return found;
}

std::optional<int> searchUnder(FakeTree& tree, int application, FocusSearchLimits limits = {}) {
  const std::size_t before = tree.requests();
  FocusSearch<int, FakeTree> s(tree, limits);
  std::optional<int> found = s.runUnder(application);
  expectWithinBudget(tree, s, before, limits);
  return found;
}

int innermost(FakeTree& tree, int from, FocusSearchLimits limits = {}) {
  const std::size_t before = tree.requests();
  FocusSearch<int, FakeTree> s(tree, limits);
  const int found = s.innermost(from);
  expectWithinBudget(tree, s, before, limits);
  return found;
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
  // A node that is itself focused counts whatever it holds, and isn't
  // entered for a focused element inside either.
  t.states_[11].focused = true;
  EXPECT_EQ(search(t, {1}), 11);
}

TEST(FocusSearch, UnreadableNodesArePassedOver) {
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10, 11, 12};
  t.unreadable = {10, 2};
  t.unfetchable = {11};
  t.states_[12] = focused();
  EXPECT_EQ(search(t, {2, 1}), 12);
}

TEST(FocusSearch, EveryRequestCountsAgainstTheBudget) {
  // A wide list without any focus: each child fetched is a request of its
  // own, so the walk stops at the budget however many children there are.
  FakeTree wide;
  wide.states_[1] = activeWindow();
  for (int i = 0; i < 5000; ++i) wide.children_[1].push_back(100 + i);
  for (std::size_t budget : {std::size_t{1}, std::size_t{2}, std::size_t{50}, std::size_t{600}}) {
    wide.forget();
    EXPECT_EQ(search(wide, {1}, FocusSearchLimits{budget, 40}), std::nullopt);
    EXPECT_EQ(wide.requests(), budget) << "budget " << budget;
  }
  // Of every kind: most of a wide list's cost is in fetching its children.
  // The last budget: the window's states and child count, 199 children
  // fetched, read and looked into, and a 200th fetched.
  EXPECT_EQ(wide.childrenFetched, 200U);
  EXPECT_EQ(wide.statesAsked, 200U);
  EXPECT_EQ(wide.countsAsked, 200U);
  // The focus just within the budget is found; one request short, not.
  // Requests: the window's states, its child count, then for each child
  // before the focused one its fetch, its states and its (empty) child
  // count; for the focused one its fetch and its states.
  wide.states_[104] = focused();
  wide.forget();
  EXPECT_EQ(search(wide, {1}, FocusSearchLimits{16, 40}), 104);
  EXPECT_EQ(wide.requests(), 16U);
  wide.forget();
  EXPECT_EQ(search(wide, {1}, FocusSearchLimits{15, 40}), std::nullopt);
  EXPECT_EQ(wide.requests(), 15U);

  // A chain deeper than the limit: the focus at its end isn't reached.
  FakeTree deep;
  deep.states_[0] = activeWindow();
  for (int i = 0; i < 100; ++i) deep.children_[i] = {i + 1};
  deep.states_[100] = focused();
  EXPECT_EQ(search(deep, {0}, FocusSearchLimits{1000, 40}), std::nullopt);
  EXPECT_EQ(search(deep, {0}, FocusSearchLimits{1000, 100}), 100);
}

TEST(FocusSearch, TheApplicationsWindowsAreFetchedWithinTheBudget) {
  // An application with thousands of top-level objects (a toolkit that
  // leaves its popups there): fetching them is paid for too.
  FakeTree t;
  for (int i = 0; i < 5000; ++i) t.children_[0].push_back(10 + i);
  t.states_[10] = activeWindow();
  t.children_[10] = {5};
  t.states_[5] = focused();
  EXPECT_EQ(searchUnder(t, 0, FocusSearchLimits{100, 40}), std::nullopt);  // the budget went on the windows
  EXPECT_EQ(t.requests(), 100U);
  EXPECT_EQ(t.childrenFetched, 99U);
  t.children_[0].resize(3);
  t.forget();
  EXPECT_EQ(searchUnder(t, 0, FocusSearchLimits{100, 40}), 5);
}

TEST(FocusSearch, TheInnermostOfNestedFocusedElementsIsTheFocus) {
  // A browser engine marks its view and the page's document focused along
  // with the field that has the focus; the field is the one.
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10};
  t.states_[10] = focused();  // the view
  t.children_[10] = {100};
  t.states_[100] = focused();  // the document
  t.children_[100] = {1000, 1001, 1002};
  t.states_[1002] = focused();  // the field, after two siblings
  t.children_[1002] = {10020};  // which holds nothing focused
  EXPECT_EQ(search(t, {1}), 1002);
  // The field in a section that doesn't say focused, as a page's are.
  t.states_[1002] = shown();
  t.children_[1001] = {10010};
  t.states_[10010] = focused();
  EXPECT_EQ(search(t, {1}), 10010);
  // A focused element whose children say nothing of the focus is the one,
  // and costs one request more than it did.
  FakeTree plain;
  plain.states_[1] = activeWindow();
  plain.children_[1] = {10};
  plain.states_[10] = focused();
  EXPECT_EQ(search(plain, {1}), 10);
  EXPECT_EQ(plain.requests(), 5U);  // window states, children, child, child states, its children
}

TEST(FocusSearch, TheInnermostFocusSearchStopsAtTheBudgetWithWhatItFound) {
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10};
  t.states_[10] = focused();
  t.children_[10] = {100};
  t.states_[100] = focused();
  t.children_[100] = {1000};
  t.states_[1000] = focused();
  // Enough to reach 10 and look into it, not to go on below 100.
  EXPECT_EQ(search(t, {1}, FocusSearchLimits{8, 40}), 100);
  // From an element another search found (a toolkit's own search, which
  // gives the first focused element in the tree's order).
  FakeTree again = t;
  EXPECT_EQ(innermost(again, 10), 1000);
  EXPECT_EQ(innermost(again, 1000), 1000);
  again.unreadable = {100};  // its states can't be read: not the focus
  EXPECT_EQ(innermost(again, 10), 10);
  // Within a budget too small to look under the element it started from.
  EXPECT_EQ(innermost(again, 10, FocusSearchLimits{2, 40}), 10);
}

TEST(FocusSearch, NodesThatSayNothingOfThemselvesAreLookedInto) {
  // A browser's window holds a socket that gives no states, under which the
  // page's tree from another process hangs, its top giving none either and
  // its view saying focused without being shown.
  const NodeStates nothing{false, false, false, false, true};
  FakeTree t;
  t.states_[1] = activeWindow();
  t.children_[1] = {10, 11};
  t.states_[10] = NodeStates{false, false, false, false};  // hidden: not entered
  t.children_[10] = {100};
  t.states_[100] = focused();
  t.states_[11] = nothing;  // the socket
  t.children_[11] = {110};
  t.states_[110] = nothing;  // the page's top
  t.children_[110] = {1100};
  t.states_[1100] = NodeStates{true, false, false, false};  // the view
  t.children_[1100] = {11000};
  t.states_[11000] = focused();  // the document
  t.children_[11000] = {110000, 110001};
  t.states_[110001] = focused();  // the field
  EXPECT_EQ(search(t, {1}), 110001);
  // From the socket, as a focus event or a toolkit's search may give it.
  EXPECT_EQ(innermost(t, 11), 110001);
  // A socket whose tree holds nothing focused is not the focus.
  t.states_[1100] = shown();
  t.states_[11000] = shown();
  t.states_[110001] = shown();
  EXPECT_EQ(search(t, {1}), std::nullopt);
  EXPECT_EQ(innermost(t, 11), 11);
}

TEST(FocusSearch, NoWindowsNoFocus) {
  FakeTree t;
  EXPECT_EQ(search(t, {}), std::nullopt);
  EXPECT_EQ(t.requests(), 0U);
}

}  // namespace
}  // namespace axt::lindesk
