// The objects simdesk hands across the seam. Elements, markers, observers,
// hot keys and windows have value identity: two handles naming the same
// thing compare equal and hash alike, as two references to one platform
// object would. Events, event sources and tracking areas are objects in
// their own right and compare by identity.
//
// Each desktop built by reset() has its own generation number; handles keep
// the generation they were made in, so a handle from an earlier desktop
// never names a thing of the current one (application elements excepted:
// like the platform's, they name a process id and nothing else).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::Handle;
using axt::platform::Pid;

template <class T>
const T* handleAs(const Handle* h) {
  return dynamic_cast<const T*>(h);
}

template <class T, class Tag>
const T* handleAs(const axt::platform::Ref<Tag>& ref) {
  return handleAs<T>(ref.handle());
}

// An accessibility element: an application element (empty id) or one of its
// elements.
class ElementHandle final : public Handle {
 public:
  ElementHandle(std::uint64_t generation, Pid pid, std::string elementId);
  static axt::platform::Element application(Pid pid);
  static axt::platform::Element element(std::uint64_t generation, Pid pid, std::string elementId);

  bool equals(const Handle& other) const override;
  std::size_t hash() const override;

  bool isApplication() const { return elementId_.empty(); }
  std::uint64_t generation() const { return generation_; }
  Pid pid() const { return pid_; }
  const std::string& elementId() const { return elementId_; }

 private:
  std::uint64_t generation_;
  Pid pid_;
  std::string elementId_;
};

// A position in one element's text, in UTF-16 units.
class MarkerHandle final : public Handle {
 public:
  MarkerHandle(std::uint64_t generation, Pid pid, std::string elementId, std::int64_t position);

  bool equals(const Handle& other) const override;
  std::size_t hash() const override;

  std::uint64_t generation() const { return generation_; }
  Pid pid() const { return pid_; }
  const std::string& elementId() const { return elementId_; }
  std::int64_t position() const { return position_; }

 private:
  std::uint64_t generation_;
  Pid pid_;
  std::string elementId_;
  std::int64_t position_;
};

// Two markers, kept in the order they were given.
class MarkerRangeHandle final : public Handle {
 public:
  MarkerRangeHandle(std::shared_ptr<const Handle> first, std::shared_ptr<const Handle> second);

  bool equals(const Handle& other) const override;
  std::size_t hash() const override;

  const std::shared_ptr<const Handle>& first() const { return first_; }
  const std::shared_ptr<const Handle>& second() const { return second_; }
  const MarkerHandle* firstMarker() const { return handleAs<MarkerHandle>(first_.get()); }
  const MarkerHandle* secondMarker() const { return handleAs<MarkerHandle>(second_.get()); }

 private:
  std::shared_ptr<const Handle> first_;
  std::shared_ptr<const Handle> second_;
};

// A handle that names an entry of one of simdesk's tables by number:
// observers, hot keys, windows. `Kind` keeps the kinds apart.
template <class Kind>
class NumberedHandle final : public Handle {
 public:
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

// Base of the handles that compare by identity.
class IdentityHandle : public Handle {
 public:
  bool equals(const Handle& other) const override { return &other == this; }
  std::size_t hash() const override { return std::hash<const void*>{}(this); }
};

class EventSourceHandle final : public IdentityHandle {
 public:
  explicit EventSourceHandle(std::int32_t stateId) : stateId_(stateId) {}
  std::int32_t stateId() const { return stateId_; }

 private:
  std::int32_t stateId_;
};

// A synthesised keyboard event. Its flags change after creation, as a
// platform event's do; every reference sees the change.
class KeyEventHandle final : public IdentityHandle {
 public:
  KeyEventHandle(std::uint16_t code, bool down) : code_(code), down_(down) {}
  std::uint16_t code() const { return code_; }
  bool down() const { return down_; }
  std::uint64_t flags() const { return flags_; }
  void setFlags(std::uint64_t flags) const { flags_ = flags; }

 private:
  std::uint16_t code_;
  bool down_;
  mutable std::uint64_t flags_ = 0;
};

class TrackingAreaHandle final : public IdentityHandle {
 public:
  TrackingAreaHandle(axt::platform::Rect rect, std::uint32_t options,
                     std::weak_ptr<axt::platform::Responder> owner)
      : rect_(rect), options_(options), owner_(std::move(owner)) {}
  const axt::platform::Rect& rect() const { return rect_; }
  std::uint32_t options() const { return options_; }
  const std::weak_ptr<axt::platform::Responder>& owner() const { return owner_; }

 private:
  axt::platform::Rect rect_;
  std::uint32_t options_;
  std::weak_ptr<axt::platform::Responder> owner_;
};

}  // namespace simdesk::detail
