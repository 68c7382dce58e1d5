// An application that stops answering: the desktop makes every request to
// it wait out the limit, as the platform does, and the library over the
// desktop (current()) stops asking it after the first one timed out, until
// it answers again.
#include "fixture.h"

#include <cmath>
#include <limits>

namespace simdesk_test {
namespace {

constexpr ap::Pid kOther = 101;

class UnresponsiveTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    addApp(app(kApp, {textElement("doc", "AXTextArea", "text")}));
    addApp(app(kOther, {textElement("other", "AXTextField", "more")}));
  }

  // A read of the application's role through `a`, and how long it held the
  // caller on the desktop's clock.
  static double timedRead(ap::Accessibility& a, ap::Pid pid, ap::AXError expected) {
    const double start = desk().now();
    std::optional<ap::Value> v;
    EXPECT_EQ(a.copyAttributeValue(a.createApplication(pid), "AXRole", v), expected);
    return desk().now() - start;
  }
  static ap::Accessibility& raw() { return simdesk::seam().accessibility(); }
};

TEST_F(UnresponsiveTest, TheDesktopMakesEveryRequestWaitTheLimit) {
  const ap::Element doc = element(kApp, "doc");
  desk().stopAnswering(kApp);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, -25204), 1.5);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, -25204), 1.5) << "the desktop itself remembers nothing";
  bool settable = false;
  const double start = desk().now();
  EXPECT_EQ(raw().isAttributeSettable(doc, "AXValue", settable), -25204);
  EXPECT_EQ(raw().setAttributeValue(doc, "AXValue", ap::Value(std::string("x"))), -25204);
  EXPECT_DOUBLE_EQ(desk().now() - start, 3.0);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kOther, 0), 0.0) << "other applications answer at once";
  desk().answerAgain(kApp);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, 0), 0.0);
}

TEST_F(UnresponsiveTest, TheLimitIsTheMessagingTimeoutAndZeroPutsBackTheDefault) {
  desk().stopAnswering(kApp);
  desk().setRequestLimit(0.25);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, -25204), 0.25);
  for (double odd : {0.0, -1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
    desk().setRequestLimit(odd);
    EXPECT_DOUBLE_EQ(desk().requestLimit(), 1.5) << odd;
  }
}

TEST_F(UnresponsiveTest, TrustAndQuittingWinOverTheWait) {
  desk().stopAnswering(kApp);
  desk().setTrusted(false);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, -25211), 0.0);
  desk().setTrusted(true);
  desk().quit(kApp);
  EXPECT_DOUBLE_EQ(timedRead(raw(), kApp, -25202), 0.0);
}

TEST_F(UnresponsiveTest, TheLibraryWaitsOnceThenFailsAtOnceUntilTheProbeHearsAnAnswer) {
  desk().stopAnswering(kApp);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 1.5);
  const double marked = desk().now();
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 0.0);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kOther, 0), 0.0);
  // Still hung: each probe, every half second, waits only its own short limit.
  desk().runUntil(marked + 2.0);
  EXPECT_LT(desk().now() - (marked + 2.0), 0.06);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 0.0);
  desk().answerAgain(kApp);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 0.0) << "until the next probe";
  desk().runUntil(desk().now() + 0.5);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, 0), 0.0);
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u) << "nothing marked, nothing asked";
}

TEST_F(UnresponsiveTest, ARefusalAtOnceMarksNothing) {
  AppSpec closed = app(102);
  closed.accessible = false;
  addApp(closed);
  EXPECT_DOUBLE_EQ(timedRead(ax(), 102, -25204), 0.0);
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
  desk().stopAnswering(kApp);
  desk().setRequestLimit(0.1);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 0.1) << "a short limit waited out is a timeout too";
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 0.0);
}

TEST_F(UnresponsiveTest, AnApplicationThatQuitsLosesItsMarkAndAResetForgetsThem) {
  desk().stopAnswering(kApp);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 1.5);
  desk().quit(kApp);
  desk().runUntil(desk().now() + 0.5);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25202), 0.0) << "the probe heard it is gone";

  desk().reset();
  addApp(app(kApp));
  desk().stopAnswering(kApp);
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, -25204), 1.5);
  desk().reset();
  addApp(app(kApp));
  EXPECT_DOUBLE_EQ(timedRead(ax(), kApp, 0), 0.0) << "a fresh desktop has no marks";
}

}  // namespace
}  // namespace simdesk_test
