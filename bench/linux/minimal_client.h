// The floor: a client that gets the same data the library hands the host,
// for the same user actions, with the fewest requests it can. It keeps what
// the events themselves tell (which object has the focus, where the caret
// went, which application was activated) and what never changes for the
// life of an application or an object (its process, name, identifier,
// role), and asks for the rest when an event needs it:
//
//   text_select        GetSelection, GetState (editable), GetText of the
//                      selection, GetRangeExtents              4 calls
//   caret              GetSelection                            1 call
//   alt_enter_pressed  GetState (a text area?), GetSelection, GetText up to
//                      one past the caret (or of the selection),
//                      GetRangeExtents of the character at the caret
//                      (or of the selection)                   4 calls
//   app_changed, focused_changed                               no call
//
// Events reach the host through the same kind of callback as the
// library's, with JSON written by the library's own writer, so that both
// can be compared byte for byte; there is no delivery delay.
#pragma once

#include <glib.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "atspi_bus.h"
#include "x11_side.h"

namespace axbench {

class MinimalClient {
 public:
  using Callback = std::function<void(const char* name, const std::string& json)>;
  explicit MinimalClient(Callback callback) : callback_(std::move(callback)) {}
  MinimalClient(const MinimalClient&) = delete;
  MinimalClient& operator=(const MinimalClient&) = delete;
  ~MinimalClient();

  // Connects, registers the events and the hot key, and adds its sources to
  // GLib's default main context.
  bool start(std::string& error);

 private:
  struct Application {
    std::string name;
    std::string identifier;
  };

  static gboolean onBus(gint fd, GIOCondition condition, gpointer self);
  static gboolean onX11(gint fd, GIOCondition condition, gpointer self);
  static gboolean onGathered(gpointer self);

  void dispatchBus();
  void hear(const BusEvent& e);
  const Application& applicationOf(const std::string& bus);
  std::uint32_t roleOf(const ObjectRef& o);
  void selectionChanged(const ObjectRef& o);
  std::optional<std::string> snapshot(const ObjectRef& o, std::pair<int, int> range);
  void hotKey();
  void send(const char* name, const std::string& json) { callback_(name, json); }

  Callback callback_;
  AtspiBus bus_;
  X11Side x11_;
  guint busSource_ = 0;
  guint x11Source_ = 0;
  guint gatherSource_ = 0;

  std::map<std::string, Application> applications_;  // by bus name
  std::map<std::string, std::uint32_t> roles_;        // by bus name and path
  std::string frontmost_;                             // bus name
  std::optional<ObjectRef> focused_;
  std::map<std::string, int> carets_;  // by bus name and path, from the caret events
  std::optional<ObjectRef> changed_;   // a selection change waiting for the gather
};

}  // namespace axbench
