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

}  // namespace
}  // namespace simdesk_test
