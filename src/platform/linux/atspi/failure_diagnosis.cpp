#include "atspi/failure_diagnosis.h"

#include <dbus/dbus.h>

#include "atspi/atspi_session.h"
#include "glue/dbus_message.h"
#include "logic/atspi_errors.h"
#include "logic/request_limits.h"

namespace axt::lindesk {

namespace {

class DBusErrorHolder {
 public:
  DBusErrorHolder() { dbus_error_init(&error_); }
  ~DBusErrorHolder() { dbus_error_free(&error_); }
  DBusErrorHolder(const DBusErrorHolder&) = delete;
  DBusErrorHolder& operator=(const DBusErrorHolder&) = delete;
  DBusError* get() { return &error_; }
  bool set() const { return dbus_error_is_set(&error_) != 0; }
  bool is(const char* name) const { return dbus_error_has_name(&error_, name) != 0; }

 private:
  DBusError error_;
};

// What became of an application after an exchange with it failed: the bus
// is asked (NameHasOwner) whether its name still has an owner.
AtspiFailure diagnoseExchange(DBusConnection* bus, const std::string& busName) {
  if (bus == nullptr || dbus_connection_get_is_connected(bus) == 0) return AtspiFailure::kNoBus;
  if (busName.empty()) return AtspiFailure::kExchangeFailed;
  DBusMessagePtr call(dbus_message_new_method_call(DBUS_SERVICE_DBUS, DBUS_PATH_DBUS, DBUS_INTERFACE_DBUS,
                                                   "NameHasOwner"));
  const char* name = busName.c_str();
  if (!call || dbus_message_append_args(call.get(), DBUS_TYPE_STRING, &name, DBUS_TYPE_INVALID) == 0) {
    return AtspiFailure::kExchangeFailed;
  }
  DBusErrorHolder error;
  DBusMessagePtr reply(
      dbus_connection_send_with_reply_and_block(bus, call.get(), kRequestTimeoutMs, error.get()));
  if (error.set()) {
    if (error.is(DBUS_ERROR_DISCONNECTED)) return AtspiFailure::kNoBus;
    if (error.is(DBUS_ERROR_NO_REPLY) || error.is(DBUS_ERROR_TIMEOUT)) return AtspiFailure::kTimedOut;
    return AtspiFailure::kExchangeFailed;
  }
  dbus_bool_t owned = FALSE;
  if (!reply || dbus_message_get_args(reply.get(), error.get(), DBUS_TYPE_BOOLEAN, &owned, DBUS_TYPE_INVALID) == 0) {
    return AtspiFailure::kExchangeFailed;
  }
  return owned != 0 ? AtspiFailure::kExchangeFailed : AtspiFailure::kVanished;
}

}  // namespace

platform::AXError failureCode(AtspiSession& session, const GErrorHolder& error, const std::string& busName) {
  if (!error) return platform::axerr::kCannotComplete;
  const bool tookTheLimit = tookNearlyTheLimit(error.sinceAsked());
  AtspiFailure failure = classifyFailure(*error.get());
  if (failure == AtspiFailure::kExchangeFailed) failure = diagnoseExchange(session.bus(), busName);
  if (marksUnanswered(failure, tookTheLimit)) session.unresponsive().markUnanswered(busName);
  return codeForFailure(failure);
}

}  // namespace axt::lindesk
