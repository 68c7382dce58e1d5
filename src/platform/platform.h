// The one seam between the library and the desktop it runs on. It declares
// exactly what the library asks of the platform; a backend, chosen when the
// library is built, implements it. No core file includes a backend header.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/values.h"

namespace axt::platform {

// ---------------------------------------------------------------------------
// Run loop of the host's main thread.

enum class RunLoopMode {
  kDefault,  // kCFRunLoopDefaultMode
  kCommon,   // kCFRunLoopCommonModes
};

class MainRunLoop {
 public:
  virtual ~MainRunLoop() = default;

  // Schedules a block on the main dispatch queue for now plus `seconds` on the
  // monotonic clock. Main-queue blocks run in every run-loop mode.
  virtual void dispatchAfter(double seconds, std::function<void()> block) = 0;

  // Adds a one-shot timer firing `interval` seconds from now to the main run
  // loop in the given mode (scheduledTimerWithTimeInterval:repeats:block:).
  virtual void scheduleTimer(double interval, RunLoopMode mode, std::function<void()> action) = 0;

  // The current date, in seconds (NSDate).
  virtual double currentDate() = 0;

  // One turn of a busy wait that ends at the date `until`: the caller spins on
  // currentDate() and calls this between reads. Nothing on the main run loop
  // may run from here. A real clock returns at once; a simulated one may
  // advance its time toward `until`.
  virtual void busyWaitTurn(double until) = 0;
};

// ---------------------------------------------------------------------------
// Accessibility.

// Observer callback: (observer, element concerned, notification name, context).
using ObserverCallback = void (*)(const Observer& observer, const Element& element,
                                  const std::string& notification, void* context);

class Accessibility {
 public:
  virtual ~Accessibility() = default;

  // AXIsProcessTrustedWithOptions with kAXTrustedCheckOptionPrompt = prompt.
  virtual bool isProcessTrusted(bool prompt) = 0;

  // AXUIElementCreateApplication: a new element, also for a process that
  // doesn't exist.
  virtual Element createApplication(Pid pid) = 0;

  virtual AXError copyAttributeValue(const Element& element, const std::string& attribute,
                                     std::optional<Value>& out) = 0;
  virtual AXError copyParameterizedAttributeValue(const Element& element,
                                                  const std::string& attribute,
                                                  const Value& parameter,
                                                  std::optional<Value>& out) = 0;
  // `settable` is preset by the caller; the backend sets it only on success.
  virtual AXError isAttributeSettable(const Element& element, const std::string& attribute,
                                      bool& settable) = 0;
  virtual AXError setAttributeValue(const Element& element, const std::string& attribute,
                                    const Value& value) = 0;
  virtual AXError copyAttributeNames(const Element& element,
                                     std::optional<std::vector<Value>>& names) = 0;

  // AXValueCreate for a range; absent when the platform can't make one.
  virtual std::optional<AXValue> createRangeValue(const Range& range) = 0;

  virtual std::optional<TextMarker> copyStartMarker(const TextMarkerRange& range) = 0;
  virtual std::optional<TextMarker> copyEndMarker(const TextMarkerRange& range) = 0;
  // AXTextMarkerRangeCreate(kCFAllocatorDefault, first, second).
  virtual std::optional<TextMarkerRange> createTextMarkerRange(const TextMarker& first,
                                                               const TextMarker& second) = 0;

  virtual AXError createObserver(Pid pid, ObserverCallback callback,
                                 std::optional<Observer>& out) = 0;
  virtual AXError addNotification(const Observer& observer, const Element& element,
                                  const std::string& notification, void* context) = 0;
  // AXObserverGetRunLoopSource + CFRunLoopAddSource on the calling thread's
  // run loop.
  virtual void addRunLoopSource(const Observer& observer, RunLoopMode mode) = 0;
};

// ---------------------------------------------------------------------------
// Workspace and running applications.

class RunningApplication {
 public:
  virtual ~RunningApplication() = default;
  virtual Pid processIdentifier() const = 0;
  virtual std::optional<std::string> bundleIdentifier() const = 0;
  virtual std::optional<std::string> localizedName() const = 0;
  virtual bool isFinishedLaunching() const = 0;
  // activateWithOptions:; true when the request was accepted.
  virtual bool activate(std::uint32_t options) = 0;
};

using RunningApplicationRef = std::shared_ptr<RunningApplication>;

inline constexpr std::string_view kDidActivateApplicationNotification =
    "NSWorkspaceDidActivateApplicationNotification";
inline constexpr std::string_view kDidLaunchApplicationNotification =
    "NSWorkspaceDidLaunchApplicationNotification";
inline constexpr std::string_view kApplicationKey = "NSWorkspaceApplicationKey";

// A value in a notification's user information: an application, or
// something else.
using UserInfoValue = std::variant<RunningApplicationRef, OtherValue>;

struct WorkspaceNotification {
  std::string name;
  std::optional<std::map<std::string, UserInfoValue>> userInfo;
};

class Workspace {
 public:
  virtual ~Workspace() = default;
  // addObserverForName:object:nil queue:nil usingBlock: on the shared
  // workspace's notification center. The observation can't be removed.
  virtual void addObserver(std::string_view name,
                           std::function<void(const WorkspaceNotification&)> block) = 0;
  virtual RunningApplicationRef frontmostApplication() = 0;
  // The process the library runs in, the host's own
  // (NSRunningApplication.currentApplication).
  virtual Pid currentProcessIdentifier() = 0;
};

// ---------------------------------------------------------------------------
// Hot keys and application event handlers (Carbon event manager).

struct EventHotKeyID {
  std::uint32_t signature = 0;
  std::uint32_t id = 0;
};

struct EventTypeSpec {
  std::uint32_t eventClass = 0;
  std::uint32_t eventKind = 0;
};

struct EventHandlerCall;  // opaque EventHandlerCallRef
struct EventRecord;       // opaque EventRef
using EventHandler = OSStatus (*)(EventHandlerCall* call, EventRecord* event, void* userData);

inline constexpr OSStatus kNoErr = 0;
inline constexpr OSStatus kEventNotHandledErr = -9874;

class HotKeys {
 public:
  virtual ~HotKeys() = default;
  // RegisterEventHotKey on the application event target.
  virtual OSStatus registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                  EventHotKeyID id, std::uint32_t options,
                                  std::optional<EventHotKeyRef>& out) = 0;
  // InstallEventHandler on GetApplicationEventTarget(), no handler reference.
  virtual OSStatus installApplicationEventHandler(EventHandler handler,
                                                  std::span<const EventTypeSpec> types,
                                                  void* userData) = 0;
};

// ---------------------------------------------------------------------------
// Synthesised keyboard events (Core Graphics).

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  virtual std::optional<EventSource> createEventSource(std::int32_t stateId) = 0;
  virtual std::optional<KeyEvent> createKeyboardEvent(const std::optional<EventSource>& source,
                                                      std::uint16_t keyCode, bool keyDown) = 0;
  virtual void setFlags(const KeyEvent& event, std::uint64_t flags) = 0;
  virtual void post(std::uint32_t tap, const KeyEvent& event) = 0;
  // Whether key events posted now reach the application that has the
  // keyboard focus. Where the desktop can give the focus to applications
  // that posted events never reach, a paste for one of them is not made:
  // taking the pasteboard for it would only lose the user's content.
  virtual bool reachesFocusedApplication() = 0;
};

// ---------------------------------------------------------------------------
// The general pasteboard.

// One pasteboard item: its types in order, each with its data.
struct PasteboardItem {
  std::vector<std::pair<std::string, std::string>> types;
  friend bool operator==(const PasteboardItem&, const PasteboardItem&) = default;
};

inline constexpr std::string_view kPasteboardTypeString = "public.utf8-plain-text";

class Pasteboard {
 public:
  virtual ~Pasteboard() = default;
  // Increases with every change of ownership or content.
  virtual std::int64_t changeCount() = 0;
  virtual std::vector<PasteboardItem> items() = 0;
  virtual std::optional<std::string> stringForType(std::string_view type) = 0;
  // clearContents; returns the new change count.
  virtual std::int64_t clearContents() = 0;
  // writeObjects: after a clear; true when every item was written.
  virtual bool writeItems(const std::vector<PasteboardItem>& items) = 0;
};

// ---------------------------------------------------------------------------
// The host's own windows and their tracking areas (AppKit).

// The part of an NSResponder that owns tracking areas.
class Responder {
 public:
  virtual ~Responder() = default;
  virtual void mouseEntered() = 0;
  virtual void mouseExited() = 0;
};

class Windows {
 public:
  virtual ~Windows() = default;
  // The type test: the window behind an untyped object pointer from the host,
  // or absent when the object is not a window.
  virtual std::optional<Window> windowFromObject(void* object) = 0;
  // The bounds of the window's content view, absent when it has none.
  virtual std::optional<Rect> contentViewBounds(const Window& window) = 0;
  // setDelegate:; a delegate is not owned by the window.
  virtual void setDelegate(const Window& window, std::weak_ptr<Responder> delegate) = 0;
  // initWithRect:options:owner:userInfo:nil; the owner is not retained.
  virtual TrackingArea createTrackingArea(const Rect& rect, std::uint32_t options,
                                          std::weak_ptr<Responder> owner) = 0;
  // addTrackingArea: on the window's content view.
  virtual void addTrackingArea(const Window& window, const TrackingArea& area) = 0;
};

// ---------------------------------------------------------------------------
// Diagnostic lines on standard output.

class Log {
 public:
  virtual ~Log() = default;
  virtual void writeLine(std::string_view line) = 0;
};

// ---------------------------------------------------------------------------

class Platform {
 public:
  virtual ~Platform() = default;
  virtual MainRunLoop& runLoop() = 0;
  virtual Accessibility& accessibility() = 0;
  virtual Workspace& workspace() = 0;
  virtual HotKeys& hotKeys() = 0;
  virtual Keyboard& keyboard() = 0;
  virtual Pasteboard& pasteboard() = 0;
  virtual Windows& windows() = 0;
  virtual Log& log() = 0;
};

// The platform the library was built against; defined by the backend.
Platform& current();

}  // namespace axt::platform
