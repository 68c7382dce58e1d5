// Requests to other applications' elements: the order in which failures
// win, fixed and computed answers, settable checks, writes, counts.
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

TEST_F(AccessibilityTest, ComputedAnswersOfApplicationAndElements) {
  const ap::Element appEl = ax().createApplication(kApp);
  EXPECT_EQ(readString(appEl, "AXRole"), "AXApplication");

  std::optional<ap::Value> v;
  ASSERT_EQ(read(appEl, "AXFocusedUIElement", v), 0);
  const ap::Element focused = std::get<ap::Element>(*v);
  EXPECT_EQ(desk().elementIdOf(focused), "field");
  EXPECT_TRUE(focused == element(kApp, "field")) << "value identity";
  EXPECT_EQ(focused.hash(), element(kApp, "field").hash());
  EXPECT_FALSE(focused == element(kApp, "label"));
  EXPECT_EQ(desk().elementIdOf(appEl), "");

  const ap::Element field = element(kApp, "field");
  EXPECT_EQ(readString(field, "AXRole"), "AXTextField");
  EXPECT_EQ(readString(field, "AXValue"), "hello world");
  EXPECT_EQ(readString(field, "AXSelectedText"), "world");
  ASSERT_EQ(read(field, "AXSelectedTextRange", v), 0);
  EXPECT_EQ(rangeOf(*v), (ap::Range{6, 5}));
  ASSERT_EQ(read(field, "AXNumberOfCharacters", v), 0);
  EXPECT_EQ(std::get<ap::Number>(*v), ap::Number{std::int64_t{11}});
  ASSERT_EQ(read(field, "AXPosition", v), 0);
  ap::Point p;
  EXPECT_TRUE(std::get<ap::AXValue>(*v).getValue(ap::AXValueType::kCGPoint, p));
  EXPECT_EQ(p, (ap::Point{10, 20}));
  ASSERT_EQ(read(field, "AXSize", v), 0);
  ap::Size size;
  EXPECT_TRUE(std::get<ap::AXValue>(*v).getValue(ap::AXValueType::kCGSize, size));
  EXPECT_EQ(size, (ap::Size{100, 16}));

  // A text field has no markers; a button no text.
  EXPECT_EQ(read(field, "AXSelectedTextMarkerRange", v), axerr::kAttributeUnsupported);
  EXPECT_EQ(read(element(kApp, "button"), "AXValue", v), axerr::kAttributeUnsupported);
  EXPECT_EQ(read(element(kApp, "button"), "AXTitle", v), axerr::kAttributeUnsupported);
}

TEST_F(AccessibilityTest, MissingRoleAndFocusHaveNoValue) {
  AppSpec a = app(200, {ElementSpec{}});
  a.elements[0].id = "bare";
  addApp(a);
  std::optional<ap::Value> v;
  EXPECT_EQ(read(element(200, "bare"), "AXRole", v), axerr::kNoValue);
  EXPECT_EQ(read(ax().createApplication(200), "AXFocusedUIElement", v), axerr::kNoValue);
}

TEST_F(AccessibilityTest, FixedAnswersWinAndConvertToPlatformValues) {
  desk().setAttribute("field", "AXValue", std::string("fixed text"));
  desk().setAttribute("field", "AXRole", simdesk::NoValue{});
  desk().setAttribute("field", "AXTitle", 2.5);
  desk().setAttribute("field", "AXEnabled", true);
  desk().setAttribute("field", "AXParent", simdesk::ElementId{"button"});
  desk().setAttribute("field", "AXChildren", simdesk::Opaque{"array"});
  desk().setAttribute("field", "AXBroken", simdesk::ElementId{"nowhere"});
  desk().setAttribute("field", "AXOddError", simdesk::ErrorValue{-25200});
  desk().setAttribute("field", "AXBoundsForRange", rect(1, 2, 3, 4));
  const ap::Element field = element(kApp, "field");
  std::optional<ap::Value> v;

  EXPECT_EQ(readString(field, "AXValue"), "fixed text");
  EXPECT_EQ(read(field, "AXRole", v), axerr::kNoValue);
  ASSERT_EQ(read(field, "AXTitle", v), 0);
  EXPECT_EQ(std::get<ap::Number>(*v), ap::Number{2.5});
  ASSERT_EQ(read(field, "AXEnabled", v), 0);
  EXPECT_TRUE(std::get<bool>(*v));
  ASSERT_EQ(read(field, "AXParent", v), 0);
  EXPECT_EQ(desk().elementIdOf(std::get<ap::Element>(*v)), "button");
  ASSERT_EQ(read(field, "AXChildren", v), 0);
  EXPECT_EQ(std::get<ap::OtherValue>(*v).typeName, "array");
  EXPECT_EQ(read(field, "AXBroken", v), axerr::kInvalidUIElement);
  ASSERT_EQ(read(field, "AXOddError", v), 0);
  EXPECT_EQ(std::get<ap::AXValue>(*v).type(), ap::AXValueType::kAXError);

  // A fixed parameterized answer whatever the parameter, even a nonsense one.
  ASSERT_EQ(param(field, "AXBoundsForRange", ap::Value(std::string("x")), v), 0);
  EXPECT_EQ(rectOf(*v), rect(1, 2, 3, 4));
  // The text underneath is unchanged.
  EXPECT_EQ(desk().text("field"), "hello world");
}

TEST_F(AccessibilityTest, SettableChecks) {
  const ap::Element field = element(kApp, "field");
  const ap::Element label = element(kApp, "label");
  bool settable = false;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXValue", settable), 0);
  EXPECT_TRUE(settable);
  EXPECT_EQ(ax().isAttributeSettable(label, "AXValue", settable), 0);
  EXPECT_FALSE(settable) << "static text isn't editable by default";
  settable = true;
  EXPECT_EQ(ax().isAttributeSettable(label, "AXSelectedTextRange", settable), 0);
  EXPECT_TRUE(settable);
  settable = true;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXRole", settable), 0);
  EXPECT_FALSE(settable);
  settable = true;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXNoSuchThing", settable),
            axerr::kAttributeUnsupported);
  EXPECT_TRUE(settable) << "left alone on failure";
  EXPECT_EQ(ax().isAttributeSettable(ax().createApplication(kApp), "AXEnhancedUserInterface",
                                     settable),
            0);
  EXPECT_TRUE(settable);

  desk().quit(kApp);
  settable = false;
  EXPECT_EQ(ax().isAttributeSettable(field, "AXValue", settable), axerr::kInvalidUIElement);
  EXPECT_FALSE(settable);
}

TEST_F(AccessibilityTest, WritesChangeOnlyWhatIsSettable) {
  const ap::Element field = element(kApp, "field");
  const ap::Element label = element(kApp, "label");
  EXPECT_EQ(ax().setAttributeValue(field, "AXValue", ap::Value(std::string("hi"))), 0);
  EXPECT_EQ(desk().text("field"), "hi");
  std::optional<ap::Value> v;
  ASSERT_EQ(read(field, "AXSelectedTextRange", v), 0);
  EXPECT_EQ(rangeOf(*v), (ap::Range{2, 0})) << "selection clamped to the shorter text";

  EXPECT_EQ(ax().setAttributeValue(field, "AXValue", ap::Value(true)), axerr::kIllegalArgument);
  EXPECT_EQ(ax().setAttributeValue(label, "AXValue", ap::Value(std::string("no"))),
            axerr::kAttributeUnsupported);
  EXPECT_EQ(desk().text("label"), "fixed");
  EXPECT_EQ(ax().setAttributeValue(field, "AXRole", ap::Value(std::string("AXButton"))),
            axerr::kAttributeUnsupported);
  EXPECT_EQ(ax().setAttributeValue(field, "AXSelectedTextRange", ap::Value(std::string("0"))),
            axerr::kIllegalArgument);

  const ap::Element appEl = ax().createApplication(kApp);
  ASSERT_EQ(read(appEl, "AXEnhancedUserInterface", v), 0);
  EXPECT_FALSE(std::get<bool>(*v));
  EXPECT_EQ(ax().setAttributeValue(appEl, "AXEnhancedUserInterface", ap::Value(true)), 0);
  ASSERT_EQ(read(appEl, "AXEnhancedUserInterface", v), 0);
  EXPECT_TRUE(std::get<bool>(*v));
}

TEST_F(AccessibilityTest, AttributeNamesListWhatTheElementAnswers) {
  desk().setAttribute("button", "AXTitle", std::string("OK"));
  desk().setAttribute("button", "AXBoundsForRange", rect(0, 0, 1, 1));
  desk().setError("button", "AXHelp", axerr::kFailure);
  std::optional<std::vector<ap::Value>> names;
  ASSERT_EQ(ax().copyAttributeNames(element(kApp, "button"), names), 0);
  std::vector<std::string> got;
  for (const auto& n : *names) got.push_back(std::get<std::string>(n));
  EXPECT_EQ(got, (std::vector<std::string>{"AXRole", "AXPosition", "AXSize", "AXTitle", "AXHelp"}));

  const ap::Element label = element(kApp, "label");
  ASSERT_EQ(ax().copyAttributeNames(label, names), 0);
  EXPECT_EQ(names->size(), 8u) << "three of every element, four of text, one of markers";

  desk().quit(kApp);
  names.reset();
  EXPECT_EQ(ax().copyAttributeNames(label, names), axerr::kInvalidUIElement);
  EXPECT_FALSE(names.has_value());
}

TEST_F(AccessibilityTest, EveryRequestIsCountedEvenWhenItFails) {
  const ap::Element field = element(kApp, "field");
  desk().resetRequestCounts();
  std::optional<ap::Value> v;
  bool settable = false;
  std::optional<std::vector<ap::Value>> names;
  read(field, "AXValue", v);
  read(field, "AXNope", v);
  param(field, "AXStringForRange", rangeParam(0, 1), v);
  ax().isAttributeSettable(field, "AXValue", settable);
  ax().setAttributeValue(field, "AXValue", ap::Value(std::string("x")));
  ax().copyAttributeNames(field, names);
  desk().setTrusted(false);
  read(field, "AXValue", v);
  EXPECT_FALSE(ax().isProcessTrusted(true));
  EXPECT_EQ(desk().promptRequests(), 1);
  // Not requests: making elements, observers and values.
  ax().createApplication(kApp);
  ax().createRangeValue(ap::Range{0, 1});

  const simdesk::RequestCounts c = desk().requests();
  EXPECT_EQ(c.reads, 3u);
  EXPECT_EQ(c.parameterizedReads, 1u);
  EXPECT_EQ(c.settableChecks, 1u);
  EXPECT_EQ(c.writes, 1u);
  EXPECT_EQ(c.nameLists, 1u);
  EXPECT_EQ(c.total(), 7u);
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
