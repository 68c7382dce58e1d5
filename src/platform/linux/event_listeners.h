// The events of the accessibility bus that the backend turns into
// notifications: focus moves, caret moves and selection changes, window
// activation, moves and resizes, applications appearing on the bus.
// Listeners only queue what they hear; the queue is worked off from the
// main loop, so that no observer runs inside a request the library is
// making (AT-SPI hands events over while it waits for answers).
#pragma once

#include <atspi/atspi.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "gobject_ref.h"
#include "handles.h"

namespace axt::lindesk {

class LinuxDesktop;

class EventListeners {
 public:
  explicit EventListeners(LinuxDesktop& desktop) : desktop_(desktop) {}
  EventListeners(const EventListeners&) = delete;
  EventListeners& operator=(const EventListeners&) = delete;

  // Starts listening, once; nothing happens without the bus. The listener
  // stays registered for the life of the backend, like every registration
  // of the library.
  void start();

 private:
  enum class Kind {
    kFocusGained,
    kSelection,
    kWindowActivated,
    kWindowMoved,
    kWindowResized,
    kApplicationAdded,
  };

  struct Heard {
    Kind kind;
    GRef<AtspiAccessible> source;
    GRef<AtspiAccessible> child;  // the application that was added
    std::uint64_t number = 0;
  };

  static void onEvent(AtspiEvent* event, void* self);
  static std::optional<Kind> kindOf(const std::string& type, int detail1, const ObjectKey& source);
  static const char* notificationOf(Kind kind);

  void hear(const AtspiEvent& event);
  bool alreadyQueued(Kind kind, const ObjectKey& key) const;
  void drain();
  void handle(const Heard& e);

  LinuxDesktop& desktop_;
  GRef<AtspiEventListener> listener_;
  std::deque<Heard> queue_;
  bool drainScheduled_ = false;
};

}  // namespace axt::lindesk
