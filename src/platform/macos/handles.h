// The objects this backend hands across the seam. Elements, text markers
// and marker ranges are the system's own references and compare as the
// system compares them (CFEqual, CFHash): two reads of the same element are
// distinct references to one element. Event sources and events are objects
// in their own right. Observers, hot keys and the host's windows are
// entries of the backend's tables, by number; the kinds every backend has
// alike come from platform/backend_handles.h.
#pragma once

#include <ApplicationServices/ApplicationServices.h>
#include <CoreGraphics/CoreGraphics.h>

#include <cstddef>

#include "cf_ref.h"
#include "platform/backend_handles.h"
#include "platform/platform.h"

namespace axt::macdesk {

using platform::Handle;
using platform::backend::handleAs;

// A system reference with the system's identity. `Kind` keeps the kinds
// apart even where the reference types coincide.
template <class Kind, class T>
class CFHandle final : public Handle {
 public:
  explicit CFHandle(CFRef<T> ref) : ref_(std::move(ref)) {}

  bool equals(const Handle& other) const override {
    const auto* o = handleAs<CFHandle>(&other);
    return o != nullptr && o->ref_ && ref_ && CFEqual(o->ref_.get(), ref_.get());
  }
  std::size_t hash() const override { return ref_ ? static_cast<std::size_t>(CFHash(ref_.get())) : 0; }

  T get() const { return ref_.get(); }

 private:
  CFRef<T> ref_;
};

// A system object compared by identity: each creation is a new one.
template <class Kind, class T>
class CFObjectHandle final : public platform::backend::IdentityHandle {
 public:
  explicit CFObjectHandle(CFRef<T> ref) : ref_(std::move(ref)) {}
  T get() const { return ref_.get(); }

 private:
  CFRef<T> ref_;
};

struct ElementKind;
struct MarkerKind;
struct MarkerRangeKind;
struct EventSourceKind;
struct KeyEventKind;

using ElementHandle = CFHandle<ElementKind, AXUIElementRef>;
using MarkerHandle = CFHandle<MarkerKind, AXTextMarkerRef>;
using MarkerRangeHandle = CFHandle<MarkerRangeKind, AXTextMarkerRangeRef>;
using EventSourceHandle = CFObjectHandle<EventSourceKind, CGEventSourceRef>;
using KeyEventHandle = CFObjectHandle<KeyEventKind, CGEventRef>;

using platform::backend::HotKeyHandle;
using platform::backend::ObserverHandle;
using platform::backend::WindowHandle;

// The seam's reference for a system reference of each kind; empty for null.
platform::Element wrapElement(CFRef<AXUIElementRef> ref);
platform::TextMarker wrapMarker(CFRef<AXTextMarkerRef> ref);
platform::TextMarkerRange wrapMarkerRange(CFRef<AXTextMarkerRangeRef> ref);

}  // namespace axt::macdesk
