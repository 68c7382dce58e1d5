// Which application holds the objects of a connection: its own for the
// desktop's applications, the window's application for a tree embedded in
// it (a browser's page from a process of its own), through more than one
// level, and what a failed request or a broken tree leaves behind.
#include "logic/embedded_trees.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace axt::lindesk {
namespace {

// Objects are numbered; each has a connection and a parent (absent: the
// top of everything). Parent requests are counted, as each is a request
// to an application, and can be made to fail.
struct FakeBus {
  std::map<int, std::string> bus;
  std::map<int, int> parent;
  std::set<std::string> applications;
  std::set<int> failing;
  std::size_t parentRequests = 0;
  std::size_t applicationLookups = 0;

  std::string busOf(const int& n) { return bus.at(n); }
  bool isDesktop(const std::string& b) const { return b == "registry"; }
  bool isApplication(const std::string& b) {
    ++applicationLookups;
    return applications.count(b) != 0;
  }
  ParentAnswer<int> parentOf(const int& n) {
    ++parentRequests;
    ParentAnswer<int> a;
    if (failing.count(n) != 0) return a;
    a.answered = true;
    if (auto it = parent.find(n); it != parent.end()) a.parent = it->second;
    return a;
  }
};

// A browser (":1.6") whose window holds a socket (60) under which the page's
// tree from the web process (":1.7") hangs: 70 its top, 73 a field.
FakeBus browser() {
  FakeBus b;
  b.bus = {{0, "registry"}, {1, ":1.6"}, {50, ":1.6"}, {60, ":1.6"},
           {70, ":1.7"},    {71, ":1.7"}, {72, ":1.7"}, {73, ":1.7"}};
  b.parent = {{1, 0}, {50, 1}, {60, 50}, {70, 60}, {71, 70}, {72, 71}, {73, 72}};
  b.applications = {":1.6"};
  return b;
}

using Trees = EmbeddedTrees<int>;

TEST(EmbeddedTrees, AnApplicationOfTheDesktopHoldsItsOwnObjectsWithoutAWalk) {
  FakeBus b = browser();
  Trees trees;
  const auto p = trees.placementOf(b, 50);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
  EXPECT_FALSE(p->top);
  EXPECT_EQ(b.parentRequests, 0U);
  // Kept: the connection isn't looked up again.
  (void)trees.placementOf(b, 60);
  EXPECT_EQ(b.applicationLookups, 1U);
}

TEST(EmbeddedTrees, APageFromAProcessOfItsOwnIsTheWindowsApplications) {
  FakeBus b = browser();
  Trees trees;
  const auto p = trees.placementOf(b, 73);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
  EXPECT_EQ(p->top, 70);
  EXPECT_EQ(p->holderNode, 60);  // the socket, on the window's connection
  EXPECT_EQ(b.parentRequests, 4U);  // 73 -> 72 -> 71 -> 70 -> 60
  EXPECT_EQ(trees.treesIn(":1.6"), std::vector<int>{70});
  // Every later object of the page's connection costs nothing.
  const std::size_t before = b.parentRequests;
  EXPECT_EQ(trees.placementOf(b, 71)->holder, ":1.6");
  EXPECT_EQ(b.parentRequests, before);
}

TEST(EmbeddedTrees, ATreeInAnEmbeddedTreeIsTheOutermostApplications) {
  // A frame's process (":1.8") embedded in the page's, embedded in the window.
  FakeBus b = browser();
  b.bus[80] = ":1.8";
  b.bus[81] = ":1.8";
  b.parent[80] = 72;
  b.parent[81] = 80;
  Trees trees;
  const auto p = trees.placementOf(b, 81);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
  EXPECT_EQ(p->top, 80);
  EXPECT_EQ(p->holderNode, 60);
  // The page's connection was learnt on the way.
  EXPECT_EQ(trees.placementOf(b, 73)->top, 70);
  std::vector<int> tops = trees.treesIn(":1.6");
  EXPECT_EQ(tops, (std::vector<int>{70, 80}));
  // Met after the page's: the page's place is used, not walked again.
  Trees later;
  (void)later.placementOf(b, 73);
  const std::size_t before = b.parentRequests;
  EXPECT_EQ(later.placementOf(b, 81)->holder, ":1.6");
  EXPECT_EQ(b.parentRequests - before, 2U);  // 81 -> 80 -> 72
}

TEST(EmbeddedTrees, AFailedRequestIsNotKeptAndIsAskedAgain) {
  FakeBus b = browser();
  b.failing = {71};
  Trees trees;
  EXPECT_FALSE(trees.placementOf(b, 73));
  EXPECT_EQ(trees.known(), 0U);
  b.failing.clear();
  const auto p = trees.placementOf(b, 73);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
}

TEST(EmbeddedTrees, AConnectionWithNothingAboveStandsForItself) {
  FakeBus b = browser();
  b.parent.erase(70);  // the page not (yet) put into the window
  Trees trees;
  const auto p = trees.placementOf(b, 73);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.7");
  EXPECT_TRUE(trees.treesIn(":1.6").empty());
}

TEST(EmbeddedTrees, AnApplicationTheDesktopDidNotListYetIsFoundAtTheDesktop) {
  // Its objects' parents lead to the desktop: its own, as any application's.
  FakeBus b = browser();
  b.applications.clear();
  Trees trees;
  EXPECT_EQ(trees.placementOf(b, 50)->holder, ":1.6");
  // And a tree in it is its.
  const auto p = trees.placementOf(b, 73);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
}

TEST(EmbeddedTrees, AnEmbeddedTreeNotListedReachesTheHolderAtTheDesktop) {
  // Neither is listed; the walk from the page crosses into the window's
  // connection and ends at the desktop: the window's holds the page.
  FakeBus b = browser();
  b.applications.clear();
  Trees trees;
  const auto p = trees.placementOf(b, 73);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->holder, ":1.6");
  EXPECT_EQ(p->holderNode, 60);
  EXPECT_EQ(trees.placementOf(b, 1)->holder, ":1.6");
}

TEST(EmbeddedTrees, TreesThatNameEachOtherAsParentsStandForThemselves) {
  FakeBus b;
  b.bus = {{1, ":a"}, {2, ":b"}};
  b.parent = {{1, 2}, {2, 1}};
  Trees trees;
  EXPECT_EQ(trees.placementOf(b, 1)->holder, ":a");
  // A parent chain that never ends is cut at the limit.
  FakeBus deep;
  for (int i = 0; i < 200; ++i) {
    deep.bus[i] = ":deep";
    deep.parent[i] = i + 1;
  }
  deep.bus[200] = ":deep";
  Trees other;
  EXPECT_EQ(other.placementOf(deep, 0)->holder, ":deep");
  EXPECT_LE(deep.parentRequests, Trees::kMaxSteps);
}

TEST(EmbeddedTrees, TreesMetFromAboveAreKnownUnlessPlacedAlready) {
  FakeBus b = browser();
  Trees trees;
  trees.noteEmbedded(":1.7", ":1.6", 70, 60);
  EXPECT_EQ(trees.treesIn(":1.6"), std::vector<int>{70});
  EXPECT_EQ(trees.placementOf(b, 73)->holder, ":1.6");
  EXPECT_EQ(b.parentRequests, 0U);
  trees.noteEmbedded(":1.7", ":other", 71, 1);  // placed already
  trees.noteEmbedded(":1.6", ":1.6", 1, 1);     // an application's own child
  EXPECT_EQ(trees.treesIn(":1.6"), std::vector<int>{70});
  EXPECT_TRUE(trees.treesIn(":other").empty());
}

TEST(EmbeddedTrees, WhatAnApplicationHeldGoesWithIt) {
  FakeBus b = browser();
  b.bus[90] = ":1.9";
  b.bus[91] = ":1.9";
  b.parent[91] = 90;
  b.applications.insert(":1.9");
  Trees trees;
  (void)trees.placementOf(b, 73);
  (void)trees.placementOf(b, 91);
  trees.noteLookedThrough(":1.6");
  trees.applicationGone(":1.6");
  EXPECT_TRUE(trees.treesIn(":1.6").empty());
  EXPECT_FALSE(trees.lookedThrough(":1.6"));
  EXPECT_EQ(trees.known(), 1U);  // the other application stays
  trees.forgetAll();
  EXPECT_EQ(trees.known(), 0U);
}

}  // namespace
}  // namespace axt::lindesk
