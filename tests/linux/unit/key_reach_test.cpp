// Whether typed keys reach the focused application: where the X focus lies
// in a window tree, and what that means on an X server of its own and on a
// Wayland compositor's.
// GoogleTest first: the X headers define None, which it uses as a name.
#include <gtest/gtest.h>

#include "logic/key_reach.h"

#include <map>
#include <set>

namespace axt::lindesk {
namespace {

constexpr ::Window kRoot = 0x100;
constexpr ::Window kFrame = 0x200;       // a window manager's frame
constexpr ::Window kClient = 0x201;      // the application's window, inside the frame
constexpr ::Window kFocusChild = 0x202;  // a toolkit's focus window inside it
constexpr ::Window kCompositor = 0x300;  // the compositor's own window for "no X focus"
constexpr ::Window kGone = 0x400;

// A window tree: parents, and the windows the window manager manages.
struct Tree {
  std::map<::Window, ::Window> parents{
      {kFrame, kRoot}, {kClient, kFrame}, {kFocusChild, kClient}, {kCompositor, kRoot}};
  std::set<::Window> managed{kClient};

  XFocus classify(::Window focus) const {
    return classifyXFocus(
        focus, kRoot,
        [this](::Window w) -> std::optional<::Window> {
          auto it = parents.find(w);
          if (it == parents.end()) return std::nullopt;
          return it->second;
        },
        [this](::Window w) { return managed.count(w) != 0; });
  }
};

TEST(KeyReach, WhereTheFocusLies) {
  const Tree tree;
  EXPECT_EQ(tree.classify(None), XFocus::kNone);
  EXPECT_EQ(tree.classify(PointerRoot), XFocus::kPointerRoot);
  EXPECT_EQ(tree.classify(kClient), XFocus::kApplication);
  // Toolkits focus a child of their top-level window; managers frame it.
  EXPECT_EQ(tree.classify(kFocusChild), XFocus::kApplication);
  EXPECT_EQ(tree.classify(kFrame), XFocus::kOther) << "a frame is the manager's, not the application's";
  EXPECT_EQ(tree.classify(kCompositor), XFocus::kOther);
  EXPECT_EQ(tree.classify(kRoot), XFocus::kOther);
  EXPECT_EQ(tree.classify(kGone), XFocus::kOther);
}

TEST(KeyReach, ATreeThatNeverReachesTheRootIsNoApplication) {
  Tree tree;
  // A window whose parent vanished in the middle of the walk.
  tree.parents[kFocusChild] = kGone;
  tree.managed.clear();
  EXPECT_EQ(tree.classify(kFocusChild), XFocus::kOther);
  // Parents that go round in a circle (a reparent racing the walk).
  tree.parents = {{0x10, 0x11}, {0x11, 0x10}};
  EXPECT_EQ(tree.classify(0x10), XFocus::kOther);
  // A managed window deeper than any toolkit nests its focus is not found.
  tree.parents.clear();
  for (::Window w = 0x1000; w < 0x1000 + 40; ++w) tree.parents[w] = w + 1;
  tree.managed = {0x1000 + 40};
  EXPECT_EQ(tree.classify(0x1000), XFocus::kOther);
  EXPECT_EQ(tree.classify(0x1000 + 20), XFocus::kApplication);
}

TEST(KeyReach, OnAnXServerOfItsOwnTheKeysGoWhereTheUsersWould) {
  for (XFocus focus : {XFocus::kNone, XFocus::kPointerRoot, XFocus::kApplication, XFocus::kOther}) {
    EXPECT_TRUE(keysReachFocus(false, focus));
  }
}

TEST(KeyReach, OnXWaylandOnlyAnApplicationsWindowTakesThem) {
  EXPECT_TRUE(keysReachFocus(true, XFocus::kApplication));
  // A native Wayland application has the focus: the X focus is nothing, the
  // compositor's own window, or left to the pointer.
  EXPECT_FALSE(keysReachFocus(true, XFocus::kNone));
  EXPECT_FALSE(keysReachFocus(true, XFocus::kOther));
  EXPECT_FALSE(keysReachFocus(true, XFocus::kPointerRoot));
}

}  // namespace
}  // namespace axt::lindesk
