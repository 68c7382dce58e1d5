// The workspace: applications running, launching, activating and quitting,
// and the notifications it delivers.
#include "fixture.h"

namespace simdesk_test {
namespace {

struct Seen {
  std::string name;
  std::optional<ap::Pid> pid;  // absent: no user information
  bool finished = false;
};

class WorkspaceTest : public DesktopTest {
 protected:
  std::vector<Seen> seen;

  void watch() {
    for (auto name : {ap::kDidActivateApplicationNotification, ap::kDidLaunchApplicationNotification}) {
      ap::current().workspace().addObserver(name, [this](const ap::WorkspaceNotification& n) {
        Seen s{n.name, std::nullopt};
        if (n.userInfo) {
          const auto& app = std::get<ap::RunningApplicationRef>(n.userInfo->at(std::string(ap::kApplicationKey)));
          s.pid = app->processIdentifier();
          s.finished = app->isFinishedLaunching();
        }
        seen.push_back(s);
      });
    }
  }

  static ap::RunningApplicationRef frontApp() { return ap::current().workspace().frontmostApplication(); }
};

TEST_F(WorkspaceTest, ActivationPostsOnlyWhenTheFrontmostApplicationChanges) {
  addApp(app(kApp));
  watch();
  const auto host = frontApp();
  EXPECT_EQ(host->processIdentifier(), 1);
  EXPECT_EQ(host->localizedName(), "Quillarbor");
  EXPECT_EQ(host->bundleIdentifier(), "com.quillarbor.host");
  desk().activate(kApp);
  desk().activate(kApp);
  EXPECT_TRUE(seen.empty()) << "delivered by the main loop";
  desk().runInModeUntil("modal", 0.1);  // in any mode
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, ap::kDidActivateApplicationNotification);
  EXPECT_EQ(seen[0].pid, kApp);
  EXPECT_EQ(frontApp()->processIdentifier(), kApp);
  EXPECT_TRUE(desk().activations().empty()) << "the user's activations aren't counted";
}

TEST_F(WorkspaceTest, LibraryActivationsAreCountedAndObjectsAreStable) {
  addApp(app(kApp));
  watch();
  desk().activate(kApp);
  const auto app1 = frontApp();
  EXPECT_EQ(app1, frontApp()) << "one object per application";
  desk().activate(1);
  EXPECT_TRUE(app1->activate(0));
  EXPECT_TRUE(app1->activate(0));  // already frontmost: counted, no notification
  desk().runUntil(0.1);
  EXPECT_EQ(desk().activations(), (std::map<ap::Pid, int>{{kApp, 2}}));
  EXPECT_EQ(seen.size(), 3u);

  desk().quit(kApp);
  EXPECT_EQ(desk().frontmost(), 1) << "the host takes over";
  EXPECT_FALSE(app1->activate(0));
  EXPECT_EQ(desk().activations().at(kApp), 2);
  desk().activate(kApp);
  EXPECT_EQ(desk().frontmost(), 1);
}

TEST_F(WorkspaceTest, LaunchNotificationCarriesTheLaunchState) {
  AppSpec a = app(kApp);
  a.launched = false;
  addApp(a);
  watch();
  const auto obj = [&] {
    desk().activate(kApp);
    return frontApp();
  }();
  EXPECT_FALSE(obj->isFinishedLaunching());
  desk().launch(kApp, false);
  desk().launch(kApp, true);
  desk().launch(999);  // unknown: nothing
  desk().runUntil(0.1);
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_EQ(seen[1].name, ap::kDidLaunchApplicationNotification);
  EXPECT_TRUE(seen[1].finished) << "read at delivery time";
  EXPECT_TRUE(obj->isFinishedLaunching());
}

TEST_F(WorkspaceTest, NotificationWithoutTheApplication) {
  watch();
  desk().notifyWithoutApp();
  desk().runUntil(0.1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].name, ap::kDidActivateApplicationNotification);
  EXPECT_FALSE(seen[0].pid.has_value());
}

TEST_F(WorkspaceTest, BlocksAddedDuringDeliveryHearOnlyLaterNotifications) {
  addApp(app(kApp));
  int late = 0;
  ap::current().workspace().addObserver(ap::kDidActivateApplicationNotification,
                                        [&](const ap::WorkspaceNotification&) {
    ap::current().workspace().addObserver(ap::kDidActivateApplicationNotification,
                                          [&](const ap::WorkspaceNotification&) { ++late; });
  });
  desk().activate(kApp);
  desk().runUntil(0.1);
  EXPECT_EQ(late, 0);
  desk().activate(1);
  desk().runUntil(0.2);
  EXPECT_EQ(late, 1);
}

}  // namespace
}  // namespace simdesk_test
