// simdesk: a simulated desktop behind the platform seam. Tests and the
// scenario player build applications and host windows here, play the user's
// actions and drive a virtual clock; the library sees only the seam.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/platform.h"

namespace simdesk {

using axt::platform::AXError;
using axt::platform::PasteboardItem;
using axt::platform::Pid;
using axt::platform::Point;
using axt::platform::Range;
using axt::platform::Rect;
using axt::platform::Size;

// "attribute supported, no value" (-25212 on every read).
struct NoValue {
  friend bool operator==(const NoValue&, const NoValue&) = default;
};
// An element of the same desktop, by its id.
struct ElementId {
  std::string id;
  friend bool operator==(const ElementId&, const ElementId&) = default;
};
// A value of a kind the library has no use for ("array", "date", ...).
struct Opaque {
  std::string typeName;
  friend bool operator==(const Opaque&, const Opaque&) = default;
};
// An accessibility value wrapping an error code.
struct ErrorValue {
  AXError code = 0;
  friend bool operator==(const ErrorValue&, const ErrorValue&) = default;
};

// An attribute's fixed answer.
using AttrValue = std::variant<NoValue, std::string, std::int64_t, double, bool, Point, Rect,
                               Range, Size, ElementId, Opaque, ErrorValue>;

struct ElementSpec {
  std::string id;
  std::optional<std::string> role;
  std::optional<std::string> text;  // present: a text element
  Range selection{0, 0};            // UTF-16 code units
  Rect frame{};                     // origin of its text layout, AXPosition and AXSize
  std::optional<bool> editable;     // default: true for AXTextField and AXTextArea
  std::optional<bool> markers;      // default: true for AXStaticText
  // Whether "AXSelectedText" is settable on an editable element: a write
  // puts the text in place of the selection, as a paste would, without
  // keys or the pasteboard (the way a Linux toolkit's editable text takes
  // a replacement over the accessibility bus). Default false.
  std::optional<bool> replaceable;
  std::map<std::string, AttrValue> attributes;  // win over computed answers
  std::map<std::string, AXError> errors;        // every read of these fails
};

struct AppSpec {
  Pid pid = 0;
  std::optional<std::string> bundleId;
  std::optional<std::string> name;
  bool launched = true;
  bool accessible = true;            // false: every request fails with -25204
  // false: posted key events never reach it, as XTEST's never reach a
  // native Wayland application.
  bool keys = true;
  std::optional<std::string> focused;  // element id
  std::map<std::string, AttrValue> attributes;  // of the application element
  std::vector<ElementSpec> elements;
};

struct HostWindowSpec {
  std::string id;
  Rect frame{};  // the content area, in screen coordinates
  bool contentView = true;
};

struct PostedKey {
  std::uint16_t code = 0;
  bool down = false;
  std::uint64_t flags = 0;
  friend bool operator==(const PostedKey&, const PostedKey&) = default;
};

// Counts of accessibility requests the library made to other applications.
struct RequestCounts {
  std::uint64_t reads = 0;               // copy attribute value
  std::uint64_t parameterizedReads = 0;  // copy parameterized attribute value
  std::uint64_t settableChecks = 0;
  std::uint64_t writes = 0;
  std::uint64_t nameLists = 0;
  std::uint64_t notificationRegistrations = 0;
  std::uint64_t total() const {
    return reads + parameterizedReads + settableChecks + writes + nameLists +
           notificationRegistrations;
  }
};

// The seam as this desktop implements it: what a simulated platform built
// on top of this one (the simulated macOS frameworks) forwards to. The
// library built over the simulated desktop reaches the same through
// current(), but for one rule a backend adds: once a request to an
// application that stopped answering has timed out, requests to it fail at
// once until it answers again (platform/backend_unresponsive_apps.h).
axt::platform::Platform& seam();

inline constexpr Pid kHostPid = 1;
inline constexpr const char* kHostName = "Quillarbor";

class Desktop {
 public:
  // The process's one simulated desktop, which the library reaches through
  // the seam.
  static Desktop& get();

  // Back to a fresh desktop: virtual clock at 0, trusted, the host
  // application (pid 1, "Quillarbor") frontmost, no other applications, no
  // registrations, empty pasteboard, pointer outside every window, diagnostic
  // lines to standard output.
  void reset();

  // --- clock -------------------------------------------------------------
  // A real clock follows the machine's time; the virtual one (the default)
  // moves only when the run loop is driven or a busy wait spins.
  void useRealClock(bool real);
  double now() const;

  // --- trust -------------------------------------------------------------
  void setTrusted(bool trusted);
  bool trusted() const;
  int promptRequests() const;  // trust queries that asked for the prompt

  // --- diagnostic lines --------------------------------------------------
  // Where the library's lines go; an empty function restores standard output.
  void setLineSink(std::function<void(std::string_view)> sink);

  // --- main run loop -----------------------------------------------------
  // Runs, in time order, everything that falls due on the main run loop up
  // to time t in the default mode, advancing the clock to each item's time,
  // then sets the clock to t (if later).
  void runUntil(double t);
  // The same with the loop running in another mode ("tracking", ...):
  // main-queue blocks run, default-mode timers and observer callbacks wait.
  void runInModeUntil(const std::string& mode, double t);
  // Runs until nothing is due any more; returns the time it stopped at.
  // Stops after `limit` items as a guard against endless rescheduling.
  double runUntilIdle(std::size_t limit = 1'000'000);
  // The mode the loop is running in right now ("" when not running).
  std::string currentMode() const;
  std::size_t pendingMainLoopItems() const;

  // --- applications ------------------------------------------------------
  void addApp(const AppSpec& app);
  bool hasApp(Pid pid) const;
  void activate(Pid pid);                      // becomes frontmost, notification posted
  void launch(Pid pid, bool finished = true);  // launch notification posted
  void quit(Pid pid);
  void notifyWithoutApp();                     // activation notification without the app entry
  void focus(const std::string& elementId);    // AXFocusedUIElementChanged
  void select(const std::string& elementId, Range range);  // AXSelectedTextChanged
  void moveWindow(const std::string& elementId);           // AXWindowMoved
  void resizeWindow(const std::string& elementId);         // AXWindowResized
  void pressHotKey(std::uint32_t code = 36, std::uint32_t modifiers = 0x800);
  void setAttribute(const std::string& elementId, const std::string& attribute, AttrValue value);
  void setError(const std::string& elementId, const std::string& attribute, AXError code);
  // The application's main thread stops answering accessibility requests
  // (it is busy, or hangs), and later answers again. While it doesn't, each
  // request to it waits out the request limit (the clock moves by it, other
  // applications going on meanwhile) and fails with -25204, as a request
  // that times out does. Its notifications and key handling are untouched.
  void stopAnswering(Pid pid);
  void answerAgain(Pid pid);
  // The limit a request waits for an application that doesn't answer: the
  // platform's messaging timeout. Zero or less puts back the default, 1.5 s.
  void setRequestLimit(double seconds);
  double requestLimit() const;
  // The process an element of this desktop belongs to (an application
  // element's too); absent for the system-wide element and foreign ones.
  std::optional<Pid> pidOf(const axt::platform::Element& element) const;
  // The id of an element the library holds, or "" for an application element
  // or one this desktop doesn't know.
  std::string elementIdOf(const axt::platform::Element& element) const;

  // --- host windows and the pointer -------------------------------------
  void addHostWindow(const HostWindowSpec& window);
  // The object a host would pass to addMouseTracker for this window.
  void* windowObject(const std::string& windowId);
  // An object that is not a window (a view, say).
  void* notAWindowObject();
  void movePointer(Point p);
  void resizeHostWindow(const std::string& windowId, Rect frame);

  // --- pasteboard --------------------------------------------------------
  void setPasteboard(const std::vector<PasteboardItem>& items);
  // A pasteboard that takes no writes: clearing it leaves it as it is and
  // writing to it fails (another process holds it, the service is gone).
  void setPasteboardWritable(bool writable);
  // Another application writes the pasteboard.
  void copy(const std::vector<PasteboardItem>& items);
  std::vector<PasteboardItem> pasteboard() const;
  std::int64_t pasteboardChangeCount() const;

  // --- other applications' own activity ----------------------------------
  // Runs `action` at time t as something another application does on its
  // own: it runs also while the library busy-waits, never as part of the
  // main run loop.
  void atTime(double t, std::function<void()> action);

  // --- final state and measurements --------------------------------------
  std::optional<std::string> text(const std::string& elementId) const;
  std::optional<Pid> frontmost() const;
  std::map<Pid, int> activations() const;  // activations the library requested
  std::vector<PostedKey> keys() const;
  std::size_t liveObservers() const;       // observers whose run-loop source is installed
  RequestCounts requests() const;
  void resetRequestCounts();

  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;
  ~Desktop();

  struct Impl;

 private:
  Desktop();
  std::unique_ptr<Impl> impl_;
};

}  // namespace simdesk
