// What a failed AT-SPI request means, told by the GError's domain and code
// (never by its message, whose text belongs to whoever wrote it), and the
// accessibility error code the library gets for it.
//
// libatspi reports its own failures in its domain ("atspi_error"): an
// application that is gone, or an exchange with an application that failed
// (no answer in time, or an error answer; the D-Bus error's name is not
// kept). Errors of GDBus come in its domains: the D-Bus errors it knows
// (G_DBUS_ERROR, the standard names of the bus among them), and I/O errors
// for timeouts and lost connections (G_IO_ERROR); an error name it doesn't
// know says nothing the library could act on.
#pragma once

#include <glib.h>

#include "platform/values.h"

namespace axt::lindesk {

enum class AtspiFailure {
  kVanished,          // the object or its application is gone
  kMissingInterface,  // the object has no such interface, method or property
  kTimedOut,          // no answer in time
  kNoBus,             // the connection to the bus is lost
  kExchangeFailed,    // an exchange failed without saying why (libatspi's IPC failures)
  kOther,
};

// libatspi's error domain and codes (its own numbering, kept since 2.0).
inline constexpr const char* kAtspiErrorDomain = "atspi_error";
inline constexpr gint kAtspiErrorApplicationGone = 0;
inline constexpr gint kAtspiErrorIpc = 1;

AtspiFailure classifyFailure(const GError& error);

// vanished: kInvalidUIElement; missing interface: kAttributeUnsupported;
// no bus: kAPIDisabled; everything else (timeouts included): a request that
// couldn't complete.
platform::AXError codeForFailure(AtspiFailure failure);

}  // namespace axt::lindesk
