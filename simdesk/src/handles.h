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

#include "platform/backend_handles.h"
#include "platform/platform.h"

namespace simdesk::detail {

using axt::platform::Handle;
using axt::platform::Pid;

using axt::platform::backend::handleAs;
using axt::platform::backend::IdentityHandle;
using axt::platform::backend::TrackingAreaHandle;

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
using MarkerRangeHandle = axt::platform::backend::MarkerRangeHandle<MarkerHandle>;

using axt::platform::backend::HotKeyHandle;
using axt::platform::backend::ObserverHandle;
using axt::platform::backend::WindowHandle;

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

}  // namespace simdesk::detail
