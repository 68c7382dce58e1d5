// What every backend needs to hand its objects across the seam and that
// doesn't depend on the desktop behind it: the checked cast from a seam
// reference to the backend's own handle, the handle kinds whose identity is
// the same on every desktop (table entries by number, objects compared by
// address, marker ranges, tracking areas), and the event manager's opaque
// types with the order in which installed handlers are offered an event.
// Header-only: each backend is its own library and includes it once.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/platform.h"

// The event manager's opaque types: what a handler is handed. The library
// only passes them along.
namespace axt::platform {
struct EventHandlerCall {
  std::size_t handlerIndex = 0;
};
struct EventRecord {
  std::uint32_t eventClass = 0;
  std::uint32_t eventKind = 0;
  EventHotKeyID hotKeyId{};
};
}  // namespace axt::platform

namespace axt::platform::backend {

template <class T>
const T* handleAs(const Handle* h) {
  return dynamic_cast<const T*>(h);
}

template <class T, class Tag>
const T* handleAs(const Ref<Tag>& ref) {
  return handleAs<T>(ref.handle());
}

// Combines a hash into a running one.
inline std::size_t mixHash(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9E3779B97F4A7C15ull + (seed << 6) + (seed >> 2));
}

// Base of the handles that are objects in their own right and compare by
// identity (event sources, key events, tracking areas).
class IdentityHandle : public Handle {
 public:
  bool equals(const Handle& other) const override { return &other == this; }
  std::size_t hash() const override { return std::hash<const void*>{}(this); }
};

// A handle that names an entry of one of the backend's tables by number:
// observers, hot keys, windows. `Kind` keeps the kinds apart; a backend that
// rebuilds its tables (a new simulated desktop) gives each build its own
// generation, so that a number from an earlier one names nothing now.
template <class Kind>
class NumberedHandle final : public Handle {
 public:
  explicit NumberedHandle(std::uint64_t id) : NumberedHandle(0, id) {}
  NumberedHandle(std::uint64_t generation, std::uint64_t id) : generation_(generation), id_(id) {}

  bool equals(const Handle& other) const override {
    const auto* o = handleAs<NumberedHandle>(&other);
    return o != nullptr && o->generation_ == generation_ && o->id_ == id_;
  }
  std::size_t hash() const override {
    return std::hash<std::uint64_t>{}(generation_ * 0x9E3779B97F4A7C15ull ^ id_);
  }

  std::uint64_t generation() const { return generation_; }
  std::uint64_t id() const { return id_; }

 private:
  std::uint64_t generation_;
  std::uint64_t id_;
};

struct ObserverKind;
struct HotKeyKind;
struct WindowKind;
using ObserverHandle = NumberedHandle<ObserverKind>;
using HotKeyHandle = NumberedHandle<HotKeyKind>;
using WindowHandle = NumberedHandle<WindowKind>;

// Two text markers of the backend's kind `Marker`, kept in the order they
// were given.
template <class Marker>
class MarkerRangeHandle final : public Handle {
 public:
  MarkerRangeHandle(std::shared_ptr<const Handle> first, std::shared_ptr<const Handle> second)
      : first_(std::move(first)), second_(std::move(second)) {}

  bool equals(const Handle& other) const override {
    const auto* o = handleAs<MarkerRangeHandle>(&other);
    return o != nullptr && first_->equals(*o->first_) && second_->equals(*o->second_);
  }
  std::size_t hash() const override { return mixHash(first_->hash(), second_->hash()); }

  const std::shared_ptr<const Handle>& first() const { return first_; }
  const std::shared_ptr<const Handle>& second() const { return second_; }
  const Marker* firstMarker() const { return handleAs<Marker>(first_.get()); }
  const Marker* secondMarker() const { return handleAs<Marker>(second_.get()); }

 private:
  std::shared_ptr<const Handle> first_;
  std::shared_ptr<const Handle> second_;
};

// A tracking area: the rectangle and options it was made with, and its
// owner, which it doesn't keep alive.
class TrackingAreaHandle final : public IdentityHandle {
 public:
  TrackingAreaHandle(Rect rect, std::uint32_t options, std::weak_ptr<Responder> owner)
      : rect_(rect), options_(options), owner_(std::move(owner)) {}
  const Rect& rect() const { return rect_; }
  std::uint32_t options() const { return options_; }
  const std::weak_ptr<Responder>& owner() const { return owner_; }

 private:
  Rect rect_;
  std::uint32_t options_;
  std::weak_ptr<Responder> owner_;
};

// ---------------------------------------------------------------------------
// Hot keys and the application's event handlers.

inline constexpr OSStatus kEventHotKeyExistsErr = -9878;
inline constexpr OSStatus kEventHotKeyInvalidErr = -9879;
inline constexpr OSStatus kParamErr = -50;
inline constexpr std::uint32_t kEventClassKeyboard = 0x6B657962;  // 'keyb'
inline constexpr std::uint32_t kEventHotKeyPressed = 5;

struct InstalledHandler {
  EventHandler handler = nullptr;
  std::vector<EventTypeSpec> types;
  void* userData = nullptr;

  bool takes(std::uint32_t eventClass, std::uint32_t eventKind) const {
    return std::any_of(types.begin(), types.end(), [&](const EventTypeSpec& t) {
      return t.eventClass == eventClass && t.eventKind == eventKind;
    });
  }
};

// Offers the press of the hot key `id` to the handlers, given newest first
// (the order of the event manager), until one handles it. The caller hands
// a copy taken at dispatch time: a handler may install another one.
inline void offerHotKeyPress(const std::vector<InstalledHandler>& newestFirst, EventHotKeyID id) {
  EventRecord event{kEventClassKeyboard, kEventHotKeyPressed, id};
  for (std::size_t i = 0; i < newestFirst.size(); ++i) {
    const InstalledHandler& h = newestFirst[i];
    if (!h.takes(event.eventClass, event.eventKind)) continue;
    EventHandlerCall call{i};
    if (h.handler(&call, &event, h.userData) != kEventNotHandledErr) break;
  }
}

}  // namespace axt::platform::backend
