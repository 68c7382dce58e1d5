#include "logic/atspi_errors.h"

#include <gio/gio.h>

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

AtspiFailure classifyDBusError(const GError& error) {
  switch (error.code) {
    case G_DBUS_ERROR_SERVICE_UNKNOWN:
    case G_DBUS_ERROR_NAME_HAS_NO_OWNER:
    case G_DBUS_ERROR_UNKNOWN_OBJECT:
      return AtspiFailure::kVanished;
    case G_DBUS_ERROR_UNKNOWN_METHOD:
    case G_DBUS_ERROR_UNKNOWN_INTERFACE:
    case G_DBUS_ERROR_UNKNOWN_PROPERTY:
    case G_DBUS_ERROR_NOT_SUPPORTED:
      return AtspiFailure::kMissingInterface;
    case G_DBUS_ERROR_TIMEOUT:
    case G_DBUS_ERROR_TIMED_OUT:
    case G_DBUS_ERROR_NO_REPLY:
      return AtspiFailure::kTimedOut;
    case G_DBUS_ERROR_DISCONNECTED:
    case G_DBUS_ERROR_NO_SERVER:
      return AtspiFailure::kNoBus;
    default:
      return AtspiFailure::kOther;
  }
}

AtspiFailure classifyIoError(const GError& error) {
  switch (error.code) {
    case G_IO_ERROR_TIMED_OUT:
      return AtspiFailure::kTimedOut;
    case G_IO_ERROR_CLOSED:
    case G_IO_ERROR_BROKEN_PIPE:
    case G_IO_ERROR_NOT_CONNECTED:
      return AtspiFailure::kNoBus;
    case G_IO_ERROR_NOT_SUPPORTED:
      return AtspiFailure::kMissingInterface;
    default:
      return AtspiFailure::kOther;
  }
}

}  // namespace

AtspiFailure classifyFailure(const GError& error) {
  if (error.domain == g_quark_from_static_string(kAtspiErrorDomain)) {
    if (error.code == kAtspiErrorApplicationGone) return AtspiFailure::kVanished;
    if (error.code == kAtspiErrorIpc) return AtspiFailure::kExchangeFailed;
    return AtspiFailure::kOther;
  }
  if (error.domain == G_DBUS_ERROR) return classifyDBusError(error);
  if (error.domain == G_IO_ERROR) return classifyIoError(error);
  return AtspiFailure::kOther;
}

platform::AXError codeForFailure(AtspiFailure failure) {
  switch (failure) {
    case AtspiFailure::kVanished:
      return axerr::kInvalidUIElement;
    case AtspiFailure::kMissingInterface:
      return axerr::kAttributeUnsupported;
    case AtspiFailure::kNoBus:
      return axerr::kAPIDisabled;
    case AtspiFailure::kTimedOut:
    case AtspiFailure::kExchangeFailed:
    case AtspiFailure::kOther:
      break;
  }
  return axerr::kCannotComplete;
}

}  // namespace axt::lindesk
