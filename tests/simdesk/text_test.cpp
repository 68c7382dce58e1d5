// What text elements answer: UTF-16 ranges over UTF-8 text, the cell
// geometry of ranges, and text markers.
#include <limits>

#include "fixture.h"

namespace simdesk_test {
namespace {

namespace axerr = ap::axerr;

// "é" is one UTF-16 unit (two bytes), "😀" two units (four bytes).
const std::string kAccented = "caf\xC3\xA9 \xF0\x9F\x98\x80!";  // café 😀!  = 8 units

class TextTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    addApp(app(kApp, {textElement("intl", "AXTextArea", kAccented, {3, 1}),
                      textElement("lines", "AXStaticText", "ab\ncdef\n", {1, 3}, rect(100, 200, 50, 50)),
                      textElement("empty", "AXTextField", "", {0, 0}, rect(5, 5, 0, 0))}));
  }

  std::optional<ap::Value> out;
  ap::AXError stringFor(const std::string& id, std::int64_t loc, std::int64_t len) {
    return param(element(kApp, id), "AXStringForRange", rangeParam(loc, len), out);
  }
  ap::Rect boundsFor(const std::string& id, std::int64_t loc, std::int64_t len) {
    EXPECT_EQ(param(element(kApp, id), "AXBoundsForRange", rangeParam(loc, len), out), 0);
    return out ? rectOf(*out) : ap::Rect{};
  }
};

TEST_F(TextTest, RangesCountUtf16Units) {
  std::optional<ap::Value> v;
  ASSERT_EQ(read(element(kApp, "intl"), "AXNumberOfCharacters", v), 0);
  EXPECT_EQ(std::get<ap::Number>(*v), ap::Number{std::int64_t{8}});
  EXPECT_EQ(readString(element(kApp, "intl"), "AXSelectedText"), "\xC3\xA9");

  ASSERT_EQ(stringFor("intl", 5, 2), 0);
  EXPECT_EQ(std::get<std::string>(*out), "\xF0\x9F\x98\x80");
  ASSERT_EQ(stringFor("intl", 7, 1), 0);
  EXPECT_EQ(std::get<std::string>(*out), "!");
  ASSERT_EQ(stringFor("intl", 8, 0), 0);
  EXPECT_EQ(std::get<std::string>(*out), "");
}

TEST_F(TextTest, RangesSplittingASurrogatePairTakeTheWholeCharacter) {
  ASSERT_EQ(stringFor("intl", 6, 1), 0);  // second half of the emoji
  EXPECT_EQ(std::get<std::string>(*out), "\xF0\x9F\x98\x80");
  ASSERT_EQ(stringFor("intl", 4, 2), 0);  // blank and first half
  EXPECT_EQ(std::get<std::string>(*out), " \xF0\x9F\x98\x80");

  // A selection written inside the pair snaps to whole characters too.
  const ap::Element intl = element(kApp, "intl");
  ASSERT_EQ(ax().setAttributeValue(intl, "AXSelectedTextRange", rangeParam(6, 0)), 0);
  std::optional<ap::Value> v;
  ASSERT_EQ(read(intl, "AXSelectedTextRange", v), 0);
  EXPECT_EQ(rangeOf(*v), (ap::Range{5, 0}));
}

TEST_F(TextTest, BadRangeParametersAreIllegal) {
  EXPECT_EQ(stringFor("intl", -1, 2), axerr::kIllegalArgument);
  EXPECT_EQ(stringFor("intl", 7, 2), axerr::kIllegalArgument);
  EXPECT_EQ(stringFor("intl", std::numeric_limits<std::int64_t>::max(), 1), axerr::kIllegalArgument);
  const ap::Element e = element(kApp, "intl");
  EXPECT_EQ(param(e, "AXBoundsForRange", ap::Value(std::string("0,1")), out), axerr::kIllegalArgument);
  EXPECT_EQ(param(e, "AXValue", rangeParam(0, 1), out), axerr::kAttributeUnsupported);
}

TEST_F(TextTest, BoundsCoverTheCellsOfMultiLineRanges) {
  // "ab\ncdef\n": a(0,0) b(1,0) \n(2,0) c(0,1) d(1,1) e(2,1) f(3,1) \n(4,1)
  EXPECT_EQ(boundsFor("lines", 0, 2), rect(100, 200, 16, 16));
  EXPECT_EQ(boundsFor("lines", 1, 3), rect(100, 200, 24, 32)) << "b, newline, c";
  EXPECT_EQ(boundsFor("lines", 4, 3), rect(108, 216, 24, 16));
  EXPECT_EQ(boundsFor("lines", 0, 8), rect(100, 200, 40, 32));
}

TEST_F(TextTest, EmptyRangesGiveACaretAtTheCell) {
  EXPECT_EQ(boundsFor("lines", 2, 0), rect(116, 200, 0, 16));
  EXPECT_EQ(boundsFor("lines", 3, 0), rect(100, 216, 0, 16)) << "start of the second line";
  EXPECT_EQ(boundsFor("lines", 8, 0), rect(100, 232, 0, 16)) << "after the final newline";
  EXPECT_EQ(boundsFor("empty", 0, 0), rect(5, 5, 0, 16));
  // An emoji takes two cells; the character after it is two columns on.
  EXPECT_EQ(boundsFor("intl", 5, 2), rect(40, 0, 16, 16));
  EXPECT_EQ(boundsFor("intl", 7, 0), rect(56, 0, 0, 16));
}

TEST_F(TextTest, MarkersMeasureTheRangeBetweenThemInEitherOrder) {
  const ap::Element lines = element(kApp, "lines");
  std::optional<ap::Value> v;
  ASSERT_EQ(read(lines, "AXSelectedTextMarkerRange", v), 0);
  const auto selected = std::get<ap::TextMarkerRange>(*v);
  const auto start = ax().copyStartMarker(selected);
  const auto end = ax().copyEndMarker(selected);
  ASSERT_TRUE(start && end);
  EXPECT_FALSE(*start == *end);

  const auto forward = ax().createTextMarkerRange(*start, *end);
  const auto backward = ax().createTextMarkerRange(*end, *start);
  ASSERT_TRUE(forward && backward);
  EXPECT_TRUE(*forward == selected);
  EXPECT_FALSE(*backward == selected);
  EXPECT_TRUE(*ax().copyStartMarker(*backward) == *end) << "order kept as given";

  for (const auto& r : {*forward, *backward}) {
    ASSERT_EQ(param(lines, "AXStringForTextMarkerRange", ap::Value(r), out), 0);
    EXPECT_EQ(std::get<std::string>(*out), "b\nc");
    ASSERT_EQ(param(lines, "AXBoundsForTextMarkerRange", ap::Value(r), out), 0);
    EXPECT_EQ(rectOf(*out), rect(100, 200, 24, 32));
  }

  // An empty selection: both markers at the caret.
  desk().select("lines", ap::Range{3, 0});
  ASSERT_EQ(read(lines, "AXSelectedTextMarkerRange", v), 0);
  ASSERT_EQ(param(lines, "AXBoundsForTextMarkerRange", *v, out), 0);
  EXPECT_EQ(rectOf(*out), rect(100, 216, 0, 16));
}

TEST_F(TextTest, MarkerParametersMustBelongToTheElement) {
  addApp(app(200, {textElement("other", "AXStaticText", "xyz", {0, 2})}));
  std::optional<ap::Value> theirs;
  ASSERT_EQ(read(element(200, "other"), "AXSelectedTextMarkerRange", theirs), 0);
  const ap::Element lines = element(kApp, "lines");
  EXPECT_EQ(param(lines, "AXBoundsForTextMarkerRange", *theirs, out), axerr::kIllegalArgument);
  EXPECT_EQ(param(lines, "AXBoundsForTextMarkerRange", rangeParam(0, 1), out),
            axerr::kIllegalArgument);
  // Elements without markers don't answer marker attributes at all.
  std::optional<ap::Value> mine;
  ASSERT_EQ(read(lines, "AXSelectedTextMarkerRange", mine), 0);
  EXPECT_EQ(param(element(kApp, "intl"), "AXBoundsForTextMarkerRange", *mine, out),
            axerr::kAttributeUnsupported);
  // Nothing to make a range of.
  EXPECT_FALSE(ax().createTextMarkerRange(ap::TextMarker(), ap::TextMarker()).has_value());
  EXPECT_FALSE(ax().copyStartMarker(ap::TextMarkerRange()).has_value());
}

}  // namespace
}  // namespace simdesk_test
