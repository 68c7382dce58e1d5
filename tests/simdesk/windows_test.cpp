// Host windows: the type test on window objects, content views, and the
// tracking areas that report the pointer entering and leaving.
#include <cstdint>

#include "fixture.h"

namespace simdesk_test {
namespace {

constexpr std::uint32_t kHoverOptions = 0x281;  // entered/exited, active always, visible rect

struct Counter final : ap::Responder {
  std::vector<std::string> log;
  void mouseEntered() override { log.push_back("enter@" + std::to_string(Desktop::get().now()).substr(0, 4)); }
  void mouseExited() override { log.push_back("exit@" + std::to_string(Desktop::get().now()).substr(0, 4)); }
};

class WindowsTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    desk().addHostWindow({"main", rect(100, 100, 200, 100), true});
    desk().addHostWindow({"bare", rect(500, 500, 50, 50), false});
  }
  ap::Windows& windows() { return ap::current().windows(); }

  ap::Window window(const std::string& id) {
    auto w = windows().windowFromObject(desk().windowObject(id));
    EXPECT_TRUE(w.has_value()) << id;
    return w ? *w : ap::Window();
  }

  // An area over the content view, with the options the library uses.
  void track(const std::string& id, const std::shared_ptr<Counter>& owner) {
    const ap::Window w = window(id);
    const ap::Rect area = windows().contentViewBounds(w).value_or(ap::Rect{});
    windows().addTrackingArea(w, windows().createTrackingArea(area, kHoverOptions, owner));
  }
};

TEST_F(WindowsTest, OnlyKnownWindowObjectsPassTheTypeTest) {
  EXPECT_TRUE(window("main") == window("main"));
  EXPECT_FALSE(window("main") == window("bare"));
  EXPECT_EQ(desk().windowObject("main"), desk().windowObject("main"));
  int local = 0;
  EXPECT_FALSE(windows().windowFromObject(nullptr).has_value());
  EXPECT_FALSE(windows().windowFromObject(desk().notAWindowObject()).has_value());
  EXPECT_FALSE(windows().windowFromObject(&local).has_value());
  EXPECT_FALSE(windows().windowFromObject(reinterpret_cast<void*>(std::uintptr_t{0xdeadbeef})).has_value());
  EXPECT_EQ(desk().windowObject("nope"), nullptr);
  EXPECT_EQ(windows().contentViewBounds(window("main")), rect(0, 0, 200, 100));
  EXPECT_FALSE(windows().contentViewBounds(window("bare")).has_value());
}

TEST_F(WindowsTest, EnterAndExitReachTheOwnerOnTheMainLoop) {
  auto owner = std::make_shared<Counter>();
  track("main", owner);
  desk().movePointer({50, 50});   // outside
  desk().movePointer({150, 150}); // inside
  desk().movePointer({160, 150}); // still inside: nothing
  EXPECT_TRUE(owner->log.empty());
  desk().runUntil(0.5);
  desk().movePointer({300, 150}); // right edge is outside
  desk().runInModeUntil("tracking", 1.0);
  EXPECT_EQ(owner->log, (std::vector<std::string>{"enter@0.00", "exit@0.50"}));
}

TEST_F(WindowsTest, AnAreaInstalledUnderThePointerStartsInside) {
  desk().movePointer({150, 150});
  auto owner = std::make_shared<Counter>();
  track("main", owner);
  desk().movePointer({155, 150});
  desk().movePointer({10, 10});
  desk().runUntil(0.1);
  EXPECT_EQ(owner->log, (std::vector<std::string>{"exit@0.00"}));
}

}  // namespace
}  // namespace simdesk_test
