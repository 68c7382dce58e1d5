// How many observers the library keeps alive, which the event stream can't
// show: per adoption, what the application has (four with a focused
// element, two without one, none without a bundle identifier), one more
// for each element that takes the focus, and nothing more for adoptions,
// starts and focus moves that come again.
#include <algorithm>

#include "harness.h"

namespace axt::testing {
namespace {

class ObserverCountTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    simdesk::AppSpec editor = editorApp();
    simdesk::ElementSpec bare;  // no role: focusing it is ignored
    bare.id = "bare";
    editor.elements.push_back(bare);
    desk().addApp(editor);
    simdesk::AppSpec other = editorApp();
    other.pid = 20;
    other.bundleId = "com.example.other";
    for (auto& e : other.elements) e.id = "other-" + e.id;
    other.focused = "other-area";
    desk().addApp(other);
    simdesk::AppSpec unfocused;
    unfocused.pid = 30;
    unfocused.bundleId = "com.example.unfocused";
    desk().addApp(unfocused);
    simdesk::AppSpec anonymous;
    anonymous.pid = 31;
    desk().addApp(anonymous);
    startTracking();
  }
  void activate(simdesk::Pid pid) {
    desk().activate(pid);
    runFor(0.5);
  }
};

TEST_F(ObserverCountTest, AdoptionObservesWhatTheApplicationHas) {
  activate(31);
  EXPECT_EQ(desk().liveObservers(), 0u) << "no bundle identifier, no focus";
  activate(30);
  EXPECT_EQ(desk().liveObservers(), 2u) << "no focused element";
  activate(10);
  EXPECT_EQ(desk().liveObservers(), 6u) << "a focused element";
  desk().focus("button");
  runFor(0.5);
  EXPECT_EQ(desk().liveObservers(), 7u) << "the element that took the focus";
  desk().focus("bare");
  runFor(0.5);
  EXPECT_EQ(desk().liveObservers(), 7u) << "an element without a role";
}

TEST_F(ObserverCountTest, NothingMoreWhenThingsComeAgain) {
  activate(10);
  activate(20);
  ASSERT_EQ(desk().liveObservers(), 8u);
  for (int i = 0; i < 50; ++i) {
    desk().activate(10);
    desk().activate(20);
  }
  host::start("{}");  // from now on each activation is handled twice
  activate(10);
  desk().focus("button");
  desk().focus("button");
  runFor(0.5);
  EXPECT_EQ(desk().liveObservers(), 9u);
  lines.clear();
  desk().select("area", {0, 5});
  runFor(0.5);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Selected text ROle Optional(\"AXTextArea\")"), 1)
      << "one observer of the application hears it, once";
}

}  // namespace
}  // namespace axt::testing
