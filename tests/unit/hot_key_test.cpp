// Option+Return: the checks, the probe range, the caret rectangle and the
// three shapes of "alt_enter_pressed".
#include "harness.h"

namespace axt::testing {
namespace {

class HotKeyTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    app = editorApp();
  }
  void adoptAndPress(platform::Range selection, const std::string& focused = "area") {
    app.focused = focused;
    for (auto& e : app.elements) {
      if (e.id == focused) e.selection = selection;
    }
    desk().addApp(app);
    startTracking();
    desk().activate(10);
    runFor(0.5);
    deliveries.clear();
    lines.clear();
    desk().pressHotKey();
    runFor(0.5);
  }
  std::string last() const {
    return deliveries.empty() ? "" : deliveries.back().name + " " + deliveries.back().json;
  }
  simdesk::AppSpec app;
};

TEST_F(HotKeyTest, CaretAfterTheLastCharacterProbesThatCharacter) {
  adoptAndPress({23, 0});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"is_editable":true,"position":{"x":180,"y":216},)"
                    R"("selected_text":"hello world\nsecond line","size":{"height":16,"width":8}})");
}

TEST_F(HotKeyTest, CaretInsideProbesTheCharacterAfterIt) {
  adoptAndPress({4, 0});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"is_editable":true,"position":{"x":132,"y":200},)"
                    R"("selected_text":"hell","size":{"height":16,"width":8}})");
}

TEST_F(HotKeyTest, CaretAtTheStartSendsAnEmptyText) {
  adoptAndPress({0, 0});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"is_editable":true,"position":{"x":100,"y":200},)"
                    R"("selected_text":"","size":{"height":16,"width":8}})");
}

TEST_F(HotKeyTest, ReadOnlyAreaWithCaretStillSaysEditable) {
  app.elements[0].editable = false;
  adoptAndPress({4, 0});
  EXPECT_NE(last().find(R"("is_editable":true)"), std::string::npos) << last();
}

TEST_F(HotKeyTest, SelectionSendsTheSnapshot) {
  adoptAndPress({6, 5});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                    R"("position":{"x":148,"y":200},"selected_text":"world","size":{"height":16,"width":40}})");
  EXPECT_EQ(tracker()->selectedText, "world");
}

TEST_F(HotKeyTest, SelectionInAReadOnlyAreaWithoutMarkersGivesTheFallback) {
  app.elements[0].editable = false;
  adoptAndPress({6, 5});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"bundle_id":"com.example.editor","message":"something is wrong com","name":"Editor"})");
}

TEST_F(HotKeyTest, UnreadableTextBeforeTheCaretSendsErrorThenEmptyData) {
  app.elements[0].errors["AXStringForRange"] = -25204;
  adoptAndPress({4, 0});
  EXPECT_EQ(names(), std::vector<std::string>{"alt_enter_pressed"}) << "the error is superseded";
  EXPECT_EQ(last(), "alt_enter_pressed {}");
}

TEST_F(HotKeyTest, FlatProbeFallsBackToMarkersOrNulls) {
  app.elements[0].attributes["AXBoundsForRange"] = platform::Rect{{1, 2}, {3, 0}};
  adoptAndPress({4, 0});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"is_editable":true,"position":{"x":null,"y":null},)"
                    R"("selected_text":"hell","size":{"height":null,"width":null}})");
}

TEST_F(HotKeyTest, FlatProbeUsesTheMarkerBoundsWhenThereAreMarkers) {
  app.elements[0].markers = true;
  app.elements[0].attributes["AXBoundsForRange"] = platform::Rect{{1, 2}, {3, 0}};
  adoptAndPress({4, 0});
  EXPECT_EQ(last(), R"(alt_enter_pressed {"is_editable":true,"position":{"x":132,"y":200},)"
                    R"("selected_text":"hell","size":{"height":16,"width":0}})");
}

TEST_F(HotKeyTest, OnlyNonEmptyTextAreasAnswer) {
  adoptAndPress({0, 0}, "field");
  EXPECT_TRUE(deliveries.empty());
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "field") << "recorded before the role check";
}

TEST_F(HotKeyTest, EmptyTextAreaAnswersNothing) {
  app.elements[0].text = "";
  adoptAndPress({0, 0});
  EXPECT_TRUE(deliveries.empty());
}

TEST_F(HotKeyTest, NothingBeforeAnyAdoption) {
  desk().addApp(app);
  startTracking();
  desk().pressHotKey();
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_FALSE(tracker()->focusedElement.has_value());
}

TEST_F(HotKeyTest, OtherCombinationsAreNotOurs) {
  desk().addApp(app);
  startTracking();
  desk().activate(10);
  runFor(0.5);
  deliveries.clear();
  desk().pressHotKey(36, 0);
  desk().pressHotKey(37, 0x800);
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
}

}  // namespace
}  // namespace axt::testing
