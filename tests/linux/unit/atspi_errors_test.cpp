// Failed AT-SPI requests are told apart by the error's domain and code, and
// never by its text.
#include "logic/atspi_errors.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <memory>

namespace axt::lindesk {
namespace {

namespace axerr = platform::axerr;

struct ErrorFree {
  void operator()(GError* e) const { g_error_free(e); }
};
using Error = std::unique_ptr<GError, ErrorFree>;

// Each error's text names another failure than the one it is.
AtspiFailure classify(GQuark domain, gint code) {
  const Error e(g_error_new_literal(domain, code, "UnknownMethod: timeout from dbind; the application no longer exists"));
  return classifyFailure(*e);
}

TEST(AtspiErrors, LibatspiAndGDBusErrorsByDomainAndCode) {
  const GQuark atspi = g_quark_from_static_string(kAtspiErrorDomain);
  EXPECT_EQ(classify(atspi, kAtspiErrorApplicationGone), AtspiFailure::kVanished);
  EXPECT_EQ(classify(atspi, kAtspiErrorIpc), AtspiFailure::kExchangeFailed);
  EXPECT_EQ(classify(G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_OBJECT), AtspiFailure::kVanished);
  EXPECT_EQ(classify(G_DBUS_ERROR, G_DBUS_ERROR_NAME_HAS_NO_OWNER), AtspiFailure::kVanished);
  EXPECT_EQ(classify(G_DBUS_ERROR, G_DBUS_ERROR_UNKNOWN_INTERFACE), AtspiFailure::kMissingInterface);
  EXPECT_EQ(classify(G_DBUS_ERROR, G_DBUS_ERROR_NO_REPLY), AtspiFailure::kTimedOut);
  EXPECT_EQ(classify(G_DBUS_ERROR, G_DBUS_ERROR_DISCONNECTED), AtspiFailure::kNoBus);
  EXPECT_EQ(classify(G_IO_ERROR, G_IO_ERROR_TIMED_OUT), AtspiFailure::kTimedOut);
  EXPECT_EQ(classify(G_IO_ERROR, G_IO_ERROR_CLOSED), AtspiFailure::kNoBus);
  EXPECT_EQ(classify(G_FILE_ERROR, G_FILE_ERROR_NOENT), AtspiFailure::kOther);
  // A D-Bus error as it comes from another application: by its name.
  const Error remote(g_dbus_error_new_for_dbus_error("org.freedesktop.DBus.Error.UnknownMethod", "no such"));
  EXPECT_EQ(classifyFailure(*remote), AtspiFailure::kMissingInterface);
}

TEST(AtspiErrors, CodesTheLibraryGets) {
  EXPECT_EQ(codeForFailure(AtspiFailure::kVanished), axerr::kInvalidUIElement);
  EXPECT_EQ(codeForFailure(AtspiFailure::kMissingInterface), axerr::kAttributeUnsupported);
  EXPECT_EQ(codeForFailure(AtspiFailure::kTimedOut), axerr::kCannotComplete);
  EXPECT_EQ(codeForFailure(AtspiFailure::kExchangeFailed), axerr::kCannotComplete);
  EXPECT_EQ(codeForFailure(AtspiFailure::kNoBus), axerr::kAPIDisabled);
}

}  // namespace
}  // namespace axt::lindesk
