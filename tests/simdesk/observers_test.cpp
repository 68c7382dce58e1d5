// Accessibility observers: what they hear, when, and in which modes.
#include "fixture.h"

namespace simdesk_test {
namespace {

namespace axerr = ap::axerr;

struct Heard {
  std::string tag;
  std::string element;
  std::string notification;
  double at;
  bool operator==(const Heard&) const = default;
};

struct Recorder {
  explicit Recorder(std::string t, std::vector<Heard>* l = nullptr) : tag(std::move(t)), log(l) {}
  std::string tag;
  std::vector<Heard>* log;
  std::optional<ap::Observer> expected;
};

void record(const ap::Observer& observer, const ap::Element& element,
            const std::string& notification, void* context) {
  auto* r = static_cast<Recorder*>(context);
  if (r->expected) {
    EXPECT_TRUE(observer == *r->expected);
  }
  r->log->push_back(Heard{r->tag, Desktop::get().elementIdOf(element), notification,
                          Desktop::get().now()});
}

class ObserversTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    addApp(app(kApp, {textElement("a", "AXTextArea", "alpha", {0, 0}),
                      textElement("b", "AXTextField", "beta", {0, 0})}));
  }

  std::vector<Heard> heard;

  // An observer of `pid` with one registration, its source installed.
  ap::Observer observe(Recorder& r, const ap::Element& on, const std::string& name,
                       ap::RunLoopMode mode = ap::RunLoopMode::kDefault, ap::Pid pid = kApp) {
    std::optional<ap::Observer> obs;
    EXPECT_EQ(ax().createObserver(pid, &record, obs), 0);
    r.log = &heard;
    r.expected = obs;
    EXPECT_EQ(ax().addNotification(*obs, on, name, &r), 0);
    ax().addRunLoopSource(*obs, mode);
    return *obs;
  }
};

TEST_F(ObserversTest, ApplicationElementHearsEveryElementAndAnElementOnlyItself) {
  Recorder onApp("app"), onA("a");
  observe(onApp, ax().createApplication(kApp), "AXSelectedTextChanged");
  observe(onA, element(kApp, "a"), "AXSelectedTextChanged");

  desk().runUntil(1.0);
  desk().select("b", ap::Range{1, 1});
  desk().select("a", ap::Range{0, 2});
  desk().moveWindow("a");  // nobody asked for that one
  EXPECT_TRUE(heard.empty()) << "delivered on the main loop, not at once";
  desk().runUntil(1.5);
  EXPECT_EQ(heard, (std::vector<Heard>{{"app", "b", "AXSelectedTextChanged", 1.0},
                                       {"app", "a", "AXSelectedTextChanged", 1.0},
                                       {"a", "a", "AXSelectedTextChanged", 1.0}}));
}

TEST_F(ObserversTest, CallbacksInTheDefaultModeWaitWhileTheLoopRunsInAnother) {
  Recorder def("default"), common("common");
  observe(def, element(kApp, "a"), "AXFocusedUIElementChanged");
  observe(common, element(kApp, "a"), "AXFocusedUIElementChanged", ap::RunLoopMode::kCommon);
  desk().focus("a");
  desk().runInModeUntil("NSEventTrackingRunLoopMode", 0.5);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].tag, "common");
  desk().runUntil(0.6);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[1], (Heard{"default", "a", "AXFocusedUIElementChanged", 0.5}));
}

TEST_F(ObserversTest, RegistrationFailures) {
  std::optional<ap::Observer> obs;
  EXPECT_EQ(ax().createObserver(999, &record, obs), axerr::kCannotComplete);
  EXPECT_FALSE(obs.has_value());

  ASSERT_EQ(ax().createObserver(kApp, &record, obs), 0);
  Recorder r("r", &heard);
  const ap::Element a = element(kApp, "a");
  EXPECT_EQ(ax().addNotification(*obs, a, "AXWindowMoved", &r), 0);
  EXPECT_EQ(ax().addNotification(*obs, a, "AXWindowMoved", &r), axerr::kNotificationAlreadyRegistered);
  EXPECT_EQ(ax().addNotification(*obs, a, "AXWindowResized", &r), 0);
  EXPECT_EQ(ax().addNotification(*obs, ax().createApplication(kApp), "AXWindowMoved", &r), 0);
  EXPECT_EQ(ax().addNotification(*obs, ax().createApplication(ap::Pid{1}), "AXWindowMoved", &r),
            axerr::kIllegalArgument);
  EXPECT_EQ(ax().addNotification(ap::Observer(), a, "AXWindowMoved", &r),
            axerr::kInvalidUIElementObserver);

  AppSpec shy = app(300);
  shy.accessible = false;
  desk().addApp(shy);
  std::optional<ap::Observer> shyObs;
  ASSERT_EQ(ax().createObserver(300, &record, shyObs), 0) << "inaccessible still gets an observer";
  EXPECT_EQ(ax().addNotification(*shyObs, ax().createApplication(300), "AXWindowMoved", &r),
            axerr::kCannotComplete);

  desk().setTrusted(false);
  EXPECT_EQ(ax().addNotification(*obs, a, "AXSelectedTextChanged", &r), axerr::kAPIDisabled);
  desk().setTrusted(true);
  desk().quit(kApp);
  EXPECT_EQ(ax().addNotification(*obs, a, "AXSelectedTextChanged", &r), axerr::kInvalidUIElement);
  EXPECT_EQ(ax().createObserver(kApp, &record, obs), axerr::kCannotComplete);
}

TEST_F(ObserversTest, OnlyObserversWithAnInstalledSourceDeliverAndTheyStayAlive) {
  Recorder quiet("quiet", &heard), kept("kept");
  std::optional<ap::Observer> noSource;
  ASSERT_EQ(ax().createObserver(kApp, &record, noSource), 0);
  ASSERT_EQ(ax().addNotification(*noSource, element(kApp, "b"), "AXWindowMoved", &quiet), 0);
  {
    ap::Observer dropped = observe(kept, element(kApp, "b"), "AXWindowMoved");
    ax().addRunLoopSource(dropped, ap::RunLoopMode::kDefault);  // twice: no second delivery
    kept.expected.reset();
  }  // the library lets go of its reference
  EXPECT_EQ(desk().liveObservers(), 1u);
  desk().moveWindow("b");
  desk().runUntil(0.1);
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].tag, "kept");
}

TEST_F(ObserversTest, SelectionWritesNotifyOnlyWhenTheyChangeIt) {
  Recorder r("r");
  observe(r, ax().createApplication(kApp), "AXSelectedTextChanged");
  const ap::Element a = element(kApp, "a");
  ASSERT_EQ(ax().setAttributeValue(a, "AXSelectedTextRange", rangeParam(0, 0)), 0);
  desk().runUntil(0.1);
  EXPECT_TRUE(heard.empty());
  ASSERT_EQ(ax().setAttributeValue(a, "AXSelectedTextRange", rangeParam(9, 9)), 0);  // clamped to 5,0
  desk().runUntil(0.2);
  ASSERT_EQ(heard.size(), 1u);
  ASSERT_EQ(ax().setAttributeValue(a, "AXSelectedTextRange", rangeParam(5, 0)), 0);
  desk().runUntil(0.3);
  EXPECT_EQ(heard.size(), 1u);
}

}  // namespace
}  // namespace simdesk_test
