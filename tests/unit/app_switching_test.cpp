// Adopting applications, the registrations that follow, and their delivery
// over time.
#include "harness.h"

namespace axt::testing {
namespace {

class AppSwitchingTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    desk().addApp(editorApp());
    simdesk::AppSpec other;
    other.pid = 20;
    other.bundleId = "com.example.other";
    other.name = "Other";
    other.focused = "doc";
    simdesk::ElementSpec doc;
    doc.id = "doc";
    doc.role = "AXTextArea";
    doc.text = "other text";
    other.elements = {doc};
    desk().addApp(other);
    startTracking();
    lines.clear();
  }
};

TEST_F(AppSwitchingTest, FocusedApplicationIsAdoptedAndObservedFourWays) {
  desk().activate(10);
  runFor(1);
  EXPECT_EQ(lines, std::vector<std::string>{"Optional(\"AXApplication\")"});
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "app_changed");
  EXPECT_EQ(deliveries[0].json,
            R"({"bundle_id":"com.example.editor","name":"Editor","role":"AXApplication"})");
  EXPECT_EQ(tracker()->processID, 10);
  EXPECT_EQ(desk().liveObservers(), 4u);
}

TEST_F(AppSwitchingTest, UnfocusedApplicationGetsNullRoleAndTwoObservers) {
  simdesk::AppSpec app;
  app.pid = 30;
  app.bundleId = "com.example.blank";
  app.name = "Blank";
  desk().addApp(app);
  desk().activate(30);
  runFor(1);
  EXPECT_EQ(lines, std::vector<std::string>{"some where around herer"});
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].json, R"({"bundle_id":"com.example.blank","name":"Blank","role":null})");
  EXPECT_EQ(desk().liveObservers(), 2u);
}

TEST_F(AppSwitchingTest, NoBundleIdentifierAndNoFocusMeansAdoptedQuietly) {
  simdesk::AppSpec app;
  app.pid = 31;
  desk().addApp(app);
  desk().activate(31);
  runFor(1);
  EXPECT_EQ(lines, std::vector<std::string>{"some where around herer"});
  EXPECT_TRUE(deliveries.empty());
  EXPECT_EQ(tracker()->processID, 31);
  EXPECT_EQ(desk().liveObservers(), 0u);
  desk().activate(31);
  desk().activate(10);
  runFor(1);
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"}) << "the next adoption proceeds";
}

TEST_F(AppSwitchingTest, InaccessibleApplicationTakesTheUnfocusedCase) {
  simdesk::AppSpec app;
  app.pid = 32;
  app.bundleId = "com.example.locked";
  app.name = "Locked";
  app.accessible = false;
  desk().addApp(app);
  desk().activate(32);
  runFor(1);
  EXPECT_EQ(lines, (std::vector<std::string>{"-25204 Error retrieving attribute",
                                             "some where around herer", "error", "error"}));
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"});
}

TEST_F(AppSwitchingTest, TheHostIsNeverAdopted) {
  desk().activate(10);
  runFor(1);
  desk().activate(simdesk::kHostPid);
  runFor(1);
  EXPECT_EQ(tracker()->processID, 10);
  desk().activate(10);
  runFor(1);
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"})
      << "coming back from the host to the same application is no switch";
  lines.clear();
  host::setText("x");  // acts on the editor, not the host
  EXPECT_EQ(desk().activations().at(10), 1);
}

TEST_F(AppSwitchingTest, SwitchingBackAndForthReportsEachSwitch) {
  desk().activate(10);
  runFor(0.5);
  desk().activate(20);
  runFor(0.5);
  desk().activate(10);
  runFor(0.5);
  EXPECT_EQ(names(), (std::vector<std::string>{"app_changed", "app_changed", "app_changed"}));
  EXPECT_NE(deliveries[1].json.find("com.example.other"), std::string::npos);
}

TEST_F(AppSwitchingTest, ReadoptionAddsNoObservers) {
  desk().activate(10);
  desk().activate(20);
  runFor(0.5);
  const std::size_t afterOne = desk().liveObservers();
  for (int i = 0; i < 50; ++i) {
    desk().activate(10);
    desk().activate(20);
  }
  runFor(0.5);
  EXPECT_EQ(desk().liveObservers(), afterOne);
  EXPECT_EQ(afterOne, 8u);

  lines.clear();
  desk().select("area", {0, 5});
  runFor(0.5);
  // The selection observer of the application hears it exactly once.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Selected text ROle Optional(\"AXTextArea\")"), 1);
}

TEST_F(AppSwitchingTest, StillLaunchingApplicationIsAdoptedWhenItFinishes) {
  simdesk::AppSpec app;
  app.pid = 40;
  app.bundleId = "com.example.late";
  app.name = "Late";
  app.launched = false;
  desk().addApp(app);
  desk().launch(40, false);
  runFor(1);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_FALSE(tracker()->processID.has_value());
  desk().launch(40, true);
  runFor(1);
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"});
  EXPECT_EQ(tracker()->processID, 40);
}

TEST_F(AppSwitchingTest, NotificationWithoutApplicationPrintsReturing) {
  desk().notifyWithoutApp();
  runFor(1);
  EXPECT_EQ(lines, std::vector<std::string>{"returing"});
  EXPECT_TRUE(deliveries.empty());
}

TEST_F(AppSwitchingTest, SecondStartRepeatsWorkspaceRegistrationsButNotTheHotKey) {
  host::start("{}");
  EXPECT_EQ(lines, (std::vector<std::string>{"Accessibility is enabled", "Failed to register hotkey."}));
  lines.clear();
  desk().activate(10);
  runFor(1);
  // The handler runs twice; the second run finds the same application.
  EXPECT_EQ(lines, std::vector<std::string>{"Optional(\"AXApplication\")"});
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"});
  EXPECT_EQ(desk().liveObservers(), 4u);
}

TEST_F(AppSwitchingTest, ObserversOfEarlierApplicationsKeepReporting) {
  desk().activate(10);
  runFor(0.5);
  desk().activate(20);
  runFor(0.5);
  deliveries.clear();
  desk().select("area", {0, 5});
  runFor(0.5);
  ASSERT_EQ(deliveries.size(), 1u);
  EXPECT_EQ(deliveries[0].name, "text_select");
  // The data names the current frontmost application, not the owner.
  EXPECT_NE(deliveries[0].json.find("\"bundle_id\":\"com.example.other\""), std::string::npos);
  EXPECT_NE(deliveries[0].json.find("\"selected_text\":\"hello\""), std::string::npos);
}

TEST_F(AppSwitchingTest, AQuitApplicationIsHarmless) {
  desk().activate(10);
  runFor(0.5);
  desk().quit(10);
  lines.clear();
  desk().select("area", {0, 5});
  desk().pressHotKey();
  runFor(0.5);
  host::setText("replacement");
  runFor(0.5);
  EXPECT_EQ(desk().activations().count(10), 0u) << "a quit application can't be activated";
  EXPECT_EQ(names(), std::vector<std::string>{"app_changed"});
  EXPECT_EQ(tracker()->processID, 10);
}

}  // namespace
}  // namespace axt::testing
