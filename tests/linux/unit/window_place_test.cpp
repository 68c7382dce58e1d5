// Placing window-relative text extents on the screen: which X window holds
// the toolkit's window, and where its content starts inside it.
#include "logic/window_place.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

using platform::Point;
using platform::Rect;
using platform::Size;

XWindowPlace placeAt(double x, double y, double width, double height, std::vector<long> frame = {}) {
  return XWindowPlace{Rect{{x, y}, {width, height}}, std::move(frame)};
}

TEST(WindowPlace, ContentStartsInsideTheFrameExtentsTheToolkitPublishes) {
  // A compositing window manager: the shadow is wider below than above.
  const XWindowPlace place = placeAt(580, 504, 740, 560, {23, 27, 17, 33});
  const platform::Point origin = contentOrigin(place, Size{690, 510});
  EXPECT_EQ(origin.x, 603);
  EXPECT_EQ(origin.y, 521);
}

TEST(WindowPlace, WithoutFrameExtentsTheMarginsAreEqual) {
  // GTK 4 under a window manager that doesn't composite: 5 pixels around.
  const platform::Point origin = contentOrigin(placeAt(580, 504, 700, 520), Size{690, 510});
  EXPECT_EQ(origin.x, 585);
  EXPECT_EQ(origin.y, 509);
  // A window the size of its content: no margin at all, never a negative
  // one for content that claims to be larger.
  EXPECT_EQ(contentOrigin(placeAt(10, 20, 300, 200), Size{300, 200}).x, 10);
  EXPECT_EQ(contentOrigin(placeAt(10, 20, 300, 200), Size{320, 220}).y, 20);
}

TEST(WindowPlace, FrameExtentsOfTheWrongLengthAreIgnored) {
  EXPECT_EQ(contentOrigin(placeAt(0, 0, 700, 520, {40, 40}), Size{690, 510}).x, 5);
}

TEST(WindowPlace, TheSmallestWindowLargeEnoughHoldsTheContent) {
  const std::vector<XWindowPlace> windows = {
      placeAt(0, 0, 1280, 1024),   // a desktop-sized helper window
      placeAt(580, 504, 700, 520), // the editor's window
      placeAt(10, 10, 200, 100),   // a popup, too small
  };
  const std::optional<XWindowPlace> found = windowHolding(windows, Size{690, 510});
  ASSERT_TRUE(found);
  EXPECT_EQ(found->xWindow.origin.x, 580);
  EXPECT_FALSE(windowHolding(windows, Size{2000, 100}));
  EXPECT_FALSE(windowHolding({}, Size{1, 1}));
}

TEST(WindowPlace, ASurfaceLargerByOneMarginOnBothAxesKeepsItOnEverySide) {
  EXPECT_EQ(surfaceInset(Size{636, 995}, Size{656, 1015}), (Point{10, 10}));  // Chromium's
  // The surface the content's size, or unknown: it starts at the content.
  EXPECT_EQ(surfaceInset(Size{636, 995}, Size{636, 995}), (Point{0, 0}));
  EXPECT_EQ(surfaceInset(Size{636, 995}, Size{0, 0}), (Point{0, 0}));
  // Margins that differ, a smaller surface, or one larger than any shadow
  // (a size from before the compositor tiled the window): not a shadow.
  EXPECT_EQ(surfaceInset(Size{316, 995}, Size{361, 995}), (Point{0, 0}));
  EXPECT_EQ(surfaceInset(Size{636, 995}, Size{600, 990}), (Point{0, 0}));
  EXPECT_EQ(surfaceInset(Size{316, 795}, Size{526, 1005}), (Point{0, 0}));
  EXPECT_EQ(surfaceInset(Size{100, 100}, Size{228, 228}), (Point{64, 64}));
  EXPECT_EQ(surfaceInset(Size{100, 100}, Size{230, 230}), (Point{0, 0}));
}

}  // namespace
}  // namespace axt::lindesk
