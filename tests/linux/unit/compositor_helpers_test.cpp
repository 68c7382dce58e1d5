// The compositor's own helper processes are told from applications by
// their program, whole or cut to the kernel's short name.
#include <gtest/gtest.h>

#include "logic/compositor_helpers.h"

namespace axt::lindesk {
namespace {

TEST(CompositorHelpers, MutterFramesClientIsNoApplication) {
  EXPECT_TRUE(isCompositorHelper("mutter-x11-frames"));
  // /proc/PID/comm keeps 15 bytes.
  EXPECT_TRUE(isCompositorHelper("mutter-x11-fram"));
  EXPECT_FALSE(isCompositorHelper("mutter-x11-fr"));
  EXPECT_FALSE(isCompositorHelper("mutter"));
  EXPECT_FALSE(isCompositorHelper("mousepad"));
  EXPECT_FALSE(isCompositorHelper(""));
}

}  // namespace
}  // namespace axt::lindesk
