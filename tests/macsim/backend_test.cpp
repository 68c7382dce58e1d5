// The macOS backend's C part over the simulated frameworks: what the
// scenario suite can't see. Every object the backend is handed it must
// release exactly once (a release too many stops the frameworks, one too
// few is counted here), and values must come through the system's types
// unchanged.
#include <ApplicationServices/ApplicationServices.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "accessibility.h"
#include "cf_object.h"
#include "hot_keys.h"
#include "keyboard.h"
#include "platform/backend_handles.h"
#include "observers.h"
#include "run_loop.h"
#include "simdesk/desktop.h"

namespace {

namespace ap = axt::platform;
using simdesk::AppSpec;
using simdesk::ElementSpec;

constexpr ap::Pid kApp = 100;

class MacBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    desk().reset();
    AppSpec a;
    a.pid = kApp;
    a.name = "Editor";
    a.bundleId = "com.example.editor";
    ElementSpec field;
    field.id = "field";
    field.role = "AXTextArea";
    field.text = "hi \xF0\x9F\x98\x80 there";  // an emoji: two UTF-16 units
    field.selection = {3, 2};
    field.frame = {{10, 20}, {200, 16}};
    field.attributes["Test.Int"] = std::int64_t{-7};
    field.attributes["Test.Big"] = std::numeric_limits<std::int64_t>::max();
    field.attributes["Test.Double"] = 2.5;
    field.attributes["Test.Bool"] = true;
    field.attributes["Test.Size"] = ap::Size{3, 4};
    field.attributes["Test.Error"] = simdesk::ErrorValue{-25212};
    field.attributes["Test.Array"] = simdesk::Opaque{"CFArray"};
    field.attributes["Test.Self"] = simdesk::ElementId{"field"};
    a.elements.push_back(field);
    a.focused = "field";
    desk().addApp(a);
    baseline_ = simdesk::macos::liveObjects();
  }
  void TearDown() override { desk().reset(); }

  static simdesk::Desktop& desk() { return simdesk::Desktop::get(); }

  ap::Element field() {
    std::optional<ap::Value> v;
    EXPECT_EQ(ax.copyAttributeValue(ax.createApplication(kApp), "AXFocusedUIElement", v), 0);
    return v ? std::get<ap::Element>(*v) : ap::Element();
  }

  std::optional<ap::Value> read(const ap::Element& e, const std::string& name, ap::AXError expected = 0) {
    std::optional<ap::Value> v;
    EXPECT_EQ(ax.copyAttributeValue(e, name, v), expected) << name;
    return v;
  }

  // Objects the backend still holds beyond those the test began with.
  std::size_t held() const { return simdesk::macos::liveObjects() - baseline_; }

  axt::macdesk::Observers observers;
  axt::macdesk::AXAccessibility ax{observers};
  std::size_t baseline_ = 0;
};

TEST_F(MacBackendTest, ValuesComeThroughTheSystemsTypesUnchanged) {
  {
    const ap::Element e = field();
    EXPECT_EQ(std::get<std::string>(*read(e, "AXValue")), "hi \xF0\x9F\x98\x80 there");
    EXPECT_EQ(std::get<ap::Number>(*read(e, "Test.Int")).value, (std::variant<std::int64_t, double>(std::int64_t{-7})));
    EXPECT_EQ(std::get<ap::Number>(*read(e, "Test.Big")).value,
              (std::variant<std::int64_t, double>(std::numeric_limits<std::int64_t>::max())));
    EXPECT_EQ(std::get<ap::Number>(*read(e, "Test.Double")).value, (std::variant<std::int64_t, double>(2.5)));
    EXPECT_EQ(std::get<bool>(*read(e, "Test.Bool")), true);
    ap::Range range;
    ASSERT_TRUE(std::get<ap::AXValue>(*read(e, "AXSelectedTextRange")).getValue(ap::AXValueType::kCFRange, range));
    EXPECT_EQ(range, (ap::Range{3, 2})) << "UTF-16 units, the emoji counted as two";
    ap::Size size;
    ASSERT_TRUE(std::get<ap::AXValue>(*read(e, "Test.Size")).getValue(ap::AXValueType::kCGSize, size));
    EXPECT_EQ(size, (ap::Size{3, 4}));
    ap::AXError code = 0;
    ASSERT_TRUE(std::get<ap::AXValue>(*read(e, "Test.Error")).getValue(ap::AXValueType::kAXError, code));
    EXPECT_EQ(code, -25212);
    EXPECT_EQ(std::get<ap::OtherValue>(*read(e, "Test.Array")).typeName, "CFArray");
    EXPECT_TRUE(std::get<ap::Element>(*read(e, "Test.Self")) == e) << "two reads of one element are equal";
    EXPECT_EQ(std::get<ap::Element>(*read(e, "Test.Self")).hash(), e.hash());
    EXPECT_FALSE(read(e, "Test.Missing", -25205).has_value());
  }
  EXPECT_EQ(held(), 0u) << "every value read was released with the seam's last reference";
}

TEST_F(MacBackendTest, WritesAndParametersLeaveNothingBehind) {
  {
    const ap::Element e = field();
    // Ill-formed UTF-8 is repaired before it becomes a string.
    EXPECT_EQ(ax.setAttributeValue(e, "AXValue", ap::Value(std::string("a\xFF" "b \xF0\x9F\x98\x80"))), 0);
    EXPECT_EQ(*desk().text("field"), "a\xEF\xBF\xBD" "b \xF0\x9F\x98\x80");
    EXPECT_EQ(ax.setAttributeValue(e, "AXSelectedTextRange", ap::Value(ap::AXValue(ap::Range{0, 2}))), 0);
    EXPECT_EQ(ax.setAttributeValue(e, "AXValue", ap::Value(ap::OtherValue{"CFDate"})), -25201)
        << "a value the system can't be handed";
    bool settable = false;
    EXPECT_EQ(ax.isAttributeSettable(e, "AXValue", settable), 0);
    EXPECT_TRUE(settable);
    std::optional<ap::Value> bounds;
    EXPECT_EQ(ax.copyParameterizedAttributeValue(e, "AXBoundsForRange", ap::Value(*ax.createRangeValue({0, 2})),
                                                 bounds),
              0);
    ASSERT_TRUE(bounds.has_value());
    std::optional<std::vector<ap::Value>> names;
    EXPECT_EQ(ax.copyAttributeNames(e, names), 0);
    ASSERT_TRUE(names.has_value());
    EXPECT_FALSE(names->empty());
  }
  EXPECT_EQ(held(), 0u);
}

TEST_F(MacBackendTest, RequestsToVanishedElementsFailWithTheSystemsCodes) {
  const ap::Element e = field();
  desk().quit(kApp);
  std::optional<ap::Value> v;
  EXPECT_EQ(ax.copyAttributeValue(e, "AXValue", v), -25202);
  EXPECT_EQ(ax.copyAttributeValue(ap::Element(), "AXValue", v), -25201) << "no element at all";
  desk().setTrusted(false);
  EXPECT_EQ(ax.copyAttributeValue(ax.createApplication(kApp), "AXRole", v), -25211);
  EXPECT_FALSE(ax.isProcessTrusted(false));
  EXPECT_EQ(desk().promptRequests(), 0);
  EXPECT_FALSE(ax.isProcessTrusted(true));
  EXPECT_EQ(desk().promptRequests(), 1) << "the prompt option reaches the system through its dictionary";
}

TEST_F(MacBackendTest, NotificationsReachTheSeamsCallbackWithTheirContext) {
  struct Seen {
    std::vector<std::string> names;
    ap::Element element;
    void* context = nullptr;
  };
  static Seen seen;
  seen = Seen{};
  std::optional<ap::Observer> observer;
  ASSERT_EQ(ax.createObserver(
                kApp,
                [](const ap::Observer&, const ap::Element& element, const std::string& name, void* context) {
                  seen.names.push_back(name);
                  seen.element = element;
                  seen.context = context;
                },
                observer),
            0);
  int context = 0;
  const ap::Element app = ax.createApplication(kApp);
  ASSERT_EQ(ax.addNotification(*observer, app, "AXFocusedUIElementChanged", &context), 0);
  EXPECT_EQ(ax.addNotification(ap::Observer(), app, "AXFocusedUIElementChanged", &context), -25203);
  desk().focus("field");
  desk().runUntil(1);
  EXPECT_TRUE(seen.names.empty()) << "nothing before the source is on the run loop";
  ax.addRunLoopSource(*observer, ap::RunLoopMode::kDefault);
  EXPECT_EQ(desk().liveObservers(), 1u);
  const std::size_t before = held();
  for (int i = 0; i < 5; ++i) {
    desk().focus("field");
    desk().runUntil(2 + i);
  }
  ASSERT_EQ(seen.names.size(), 5u);
  EXPECT_EQ(seen.names.back(), "AXFocusedUIElementChanged");
  EXPECT_EQ(seen.context, &context);
  EXPECT_TRUE(seen.element == field());
  seen.element = ap::Element();
  EXPECT_EQ(held(), before) << "each delivery released what it was handed";
}

TEST_F(MacBackendTest, HotKeyPressesCarryTheirIdentifier) {
  static std::vector<ap::EventRecord> presses;
  presses.clear();
  axt::macdesk::CarbonHotKeys hotKeys;
  std::optional<ap::EventHotKeyRef> ref;
  ASSERT_EQ(hotKeys.registerHotKey(36, 0x800, ap::EventHotKeyID{0x41585452, 7}, 0, ref), 0);
  EXPECT_TRUE(ref.has_value());
  std::optional<ap::EventHotKeyRef> again;
  EXPECT_EQ(hotKeys.registerHotKey(36, 0x800, ap::EventHotKeyID{0x41585452, 8}, 0, again), -9878);
  const ap::EventTypeSpec types[] = {{0x6B657962, 5}};
  EXPECT_EQ(hotKeys.installApplicationEventHandler(nullptr, types, nullptr), -50);
  ASSERT_EQ(hotKeys.installApplicationEventHandler(
                [](ap::EventHandlerCall*, ap::EventRecord* event, void*) -> ap::OSStatus {
                  presses.push_back(*event);
                  return 0;
                },
                types, nullptr),
            0);
  desk().pressHotKey(36, 0x800);
  desk().runUntil(1);
  ASSERT_EQ(presses.size(), 1u);
  EXPECT_EQ(presses[0].eventClass, 0x6B657962u);
  EXPECT_EQ(presses[0].hotKeyId.signature, 0x41585452u);
  EXPECT_EQ(presses[0].hotKeyId.id, 7u);
}

TEST_F(MacBackendTest, KeyEventsArePostedWithTheirFlags) {
  {
    axt::macdesk::CGKeyboard keyboard;
    const auto source = keyboard.createEventSource(1);
    ASSERT_TRUE(source.has_value());
    const auto down = keyboard.createKeyboardEvent(source, 9, true);
    const auto up = keyboard.createKeyboardEvent(std::nullopt, 9, false);
    ASSERT_TRUE(down && up);
    keyboard.setFlags(*down, 0x100000);
    keyboard.post(0, *down);
    keyboard.post(0, *up);
  }
  const auto keys = desk().keys();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0], (simdesk::PostedKey{9, true, 0x100000}));
  EXPECT_EQ(keys[1], (simdesk::PostedKey{9, false, 0}));
  EXPECT_EQ(held(), 0u);
}

TEST_F(MacBackendTest, BlocksRunOnTheMainQueueAfterTheirDelay) {
  axt::macdesk::MacRunLoop loop;
  std::vector<double> ran;
  loop.dispatchAfter(0.25, [&] { ran.push_back(loop.currentDate()); });
  loop.dispatchAfter(-1, [&] { ran.push_back(loop.currentDate()); });
  loop.dispatchAfter(std::nan(""), [&] { ran.push_back(loop.currentDate()); });
  desk().runUntil(0.2);
  EXPECT_EQ(ran.size(), 2u) << "negative and NaN delays run at once";
  desk().runUntil(1);
  ASSERT_EQ(ran.size(), 3u);
  EXPECT_NEAR(ran[2], 0.25, 1e-9);
  // A busy wait ends on the clock, with nothing of the main loop run.
  bool ranDuringWait = false;
  loop.dispatchAfter(0, [&] { ranDuringWait = true; });
  const double deadline = loop.currentDate() + 0.05;
  while (loop.currentDate() < deadline) loop.busyWaitTurn(deadline);
  EXPECT_FALSE(ranDuringWait);
  desk().runUntil(2);
  EXPECT_TRUE(ranDuringWait) << "and it runs when the loop runs again";
}

// An application that stops answering: the first request waits out the
// system-wide limit the backend sets; later ones fail at once, whatever the
// request, until a probe on the main loop hears it answer again.
TEST_F(MacBackendTest, AStuckApplicationHoldsTheCallerOnce) {
  AppSpec other;
  other.pid = kApp + 1;
  desk().addApp(other);
  const ap::Element e = field();
  desk().stopAnswering(kApp);
  double start = desk().now();
  read(e, "AXValue", -25204);
  EXPECT_DOUBLE_EQ(desk().now() - start, 1.5) << "the backend's own limit, set on the system-wide element";
  start = desk().now();
  read(e, "AXValue", -25204);
  read(ax.createApplication(kApp), "AXRole", -25204);
  bool settable = false;
  EXPECT_EQ(ax.isAttributeSettable(e, "AXValue", settable), -25204);
  EXPECT_EQ(ax.setAttributeValue(e, "AXValue", ap::Value(std::string("x"))), -25204);
  std::optional<std::vector<ap::Value>> names;
  EXPECT_EQ(ax.copyAttributeNames(e, names), -25204);
  std::optional<ap::Observer> observer;
  ASSERT_EQ(ax.createObserver(kApp, [](const ap::Observer&, const ap::Element&, const std::string&, void*) {},
                              observer),
            0);
  const std::size_t observerObjects = held();  // kept for the life of the process
  EXPECT_EQ(ax.addNotification(*observer, e, "AXValueChanged", nullptr), -25204);
  EXPECT_DOUBLE_EQ(desk().now() - start, 0.0) << "nothing waited for again";
  read(ax.createApplication(kApp + 1), "AXRole");

  // The probe, half a second after the mark, waits only its own short
  // timeout, on an element of its own; and again every half second.
  const double probe = desk().now() + 0.5;
  desk().runUntil(probe);
  EXPECT_NEAR(desk().now() - probe, 0.05, 1e-6);
  desk().runUntil(probe + 0.56);
  EXPECT_NEAR(desk().now(), probe + 0.6, 1e-6) << "the next, half a second after the first ended";
  EXPECT_DOUBLE_EQ(desk().requestLimit(), 1.5) << "the probe's timeout stays on its element";
  desk().answerAgain(kApp);
  read(e, "AXValue", -25204);
  desk().runUntil(desk().now() + 0.5);
  read(e, "AXValue");
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u) << "nothing marked, nothing asked";
  EXPECT_EQ(held(), observerObjects);
}

TEST_F(MacBackendTest, ARefusalAtOnceIsNoTimeout) {
  AppSpec closed;
  closed.pid = kApp + 1;
  closed.accessible = false;
  desk().addApp(closed);
  read(ax.createApplication(kApp + 1), "AXRole", -25204);
  EXPECT_EQ(desk().pendingMainLoopItems(), 0u);
  // A backend made afresh sets its limit again.
  desk().setRequestLimit(4);
  axt::macdesk::AXAccessibility again{observers};
  EXPECT_DOUBLE_EQ(desk().requestLimit(), 1.5);
}

TEST_F(MacBackendTest, AnElementsMessagingTimeoutIsItsOwnAndItsPidIsItsApplications) {
  desk().stopAnswering(kApp);
  AXUIElementRef own = AXUIElementCreateApplication(kApp);
  AXUIElementRef plain = AXUIElementCreateApplication(kApp);
  AXUIElementRef systemWide = AXUIElementCreateSystemWide();
  EXPECT_EQ(AXUIElementSetMessagingTimeout(own, 0.25f), kAXErrorSuccess);
  EXPECT_EQ(AXUIElementSetMessagingTimeout(own, -1.0f), kAXErrorIllegalArgument);
  CFTypeRef value = nullptr;
  const CFStringRef role = CFStringCreateWithBytes(nullptr, reinterpret_cast<const UInt8*>("AXRole"), 6,
                                                   kCFStringEncodingUTF8, false);
  double start = desk().now();
  EXPECT_EQ(AXUIElementCopyAttributeValue(own, role, &value), kAXErrorCannotComplete);
  EXPECT_DOUBLE_EQ(desk().now() - start, 0.25);
  start = desk().now();
  EXPECT_EQ(AXUIElementCopyAttributeValue(plain, role, &value), kAXErrorCannotComplete);
  EXPECT_DOUBLE_EQ(desk().now() - start, 1.5);
  pid_t pid = 0;
  EXPECT_EQ(AXUIElementGetPid(plain, &pid), kAXErrorSuccess);
  EXPECT_EQ(pid, kApp);
  EXPECT_EQ(AXUIElementGetPid(systemWide, &pid), kAXErrorIllegalArgument);
  for (CFTypeRef made : {static_cast<CFTypeRef>(own), static_cast<CFTypeRef>(plain),
                         static_cast<CFTypeRef>(systemWide), static_cast<CFTypeRef>(role)}) {
    CFRelease(made);
  }
  EXPECT_EQ(held(), 0u);
}

}  // namespace
