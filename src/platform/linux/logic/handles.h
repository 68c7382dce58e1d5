// The objects this backend hands across the seam. Elements (and the text
// markers in them, text_markers.h) have value identity: two handles naming
// the same accessible object (its D-Bus name and object path) compare equal
// and hash alike, however many proxies AT-SPI made for it. An application
// element names a process and nothing else, as macOS's application elements
// do; the root object of an application is always given in that form. The
// kinds every backend has alike come from platform/backend_handles.h.
#pragma once

#include <atspi/atspi.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "glue/gobject_ref.h"
#include "platform/backend_handles.h"
#include "platform/platform.h"

namespace axt::lindesk {

using platform::Handle;
using platform::Pid;
using platform::backend::handleAs;
using platform::backend::IdentityHandle;
using platform::backend::TrackingAreaHandle;

// Where an accessible object lives: its application's bus name and its
// object path.
struct ObjectKey {
  std::string busName;
  std::string path;
  friend bool operator==(const ObjectKey&, const ObjectKey&) = default;
};

std::size_t hashKey(const ObjectKey& key);

class ElementHandle final : public Handle {
 public:
  // The application element of a process, found on the bus when it is used.
  static platform::Element application(Pid pid);
  // One object of an application; `pid` is its application's process,
  // `bus` the connection to the accessibility bus it was met on (each new
  // bus starts its objects anew: the same name and path there is another
  // object).
  static platform::Element object(Pid pid, GRef<AtspiAccessible> accessible, std::uint64_t bus);

  bool equals(const Handle& other) const override;
  std::size_t hash() const override;

  bool isApplication() const { return application_; }
  Pid pid() const { return pid_; }
  const ObjectKey& key() const { return key_; }
  // Null for an application element, and for an object that is gone once
  // its proxy was let go of.
  AtspiAccessible* accessible() const { return accessible_.get(); }
  std::uint64_t bus() const { return bus_; }

  // The object is gone: its proxy, which nothing can be asked of any more,
  // is let go of. What the element is (its key, its bus, so its equality
  // and its hash) stays; requests on it fail as for any object that is gone.
  void letGo() const { accessible_ = GRef<AtspiAccessible>(); }

  ElementHandle(Pid pid, GRef<AtspiAccessible> accessible, ObjectKey key, std::uint64_t bus);

 private:
  Pid pid_;
  bool application_;
  // Empty for an application element. Mutable: letting go of the proxy
  // changes nothing of the element's value (see letGo).
  mutable GRef<AtspiAccessible> accessible_;
  ObjectKey key_;
  std::uint64_t bus_;
};

// The key of an accessible object as AT-SPI names it.
ObjectKey keyOf(AtspiAccessible* accessible);

// Entries of the backend's tables, by number: observers, hot keys; and the
// host's windows, by their X identifier.
using platform::backend::HotKeyHandle;
using platform::backend::ObserverHandle;
using platform::backend::WindowHandle;

}  // namespace axt::lindesk
