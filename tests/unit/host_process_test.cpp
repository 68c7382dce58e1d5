// The host is left out of tracking by its process as well as by its name: a
// host with a name of its own, on the accessibility bus as any application
// with a toolkit's bridge is, must never become the application followed.
// (Scenario files can't rename the host, so this one is a unit test.)
#include "harness.h"

namespace axt::testing {
namespace {

class HostProcessTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    // The simulated host's process, under a name that isn't the one the
    // library knows, with a text area of its own.
    simdesk::AppSpec host;
    host.pid = simdesk::kHostPid;
    host.bundleId = "com.example.notebook";
    host.name = "Notebook";
    host.focused = "draft";
    simdesk::ElementSpec draft;
    draft.id = "draft";
    draft.role = "AXTextArea";
    draft.text = "the host's own text";
    draft.frame = {{0, 0}, {300, 16}};
    host.elements = {draft};
    desk().addApp(host);
    simdesk::AppSpec editor = editorApp();
    desk().addApp(editor);
    startTracking();
  }

  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const Delivery& d : deliveries) out.push_back(d.name);
    return out;
  }
};

TEST_F(HostProcessTest, TheHostsOwnActivationsAndSelectionsAreNotFollowed) {
  desk().activate(10);
  runFor(0.5);
  desk().select("area", {0, 5});
  runFor(0.5);
  ASSERT_EQ(names(), (std::vector<std::string>{"app_changed", "text_select"}));

  desk().activate(simdesk::kHostPid);
  runFor(0.5);
  desk().select("draft", {0, 3});
  runFor(0.5);
  EXPECT_EQ(names(), (std::vector<std::string>{"app_changed", "text_select"}))
      << "the host became the application followed";
  ASSERT_TRUE(tracker()->frontmostApp);
  EXPECT_EQ(tracker()->frontmostApp->processIdentifier(), 10);
}

}  // namespace
}  // namespace axt::testing
