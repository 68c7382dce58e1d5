// Which notifications an observer can have here, and which events tell them.
#include "translation/notifications.h"

#include <gtest/gtest.h>

namespace axt::lindesk {
namespace {

TEST(Notifications, EveryToldKindIsOneAnObserverCanRegisterFor) {
  for (HeardKind kind : {HeardKind::kFocusGained, HeardKind::kSelection, HeardKind::kWindowMoved,
                         HeardKind::kWindowResized}) {
    EXPECT_TRUE(isSupportedNotification(notificationOf(kind))) << static_cast<int>(kind);
  }
  EXPECT_EQ(notificationOf(HeardKind::kFocusGained), "AXFocusedUIElementChanged");
  EXPECT_EQ(notificationOf(HeardKind::kSelection), "AXSelectedTextChanged");
}

TEST(Notifications, ActivationsAndArrivalsAreToldAsNone) {
  EXPECT_TRUE(notificationOf(HeardKind::kWindowActivated).empty());
  EXPECT_TRUE(notificationOf(HeardKind::kApplicationAdded).empty());
  EXPECT_FALSE(isSupportedNotification(""));
}

TEST(Notifications, OthersAreUnsupportedAndOnlyWindowsAreGeometry) {
  EXPECT_FALSE(isSupportedNotification("AXValueChanged"));
  // Names compare exactly, as the platform compares them.
  EXPECT_FALSE(isSupportedNotification("axwindowmoved"));
  EXPECT_FALSE(isSupportedNotification("AXWindowMoved "));
  EXPECT_TRUE(isWindowGeometryNotification("AXWindowMoved"));
  EXPECT_TRUE(isWindowGeometryNotification("AXWindowResized"));
  EXPECT_FALSE(isWindowGeometryNotification("AXSelectedTextChanged"));
}

}  // namespace
}  // namespace axt::lindesk
