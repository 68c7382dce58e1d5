// Selection, caret, static text, focus and window handlers, and the blocked
// fields, as the host receives them after coalescing.
#include <cmath>
#include <limits>

#include "ax/attributes.h"
#include "harness.h"

namespace axt::testing {
namespace {

class SelectionTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    app = editorApp();
  }
  // Adds the application, starts with `config`, adopts it and lets the
  // "app_changed" go by.
  void adopt(const char* config = "{}") {
    desk().addApp(app);
    startTracking(config);
    desk().activate(10);
    runFor(0.5);
    deliveries.clear();
    lines.clear();
  }
  std::string last() const { return deliveries.empty() ? "" : deliveries.back().name + " " + deliveries.back().json; }

  simdesk::AppSpec app;
};

constexpr const char* kEditorInfo = R"("bundle_id":"com.example.editor")";

TEST_F(SelectionTest, SelectionInATextAreaSendsTheSnapshot) {
  adopt();
  desk().select("area", {0, 5});
  runFor(0.5);
  EXPECT_EQ(lines, std::vector<std::string>{"Selected text ROle Optional(\"AXTextArea\")"});
  EXPECT_EQ(last(), R"(text_select {"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                    R"("position":{"x":100,"y":200},"selected_text":"hello","size":{"height":16,"width":40}})");
  EXPECT_EQ(tracker()->selectedText, "hello");
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "area");
}

TEST_F(SelectionTest, SelectionAcrossLinesCoversBothLines) {
  adopt();
  desk().select("area", {6, 12});
  runFor(0.5);
  EXPECT_NE(last().find(R"("position":{"x":100,"y":200},"selected_text":"world\nsecond","size":{"height":32,"width":96})"),
            std::string::npos)
      << last();
}

TEST_F(SelectionTest, RangesCountUtf16Units) {
  app.elements[0].text = "h\xC3\xA9llo \xF0\x9F\x98\x80 w\xC3\xB6rld";  // héllo 😀 wörld
  adopt();
  desk().select("area", {9, 5});
  runFor(0.5);
  EXPECT_NE(last().find("\"position\":{\"x\":172,\"y\":200},\"selected_text\":\"w\xC3\xB6rld\""), std::string::npos)
      << last();
  EXPECT_NE(last().find(R"("size":{"height":16,"width":40})"), std::string::npos) << last();
}

TEST_F(SelectionTest, CaretSendsAnEmptyObjectWhateverTheRole) {
  adopt();
  desk().select("area", {3, 0});
  runFor(0.5);
  EXPECT_EQ(last(), "caret {}");
  desk().select("button", {0, 0});
  runFor(0.5);
  EXPECT_EQ(deliveries.size(), 1u) << "a button has no selected text: nothing";
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "button");
}

TEST_F(SelectionTest, SelectionInOtherRolesSendsNothingButIsRecorded) {
  app.elements[3].text = "click";
  adopt();
  desk().select("button", {0, 3});
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_EQ(lines, std::vector<std::string>{"Selected text ROle Optional(\"AXButton\")"});
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "button");
}

TEST_F(SelectionTest, UnreadableSelectionSendsNothing) {
  app.elements[1].errors["AXSelectedText"] = -25204;
  adopt();
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
}

TEST_F(SelectionTest, StaticTextIsMeasuredThroughMarkers) {
  adopt();
  desk().select("label", {7, 5});
  runFor(0.5);
  EXPECT_EQ(last(), R"(text_select {"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                    R"("position":{"x":66,"y":10},"selected_text":"words","size":{"height":16,"width":40}})");
}

TEST_F(SelectionTest, StaticTextCaretEndsAsTextSelect) {
  adopt();
  desk().select("label", {3, 0});
  runFor(0.5);
  ASSERT_EQ(deliveries.size(), 1u) << "the caret is superseded within the delay";
  EXPECT_EQ(last(), R"(text_select {"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                    R"("position":{"x":34,"y":10},"selected_text":"","size":{"height":16,"width":0}})");
}

TEST_F(SelectionTest, StaticTextWithoutBoundsSendsNothingFromMarkers) {
  app.elements[2].errors["AXBoundsForTextMarkerRange"] = -25205;
  adopt();
  desk().select("label", {7, 5});
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
}

TEST_F(SelectionTest, BlockedFieldSendsNothingAndPrintsBlocked) {
  app.elements[1].attributes["AXIdentifier"] = std::string("secret");
  adopt(R"({"com.example.editor": {"name": "AXIdentifier", "value": "secret"}})");
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_EQ(lines, (std::vector<std::string>{"Selected text ROle Optional(\"AXTextField\")", "blocked"}));
  EXPECT_TRUE(deliveries.empty());
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "field") << "still recorded";
  desk().select("area", {0, 5});
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"}) << "other fields pass";
}

TEST_F(SelectionTest, BlockedValueComparesCanonicallyEquivalentText) {
  app.elements[1].attributes["AXIdentifier"] = std::string("cafe\xCC\x81");  // e + combining acute
  adopt(R"({"com.example.editor": {"name": "AXIdentifier", "value": "caf\u00e9"}})");
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_TRUE(printed("blocked"));
}

TEST_F(SelectionTest, EntryWithoutTextValueBlocksFieldsWithoutTheAttribute) {
  app.elements[1].attributes["AXIdentifier"] = std::string("search-box");
  adopt(R"({"com.example.editor": {"name": "AXIdentifier", "value": 12}})");
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"});
  lines.clear();
  desk().select("area", {0, 5});
  runFor(0.5);
  EXPECT_EQ(lines, (std::vector<std::string>{"Selected text ROle Optional(\"AXTextArea\")",
                                             "-25205 Error retrieving attribute", "blocked"}));
}

TEST_F(SelectionTest, EntriesThatCantMatchBlockNothing) {
  app.elements[1].attributes["AXIdentifier"] = std::string("secret");
  adopt(R"({"com.example.other": {"name": "AXIdentifier", "value": "secret"}})");
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"});
  host::start(R"({"com.example.editor": {"value": "secret"}})");
  host::start(R"({"com.example.editor": {}})");
  desk().select("field", {1, 3});
  runFor(0.5);
  EXPECT_EQ(names(), (std::vector<std::string>{"text_select", "text_select"}));
  EXPECT_FALSE(printed("blocked"));
}

TEST_F(SelectionTest, ApplicationWithoutBundleIdentifierBlocksNothing) {
  app.bundleId.reset();
  app.elements[1].attributes["AXIdentifier"] = std::string("secret");
  adopt(R"({"": {"name": "AXIdentifier", "value": "secret"}})");
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_FALSE(printed("blocked"));
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"});
}

TEST_F(SelectionTest, FocusMoveReportsAndObservesTheNewElement) {
  adopt();
  desk().focus("button");
  runFor(0.5);
  EXPECT_EQ(last(), R"(focused_changed {"bundle_id":"com.example.editor","name":"Editor"})");
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "button");
  EXPECT_EQ(desk().liveObservers(), 5u);
  desk().focus("button");
  runFor(0.5);
  EXPECT_EQ(desk().liveObservers(), 5u) << "focusing it again observes nothing new";
}

TEST_F(SelectionTest, FocusOnAnElementWithoutRoleIsIgnored) {
  simdesk::ElementSpec bare;
  bare.id = "bare";
  app.elements.push_back(bare);
  adopt();
  desk().focus("bare");
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_FALSE(tracker()->focusedElement.has_value());
  EXPECT_EQ(desk().liveObservers(), 4u);
}

TEST_F(SelectionTest, FocusedElementHearsItsSelectionThroughBothObservers) {
  adopt();
  desk().focus("field");
  runFor(0.5);
  lines.clear();
  deliveries.clear();
  desk().select("field", {0, 3});
  runFor(0.5);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Selected text ROle Optional(\"AXTextField\")"), 2);
  EXPECT_EQ(names(), std::vector<std::string>{"text_select"}) << "coalesced into one";
}

TEST_F(SelectionTest, WindowMoveResendsANonEmptySelection) {
  app.elements[1].attributes["AXIdentifier"] = std::string("secret");
  app.elements[1].selection = {0, 3};
  adopt(R"({"com.example.editor": {"name": "AXIdentifier", "value": "secret"}})");
  desk().moveWindow("field");
  runFor(0.5);
  EXPECT_EQ(last(), R"(ui_reized {"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                    R"("position":{"x":100,"y":50},"selected_text":"sea","size":{"height":16,"width":24}})")
      << "blocked fields are not consulted here";
  desk().resizeWindow("area");
  runFor(0.5);
  EXPECT_EQ(deliveries.size(), 1u) << "no selection, nothing sent";
  EXPECT_EQ(desk().elementIdOf(*tracker()->focusedElement), "area");
  desk().resizeWindow("label");
  runFor(0.5);
  EXPECT_EQ(deliveries.size(), 1u);
}

TEST_F(SelectionTest, FocusWithoutAdoptionCarriesNoApplication) {
  app.elements[0].selection = {0, 5};
  adopt();
  tracker()->frontmostApp.reset();
  desk().focus("field");
  runFor(0.5);
  EXPECT_EQ(last(), "focused_changed {}");
}

// --- The snapshot's paths -------------------------------------------------

class SnapshotTest : public SelectionTest {
 protected:
  // A field measured by fixed answers, selected on adoption.
  void SetUp() override {
    SelectionTest::SetUp();
    simdesk::ElementSpec& field = app.elements[1];
    field.markers = true;
    field.selection = {1, 2};
  }
  std::string snapshot() {
    adopt();
    tracker()->focusedElement = focusedField();
    return json::write(tracker()->nativeTextFieldSelectedText());
  }
  platform::Element focusedField() {
    desk().focus("field");
    runFor(0.5);
    return *tracker()->focusedElement;
  }
};

TEST_F(SnapshotTest, PathAReportsANegativeXWithoutItsSign) {
  app.elements[1].attributes["AXBoundsForRange"] = platform::Rect{{-30, 5}, {20, 16}};
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                        R"("position":{"x":30,"y":5},"selected_text":"ea","size":{"height":16,"width":20}})");
}

TEST_F(SnapshotTest, PathBKeepsTheSameRectangleAsItIs) {
  app.elements[1].editable = false;
  app.elements[1].attributes["AXBoundsForTextMarkerRange"] = platform::Rect{{-30, 5}, {20, 16}};
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","is_editable":false,"name":"Editor",)"
                        R"("position":{"x":-30,"y":5},"selected_text":"ea","size":{"height":16,"width":20}})");
}

TEST_F(SnapshotTest, NaNHeightCountsAsAHeightAndIsSentAsNull) {
  app.elements[1].attributes["AXBoundsForRange"] =
      platform::Rect{{7, 8}, {9, std::numeric_limits<double>::quiet_NaN()}};
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                        R"("position":{"x":7,"y":8},"selected_text":"ea","size":{"height":null,"width":9}})");
}

TEST_F(SnapshotTest, ZeroHeightMovesOnToMarkersAndThenTheReversedRange) {
  app.elements[1].attributes["AXBoundsForRange"] = platform::Rect{{1, 1}, {1, 0}};
  app.elements[1].attributes["AXBoundsForTextMarkerRange"] = platform::Rect{{4, -6}, {-12, 0}};
  // Both marker orders get the fixed answer: x from the reversed one, y from
  // the corrected one since the reversed y isn't positive, width and height
  // measured.
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                        R"("position":{"x":4,"y":-6},"selected_text":"ea","size":{"height":0,"width":12}})");
}

TEST_F(SnapshotTest, NoMarkersMeansTheGeneralFallback) {
  app.elements[1].markers = false;
  app.elements[1].attributes["AXBoundsForRange"] = platform::Rect{{1, 1}, {1, 0}};
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","message":"something is wrong com","name":"Editor"})");
}

TEST_F(SnapshotTest, NoRectangleAtAllRewritesTheSelectionToTheEnd) {
  app.elements[1].editable = false;
  app.elements[1].errors["AXBoundsForTextMarkerRange"] = -25204;
  EXPECT_EQ(snapshot(), R"({"bundle_id":"com.example.editor","message":"something is wrong com","name":"Editor"})");
  // Location kept, length the character count, clamped to the text.
  auto field = focusedField();
  EXPECT_EQ(ax::getAttributeValue<platform::Range>(field, "AXSelectedTextRange"), (platform::Range{1, 5}));
}

TEST_F(SnapshotTest, WithoutFocusedElementOrApplication) {
  adopt();
  tracker()->focusedElement.reset();
  tracker()->selectedText = "kept";
  EXPECT_EQ(json::write(tracker()->nativeTextFieldSelectedText()),
            R"({"bundle_id":"com.example.editor","message":"something is wrong com","name":"Editor"})");
  EXPECT_EQ(tracker()->selectedText, "kept");
  tracker()->frontmostApp.reset();
  EXPECT_EQ(json::write(tracker()->nativeTextFieldSelectedText()), R"({"message":"something is wrong com"})");
}

}  // namespace
}  // namespace axt::testing
