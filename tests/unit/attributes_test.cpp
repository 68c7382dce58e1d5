// The attribute layer over every error code and value kind.
#include "ax/attributes.h"
#include "harness.h"

namespace axt::testing {
namespace {

using ax::getAttributeValue;
using platform::Element;
using platform::Point;
using platform::Range;
using platform::Rect;

class AttributesTest : public LibraryTest {
 protected:
  void SetUp() override {
    LibraryTest::SetUp();
    simdesk::AppSpec app = editorApp();
    app.attributes["AXCount"] = std::int64_t{7};
    app.attributes["AXRatio"] = 0.5;
    app.attributes["AXWhole"] = 2.0;
    app.attributes["AXFlag"] = true;
    app.attributes["AXWhere"] = Point{3, -4};
    app.attributes["AXBox"] = Rect{{1, 2}, {3, 4}};
    app.attributes["AXSpan"] = Range{5, 6};
    app.attributes["AXExtent"] = simdesk::Size{8, 9};
    app.attributes["AXDates"] = simdesk::Opaque{"date"};
    app.attributes["AXFailure"] = simdesk::ErrorValue{-25200};
    app.attributes["AXNothing"] = simdesk::NoValue{};
    app.attributes["AXMain"] = simdesk::ElementId{"area"};
    app.attributes["AXExact"] = std::int64_t{9007199254740994};  // 2^53 + 2, a double exactly
    app.attributes["AXInexact"] = std::int64_t{9007199254740993};
    desk().addApp(app);
    appElement = ax::getAppRef(10);
  }
  Element appElement;
};

TEST_F(AttributesTest, EachKindYieldsItselfAndNothingElse) {
  EXPECT_EQ(getAttributeValue<std::int64_t>(appElement, "AXCount"), 7);
  EXPECT_EQ(getAttributeValue<double>(appElement, "AXCount"), 7.0);
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXCount"), std::nullopt);
  EXPECT_EQ(getAttributeValue<double>(appElement, "AXRatio"), 0.5);
  EXPECT_EQ(getAttributeValue<std::int64_t>(appElement, "AXRatio"), std::nullopt)
      << "0.5 doesn't convert to an integer without loss";
  EXPECT_EQ(getAttributeValue<std::int64_t>(appElement, "AXWhole"), 2);
  EXPECT_EQ(getAttributeValue<double>(appElement, "AXExact"), 9007199254740994.0);
  EXPECT_EQ(getAttributeValue<double>(appElement, "AXInexact"), std::nullopt) << "no double holds it";
  EXPECT_EQ(getAttributeValue<bool>(appElement, "AXFlag"), true);
  EXPECT_EQ(getAttributeValue<Point>(appElement, "AXWhere"), (Point{3, -4}));
  EXPECT_EQ(getAttributeValue<Rect>(appElement, "AXWhere"), std::nullopt);
  EXPECT_EQ(getAttributeValue<Rect>(appElement, "AXBox"), (Rect{{1, 2}, {3, 4}}));
  EXPECT_EQ(getAttributeValue<Point>(appElement, "AXBox"), std::nullopt);
  EXPECT_EQ(getAttributeValue<Range>(appElement, "AXSpan"), (Range{5, 6}));
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXRole"), "AXApplication");
  EXPECT_TRUE(lines.empty());
}

TEST_F(AttributesTest, KindsOutsideTheTableAreAbsentNotFatal) {
  EXPECT_EQ(getAttributeValue<Rect>(appElement, "AXExtent"), std::nullopt);
  EXPECT_EQ(getAttributeValue<Point>(appElement, "AXExtent"), std::nullopt);
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXDates"), std::nullopt);
  EXPECT_EQ(getAttributeValue<std::int64_t>(appElement, "AXFailure"), std::nullopt);
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXFailure"), std::nullopt);
  EXPECT_TRUE(lines.empty());
}

TEST_F(AttributesTest, ElementReadsGiveTheSameElementAsTheDesktop) {
  auto focused = getAttributeValue<Element>(appElement, "AXFocusedUIElement");
  ASSERT_TRUE(focused);
  auto main = getAttributeValue<Element>(appElement, "AXMain");
  ASSERT_TRUE(main);
  EXPECT_TRUE(*focused == *main) << "two reads of one element compare equal";
  EXPECT_EQ(desk().elementIdOf(*focused), "area");
  EXPECT_EQ(getAttributeValue<std::string>(*focused, "AXSelectedText"), "");
}

TEST_F(AttributesTest, ErrorCodesMapToAbsentWithTheirLines) {
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXNothing"), std::nullopt);
  EXPECT_TRUE(lines.empty()) << "no value is the quiet case";
  EXPECT_EQ(getAttributeValue<std::string>(appElement, "AXUnknown"), std::nullopt);
  desk().setError("area", "AXSelectedText", -25208);
  auto area = getAttributeValue<Element>(appElement, "AXFocusedUIElement");
  ASSERT_TRUE(area);
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXSelectedText"), std::nullopt);
  desk().setError("area", "AXRole", -25204);
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXRole"), std::nullopt);
  EXPECT_EQ(lines, (std::vector<std::string>{"-25205 Error retrieving attribute",
                                             "-25208 Attribute not implemented",
                                             "-25204 Error retrieving attribute"}));
}

TEST_F(AttributesTest, ParameterizedReadsPrintTheSameLines) {
  auto area = getAttributeValue<Element>(appElement, "AXFocusedUIElement");
  ASSERT_TRUE(area);
  auto param = platform::Value(platform::AXValue(Range{0, 5}));
  EXPECT_EQ(ax::getParameterizedAttributeValue<std::string>(*area, "AXStringForRange", param), "hello");
  EXPECT_EQ(ax::getParameterizedAttributeValue<std::string>(*area, "AXNoSuchThing", param), std::nullopt);
  desk().setError("area", "AXBoundsForRange", -25208);
  EXPECT_EQ(ax::getParameterizedAttributeValue<Rect>(*area, "AXBoundsForRange", param), std::nullopt);
  EXPECT_EQ(lines, (std::vector<std::string>{"-25205 Error retrieving attribute",
                                             "-25208 Attribute not implemented"}));
}

TEST_F(AttributesTest, UntrustedAndQuitAndMissingProcessesFail) {
  auto area = getAttributeValue<Element>(appElement, "AXFocusedUIElement");
  ASSERT_TRUE(area);
  desk().setTrusted(false);
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXRole"), std::nullopt);
  desk().setTrusted(true);
  desk().quit(10);
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXRole"), std::nullopt);
  EXPECT_FALSE(ax::isAttributeSettable(*area, "AXValue"));
  Element nobody = ax::getAppRef(4242);
  EXPECT_EQ(getAttributeValue<std::string>(nobody, "AXRole"), std::nullopt);
  EXPECT_EQ(lines, (std::vector<std::string>{"-25211 Error retrieving attribute",
                                             "-25202 Error retrieving attribute",
                                             "-25204 Error retrieving attribute"}));
}

TEST_F(AttributesTest, WritesHappenOnlyWhenSettableAndSilently) {
  auto area = getAttributeValue<Element>(appElement, "AXFocusedUIElement");
  ASSERT_TRUE(area);
  EXPECT_TRUE(ax::isAttributeSettable(*area, "AXSelectedTextRange"));
  ax::setAttributeValue(*area, "AXSelectedTextRange", platform::Value(platform::AXValue(Range{6, 5})));
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXSelectedText"), "world");
  EXPECT_FALSE(ax::isAttributeSettable(*area, "AXRole"));
  ax::setAttributeValue(*area, "AXRole", platform::Value(std::string("AXButton")));
  EXPECT_EQ(getAttributeValue<std::string>(*area, "AXRole"), "AXTextArea");
  EXPECT_TRUE(lines.empty());
}

TEST_F(AttributesTest, AttributeListIsTextOrAbsent) {
  auto names = ax::getAttributes(appElement);
  ASSERT_TRUE(names);
  EXPECT_NE(std::find(names->begin(), names->end(), "AXRole"), names->end());
  desk().quit(10);
  EXPECT_EQ(ax::getAttributes(appElement), std::nullopt);
  EXPECT_EQ(lines, std::vector<std::string>{"-25202 Error retrieving attribute list"});
}

TEST_F(AttributesTest, FrontmostIsTheHostAtFirst) {
  auto front = ax::getFrontmost();
  ASSERT_NE(front, nullptr);
  EXPECT_EQ(front->processIdentifier(), 1);
  EXPECT_EQ(front->localizedName(), "Quillarbor");
}

}  // namespace
}  // namespace axt::testing
