// What other applications and the host hand the library that no scenario
// file can hold: numbers that aren't finite, values of kinds the library
// doesn't use, and objects that aren't windows.
#include <limits>

#include "ax/attributes.h"
#include "harness.h"
#include "window/window_tracker.h"

namespace axt::testing {
namespace {

class PlatformInputTest : public LibraryTest {};

TEST_F(PlatformInputTest, NaNHeightCountsAsAHeightAndIsSentAsNull) {
  simdesk::AppSpec app = editorApp();
  app.elements[1].attributes["AXBoundsForRange"] =
      platform::Rect{{7, 8}, {9, std::numeric_limits<double>::quiet_NaN()}};
  app.elements[1].markers = true;  // where a height that didn't count would lead
  desk().addApp(app);
  startTracking();
  desk().activate(10);
  runFor(0.5);
  desk().select("field", {1, 2});
  runFor(0.5);
  ASSERT_EQ(deliveries.size(), 2u);
  EXPECT_EQ(deliveries[1].json, R"({"bundle_id":"com.example.editor","is_editable":true,"name":"Editor",)"
                                R"("position":{"x":7,"y":8},"selected_text":"ea","size":{"height":null,"width":9}})");
}

TEST_F(PlatformInputTest, KindsOutsideTheTableAreAbsentNotFatal) {
  simdesk::AppSpec app = editorApp();
  app.attributes["AXExtent"] = simdesk::Size{8, 9};
  app.attributes["AXDates"] = simdesk::Opaque{"date"};
  app.attributes["AXFailure"] = simdesk::ErrorValue{-25200};
  desk().addApp(app);
  const platform::Element element = ax::getAppRef(10);
  EXPECT_EQ(ax::getAttributeValue<platform::Rect>(element, "AXExtent"), std::nullopt);
  EXPECT_EQ(ax::getAttributeValue<platform::Point>(element, "AXExtent"), std::nullopt);
  EXPECT_EQ(ax::getAttributeValue<std::string>(element, "AXDates"), std::nullopt);
  EXPECT_EQ(ax::getAttributeValue<std::int64_t>(element, "AXFailure"), std::nullopt);
  EXPECT_EQ(ax::getAttributeValue<std::string>(element, "AXFailure"), std::nullopt);
  EXPECT_TRUE(lines.empty());
}

TEST_F(PlatformInputTest, ThingsThatAreNotWindowsAreIgnored) {
  startTracking();
  const std::size_t before = window::liveWindowTrackers();
  int notAnything = 0;
  for (void* object : std::initializer_list<void*>{nullptr, desk().notAWindowObject(), &notAnything}) {
    window::addMouseTracker(object);
  }
  EXPECT_EQ(window::liveWindowTrackers(), before);
  desk().movePointer({150, 150});
  runFor(0.5);
  EXPECT_TRUE(deliveries.empty());
  EXPECT_EQ(lines, std::vector<std::string>{"Accessibility is enabled"});
}

}  // namespace
}  // namespace axt::testing
