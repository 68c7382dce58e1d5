// Resetting the desktop while it holds closures of the library, whose
// destructors may call back into it.
#include "fixture.h"

namespace simdesk_test {
namespace {

// Calls back into the desktop when destroyed, as a library object might.
struct CallsBackWhenDestroyed {
  explicit CallsBackWhenDestroyed(int* counter) : destroyed(counter) {}
  CallsBackWhenDestroyed(const CallsBackWhenDestroyed&) = delete;
  CallsBackWhenDestroyed& operator=(const CallsBackWhenDestroyed&) = delete;
  int* destroyed;
  ~CallsBackWhenDestroyed() {
    ++*destroyed;
    loop().dispatchAfter(0.1, [] {});
    ap::current().log().writeLine("destroyed");
    (void)ap::current().workspace().frontmostApplication();
  }
  static ap::MainRunLoop& loop() { return ap::current().runLoop(); }
};

// Schedules another of itself when destroyed, while it has lives left:
// reset must not chase it forever.
struct Phoenix {
  static inline int lives = 0;
  ~Phoenix() {
    if (lives <= 0) return;
    --lives;
    auto next = std::make_shared<Phoenix>();
    ap::current().runLoop().dispatchAfter(1, [next] {});
  }
};

class ResetTest : public DesktopTest {};

TEST_F(ResetTest, PendingClosuresDieAndTheirCallbacksDoNotSurvive) {
  int destroyed = 0;
  std::vector<std::string> lines;
  desk().setLineSink([&](std::string_view l) { lines.emplace_back(l); });
  {
    auto witness = std::make_shared<CallsBackWhenDestroyed>(&destroyed);
    loop().dispatchAfter(5, [witness] {});
    loop().scheduleTimer(5, ap::RunLoopMode::kDefault, [witness] {});
    ap::current().workspace().addObserver(ap::kDidActivateApplicationNotification,
                                          [witness](const ap::WorkspaceNotification&) {});
  }
  addApp(app(kApp));
  desk().activate(kApp);
  desk().runUntil(1);
  desk().setTrusted(false);
  ASSERT_EQ(destroyed, 0);

  desk().reset();
  EXPECT_EQ(destroyed, 1);
  EXPECT_TRUE(lines.empty()) << "the line sink was reset before the closures died";
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
  EXPECT_DOUBLE_EQ(desk().now(), 0);
  EXPECT_EQ(desk().frontmost(), 1);
  EXPECT_TRUE(desk().trusted());
  EXPECT_FALSE(desk().hasApp(kApp));
  EXPECT_TRUE(desk().activations().empty());
}

TEST_F(ResetTest, EndlessRebirthInDestructorsIsCutShort) {
  Phoenix::lives = 1000;
  {
    auto p = std::make_shared<Phoenix>();
    loop().dispatchAfter(1, [p] {});
  }
  desk().reset();  // returns
  EXPECT_GT(Phoenix::lives, 900) << "gave up after a few rounds";
  EXPECT_EQ(desk().frontmost(), 1);
  EXPECT_EQ(desk().pendingMainLoopItems(), 1u);
  Phoenix::lives = 0;
  desk().reset();
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
}

TEST_F(ResetTest, ResetFromInsideARunIsSafe) {
  int after = 0;
  loop().dispatchAfter(0.1, [&] {
    desk().reset();
    loop().dispatchAfter(0.2, [&] { ++after; });
  });
  loop().dispatchAfter(0.3, [&] { after += 100; });  // dropped by the reset
  desk().runUntil(1);
  EXPECT_EQ(after, 1);
  EXPECT_DOUBLE_EQ(desk().now(), 1);
}

TEST_F(ResetTest, ObjectsFromAnEarlierDesktopStayHarmless) {
  addApp(app(kApp));
  desk().activate(kApp);
  const ap::RunningApplicationRef old = ap::current().workspace().frontmostApplication();
  desk().addHostWindow({"w", rect(0, 0, 10, 10), true});
  const auto oldWindow = ap::current().windows().windowFromObject(desk().windowObject("w"));
  desk().reset();
  addApp(app(kApp));
  EXPECT_FALSE(old->activate(0)) << "the application it stood for is gone";
  EXPECT_EQ(old->processIdentifier(), kApp);
  EXPECT_EQ(desk().frontmost(), 1);
  ASSERT_TRUE(oldWindow);
  EXPECT_FALSE(ap::current().windows().contentViewBounds(*oldWindow).has_value());
}

}  // namespace
}  // namespace simdesk_test
