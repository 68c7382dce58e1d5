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

}  // namespace
}  // namespace axt::testing
