// Hover over the host's windows: entering reports, leaving re-activates the
// tracked application.
#include "harness.h"
#include "window/window_tracker.h"

namespace axt::testing {
namespace {

class WindowTrackerTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    desk().addHostWindow({"main", {{100, 100}, {400, 300}}, true});
    desk().addHostWindow({"bare", {{600, 100}, {100, 100}}, false});
    desk().addApp(editorApp());
    startTracking();
    desk().activate(10);
    runFor(0.5);
    desk().activate(simdesk::kHostPid);
    runFor(0.5);
    deliveries.clear();
    lines.clear();
  }
  void point(double x, double y) { desk().movePointer({x, y}); }
};

TEST_F(WindowTrackerTest, EnteringTheContentAreaReportsHover) {
  window::addMouseTracker(desk().windowObject("main"));
  point(50, 50);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  const double entered = desk().now();
  point(150, 150);
  runFor(0.5);
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "mouse_hoverd");
  EXPECT_EQ(deliveries[0].json, "{}");
  EXPECT_NEAR(deliveries[0].at - entered, 0.18, 1e-9);
}

TEST_F(WindowTrackerTest, LeavingActivatesTheTrackedApplication) {
  window::addMouseTracker(desk().windowObject("main"));
  point(150, 150);
  runFor(0.03);
  point(50, 50);
  runFor(0.03);
  point(150, 150);
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"mouse_hoverd"});
  EXPECT_EQ(desk().activations().at(10), 1);
}

TEST_F(WindowTrackerTest, OutsideTheContentAreaNothingHappens) {
  window::addMouseTracker(desk().windowObject("main"));
  point(150, 90);  // where a title bar would be
  point(99, 150);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_TRUE(desk().activations().empty());
}

TEST_F(WindowTrackerTest, TheAreaFollowsTheWindowAsItGrows) {
  window::addMouseTracker(desk().windowObject("main"));
  point(550, 150);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  desk().resizeHostWindow("main", {{100, 100}, {600, 300}});
  point(560, 150);
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"mouse_hoverd"});
}

TEST_F(WindowTrackerTest, TwoTrackersOnOneWindowBothReport) {
  window::addMouseTracker(desk().windowObject("main"));
  window::addMouseTracker(desk().windowObject("main"));
  point(150, 150);
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"mouse_hoverd"}) << "coalesced";
  point(50, 50);
  runFor(0.5);
  EXPECT_EQ(desk().activations().at(10), 2);
}

TEST_F(WindowTrackerTest, ThingsThatAreNotWindowsAreIgnored) {
  const std::size_t before = window::liveWindowTrackers();
  window::addMouseTracker(nullptr);
  window::addMouseTracker(desk().notAWindowObject());
  int notAnything = 0;
  window::addMouseTracker(&notAnything);
  EXPECT_EQ(window::liveWindowTrackers(), before);
  point(150, 150);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_TRUE(lines.empty());
}

TEST_F(WindowTrackerTest, AWindowWithoutContentViewNeverReports) {
  window::addMouseTracker(desk().windowObject("bare"));
  point(650, 150);
  runFor(0.5);
  point(50, 50);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_TRUE(desk().activations().empty());
}

TEST_F(WindowTrackerTest, WithoutCallbackAPendingEventIsLeftAsItIs) {
  window::addMouseTracker(desk().windowObject("main"));
  host::initMacAccessibility(nullptr);  // the started tracker goes on reporting
  desk().select("area", {0, 5});
  runFor(0.01);
  point(150, 150);
  runFor(0.01);
  host::initMacAccessibility(&LibraryTest::onEvent);
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"});
}

TEST_F(WindowTrackerTest, LeavingAfterMainDoesNothing) {
  window::addMouseTracker(desk().windowObject("main"));
  point(150, 150);
  runFor(0.5);
  host::main(0, nullptr);
  point(50, 50);
  runFor(0.5);
  EXPECT_TRUE(desk().activations().empty());
}

TEST_F(WindowTrackerTest, HoverIsReportedWhileTheHostIsInactive) {
  window::addMouseTracker(desk().windowObject("main"));
  desk().activate(10);
  runFor(0.5);
  deliveries.clear();
  point(150, 150);
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"mouse_hoverd"});
}

}  // namespace
}  // namespace axt::testing
