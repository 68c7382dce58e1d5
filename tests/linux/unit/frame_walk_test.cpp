// The walk over the candidates for applications' top-level windows: down
// through window managers' frames to the client, never deeper than they
// nest, each client with the top that holds it.
#include "logic/frame_walk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace axt::lindesk {
namespace {

using Tree = std::map<FrameWalkWindow, std::vector<FrameWalkWindow>>;
using Visit = std::pair<FrameWalkWindow, FrameWalkWindow>;

// Walks `tops` over `tree`, accepting the windows in `clients`; what was
// visited, in order, and which windows were asked for their children.
struct Walk {
  std::vector<Visit> visits;
  std::vector<FrameWalkWindow> asked;
};
Walk walk(const std::vector<FrameWalkWindow>& tops, const Tree& tree, const std::set<FrameWalkWindow>& clients) {
  Walk w;
  walkFrames(
      tops,
      [&](FrameWalkWindow window) {
        w.asked.push_back(window);
        auto it = tree.find(window);
        return it != tree.end() ? it->second : std::vector<FrameWalkWindow>{};
      },
      [&](FrameWalkWindow client, FrameWalkWindow frame) {
        w.visits.emplace_back(client, frame);
        return clients.count(client) > 0;
      });
  return w;
}

TEST(FrameWalk, ClientsAtTheTopAndBelowFramesAreFoundWithTheirTop) {
  // 1: a client of its own (no window manager); 2: a frame holding 20;
  // 3: a frame, a wrapper, then the client 300.
  const Tree tree{{2, {20}}, {3, {30}}, {30, {300}}};
  const Walk w = walk({1, 2, 3}, tree, {1, 20, 300});
  EXPECT_EQ(w.visits, (std::vector<Visit>{{1, 1}, {2, 2}, {20, 2}, {3, 3}, {30, 3}, {300, 3}}));
  // An accepted window isn't looked inside.
  EXPECT_EQ(std::count(w.asked.begin(), w.asked.end(), 1u), 0);
  EXPECT_EQ(std::count(w.asked.begin(), w.asked.end(), 20u), 0);
}

TEST(FrameWalk, TheFirstClientInsideAFrameEndsItsWalk) {
  // A frame holding a client and, after it, a window that would also say
  // it is one: the second is not visited.
  const Walk w = walk({5}, Tree{{5, {50, 51}}}, {50, 51});
  EXPECT_EQ(w.visits, (std::vector<Visit>{{5, 5}, {50, 5}}));
}

TEST(FrameWalk, NoDeeperThanWindowManagersNest) {
  // A chain deeper than any manager nests: the windows down to the limit
  // are visited, the one below it never, and the last visited isn't asked
  // for children.
  const Tree tree{{1, {2}}, {2, {3}}, {3, {4}}, {4, {5}}};
  const Walk w = walk({1}, tree, {});
  ASSERT_EQ(w.visits.size(), static_cast<std::size_t>(kMaxFrameDepth + 1));
  EXPECT_EQ(w.visits.back(), (Visit{4, 1}));
  EXPECT_EQ(w.asked, (std::vector<FrameWalkWindow>{1, 2, 3}));
}

TEST(FrameWalk, NothingToWalkVisitsNothing) {
  EXPECT_TRUE(walk({}, Tree{}, {}).visits.empty());
  // A frame with nothing inside: visited, nothing else.
  EXPECT_EQ(walk({7}, Tree{}, {}).visits, (std::vector<Visit>{{7, 7}}));
}

}  // namespace
}  // namespace axt::lindesk
