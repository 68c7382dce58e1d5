// Observer registrations: each combination is registered once, and a
// registration the application refused is retried for the process it is
// asked for, never again on the observer of the process that refused it.
#include "harness.h"

namespace axt::testing {
namespace {

class RegistrationsTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    simdesk::AppSpec reader;
    reader.pid = 20;
    reader.bundleId = "com.example.reader";
    reader.name = "Reader";
    reader.focused = "reader-field";
    simdesk::ElementSpec field;
    field.id = "reader-field";
    field.role = "AXTextField";
    field.text = "reader";
    reader.elements = {field};
    desk().addApp(editorApp());
    desk().addApp(reader);
    startTracking();
  }

  std::size_t errorLines() const {
    std::size_t n = 0;
    for (const std::string& l : lines) n += l == "error" ? 1 : 0;
    return n;
  }
};

TEST_F(RegistrationsTest, RefusedFocusRegistrationIsRetriedForTheCurrentProcessOnce) {
  desk().activate(10);
  runFor(0.5);
  desk().activate(20);
  runFor(0.5);
  // The editor is in the background: its element is registered for the
  // reader's process, which refuses it.
  desk().focus("field");
  runFor(0.5);
  ASSERT_EQ(errorLines(), 1u);
  const std::size_t afterRefusal = ax::registeredObserverCount();

  desk().activate(10);
  runFor(0.5);
  desk().focus("field");
  runFor(0.5);
  EXPECT_EQ(errorLines(), 1u) << "retried on the observer of the process that refused it";
  // The refused registration was replaced, not added to.
  EXPECT_EQ(ax::registeredObserverCount(), afterRefusal);

  // Once accepted, repeats add nothing and print nothing.
  for (int i = 0; i < 5; ++i) {
    desk().focus("field");
    runFor(0.5);
  }
  EXPECT_EQ(errorLines(), 1u);
  EXPECT_EQ(ax::registeredObserverCount(), afterRefusal);
}

// A host's test suite lays out one desktop after another in one process and
// makes a tracker for each, with or without main() between them. A tracker
// made where an earlier one was freed has the same context pointer; it must
// still register its own observers and hear the user's selection.
class SuccessiveDesktopsTest : public LibraryTest {
 protected:
  // One desktop of a suite: laid out anew, tracked, a word selected. True
  // when the selection reached the host.
  bool selectionHeardOnFreshDesktop() {
    desk().reset();
    desk().addApp(editorApp());
    deliveries.clear();
    startTracking();
    desk().activate(10);
    runFor(0.5);
    desk().select("area", {0, 5});
    runFor(0.5);
    for (const Delivery& d : deliveries) {
      if (d.name == "text_select") return true;
    }
    return false;
  }
};

TEST_F(SuccessiveDesktopsTest, EveryDesktopOfASuiteIsTracked) {
  for (int round = 0; round < 4; ++round) {
    EXPECT_TRUE(selectionHeardOnFreshDesktop()) << "desktop " << round + 1;
  }
  for (int round = 0; round < 4; ++round) {
    host::main(0, nullptr);
    EXPECT_TRUE(selectionHeardOnFreshDesktop()) << "desktop " << round + 1 << " after main";
  }
}

TEST_F(SuccessiveDesktopsTest, AFreedTrackerLeavesNoRegistrationBehind) {
  ASSERT_TRUE(selectionHeardOnFreshDesktop());
  ASSERT_GT(ax::registeredObserverCount(), 0u);
  // main() lets go of the tracker; the reset desktop drops the workspace
  // observations that held it too.
  host::main(0, nullptr);
  desk().reset();
  EXPECT_EQ(ax::registeredObserverCount(), 0u);
}

}  // namespace
}  // namespace axt::testing
