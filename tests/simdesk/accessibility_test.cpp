// Requests to other applications' elements: the order in which failures
// win, element identity, fixed answers, settable checks and writes.
#include "fixture.h"

namespace simdesk_test {
namespace {

namespace axerr = ap::axerr;

class AccessibilityTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    AppSpec a = app(kApp, {textElement("field", "AXTextField", "hello world", {6, 5}, rect(10, 20, 100, 16)),
                          textElement("label", "AXStaticText", "fixed"), ElementSpec{}});
    a.elements[2].id = "button";
    a.elements[2].role = "AXButton";
    a.elements[2].frame = rect(1, 2, 3, 4);
    a.focused = "field";
    addApp(a);
  }
};

TEST_F(AccessibilityTest, FailuresWinInTheirOrder) {
  const ap::Element field = element(kApp, "field");
  std::optional<ap::Value> v;
  desk().setError("field", "AXValue", axerr::kNotImplemented);
  EXPECT_EQ(read(field, "AXValue", v), axerr::kNotImplemented);

  AppSpec shy = app(300);
  shy.accessible = false;
  desk().addApp(shy);
  EXPECT_EQ(read(ax().createApplication(300), "AXRole", v), axerr::kCannotComplete);
  EXPECT_EQ(read(ax().createApplication(999), "AXRole", v), axerr::kCannotComplete);

  desk().quit(kApp);
  EXPECT_EQ(read(field, "AXValue", v), axerr::kInvalidUIElement);
  EXPECT_EQ(read(ax().createApplication(kApp), "AXRole", v), axerr::kInvalidUIElement);

  desk().setTrusted(false);
  EXPECT_EQ(read(field, "AXValue", v), axerr::kAPIDisabled);
  EXPECT_EQ(read(ax().createApplication(999), "AXRole", v), axerr::kAPIDisabled);
  bool settable = true;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXValue", settable), axerr::kAPIDisabled);
  EXPECT_TRUE(settable) << "left alone on failure";
  EXPECT_FALSE(v.has_value());
}

TEST_F(AccessibilityTest, ElementsCompareByWhatTheyName) {
  std::optional<ap::Value> v;
  ASSERT_EQ(read(ax().createApplication(kApp), "AXFocusedUIElement", v), 0);
  const ap::Element focused = std::get<ap::Element>(*v);
  EXPECT_TRUE(focused == element(kApp, "field")) << "two reads of one element are equal";
  EXPECT_EQ(focused.hash(), element(kApp, "field").hash());
  EXPECT_FALSE(focused == element(kApp, "label"));
  EXPECT_EQ(desk().elementIdOf(ax().createApplication(kApp)), "");
}

TEST_F(AccessibilityTest, MissingRoleAndFocusHaveNoValue) {
  AppSpec a = app(200, {ElementSpec{}});
  a.elements[0].id = "bare";
  addApp(a);
  std::optional<ap::Value> v;
  EXPECT_EQ(read(element(200, "bare"), "AXRole", v), axerr::kNoValue);
  EXPECT_EQ(read(ax().createApplication(200), "AXFocusedUIElement", v), axerr::kNoValue);
  // A text field has no markers; a button no text.
  EXPECT_EQ(read(element(kApp, "field"), "AXSelectedTextMarkerRange", v), axerr::kAttributeUnsupported);
  EXPECT_EQ(read(element(kApp, "button"), "AXValue", v), axerr::kAttributeUnsupported);
}

TEST_F(AccessibilityTest, SettableChecksAndWrites) {
  const ap::Element field = element(kApp, "field");
  bool settable = false;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXValue", settable), 0);
  EXPECT_TRUE(settable);
  EXPECT_EQ(ax().isAttributeSettable(element(kApp, "label"), "AXValue", settable), 0);
  EXPECT_FALSE(settable) << "static text isn't editable by default";
  settable = true;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXNoSuchThing", settable), axerr::kAttributeUnsupported);
  EXPECT_TRUE(settable) << "left alone on failure";

  EXPECT_EQ(ax().setAttributeValue(field, "AXValue", ap::Value(std::string("hi"))), 0);
  std::optional<ap::Value> v;
  ASSERT_EQ(read(field, "AXSelectedTextRange", v), 0);
  EXPECT_EQ(rangeOf(*v), (ap::Range{2, 0})) << "selection clamped to the shorter text";
  EXPECT_EQ(ax().setAttributeValue(field, "AXSelectedTextRange", ap::Value(std::string("0"))),
            axerr::kIllegalArgument);
  EXPECT_EQ(ax().setAttributeValue(field, "AXRole", ap::Value(std::string("AXButton"))),
            axerr::kAttributeUnsupported);
  const ap::Element appEl = ax().createApplication(kApp);
  EXPECT_EQ(ax().setAttributeValue(appEl, "AXEnhancedUserInterface", ap::Value(true)), 0);
  ASSERT_EQ(read(appEl, "AXEnhancedUserInterface", v), 0);
  EXPECT_TRUE(std::get<bool>(*v));
}

TEST_F(AccessibilityTest, HandlesFromAnEarlierDesktopNameNothing) {
  const ap::Element field = element(kApp, "field");
  desk().reset();
  addApp(app(kApp, {textElement("field", "AXTextField", "new")}));
  std::optional<ap::Value> v;
  EXPECT_EQ(read(field, "AXValue", v), axerr::kInvalidUIElement);
  EXPECT_EQ(desk().elementIdOf(field), "");
  EXPECT_FALSE(field == element(kApp, "field"));
}

}  // namespace
}  // namespace simdesk_test
