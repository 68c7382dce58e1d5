// A peer connection is given the host's name on the bus once, and nothing
// else is renamed: libatspi picks how it waits for an answer by whether the
// connection has a name (peer_connections.h).
#include "logic/peer_connections.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace axt::lindesk {
namespace {

struct ServerDone {
  void operator()(DBusServer* s) const {
    dbus_server_disconnect(s);
    dbus_server_unref(s);
  }
};
struct ConnectionDone {
  void operator()(DBusConnection* c) const {
    dbus_connection_close(c);
    dbus_connection_unref(c);
  }
};
using ServerPtr = std::unique_ptr<DBusServer, ServerDone>;
using ConnectionPtr = std::unique_ptr<DBusConnection, ConnectionDone>;

// A listening socket of our own and a connection to it: a peer
// connection, as libatspi opens to an application, with no bus behind it.
// Nothing is sent over it.
class PeerConnection : public ::testing::Test {
 protected:
  void SetUp() override {
    DBusError error;
    dbus_error_init(&error);
    server_.reset(dbus_server_listen("unix:tmpdir=/tmp", &error));
    ASSERT_TRUE(server_) << error.message;
    char* address = dbus_server_get_address(server_.get());
    peer_.reset(dbus_connection_open_private(address, &error));
    dbus_free(address);
    ASSERT_TRUE(peer_) << error.message;
    dbus_error_free(&error);
  }
  const char* nameOf() const { return dbus_bus_get_unique_name(peer_.get()); }

  ServerPtr server_;
  ConnectionPtr peer_;
};

TEST_F(PeerConnection, StartsWithoutAName) { EXPECT_EQ(nameOf(), nullptr); }

TEST_F(PeerConnection, IsGivenOurName) {
  EXPECT_TRUE(nameAsOnBus(peer_.get(), ":1.42"));
  ASSERT_NE(nameOf(), nullptr);
  EXPECT_STREQ(nameOf(), ":1.42");
}

// Every request names the connection again: the first name stays (libdbus
// takes one name per connection), and asking again is harmless.
TEST_F(PeerConnection, KeepsTheFirstName) {
  ASSERT_TRUE(nameAsOnBus(peer_.get(), ":1.42"));
  EXPECT_FALSE(nameAsOnBus(peer_.get(), ":1.42"));
  EXPECT_FALSE(nameAsOnBus(peer_.get(), ":1.7"));
  EXPECT_STREQ(nameOf(), ":1.42");
}

// Without a name of our own (no bus) the connection is left as it is.
TEST_F(PeerConnection, NoNameOfOursLeavesItUnnamed) {
  EXPECT_FALSE(nameAsOnBus(peer_.get(), nullptr));
  EXPECT_FALSE(nameAsOnBus(peer_.get(), ""));
  EXPECT_EQ(nameOf(), nullptr);
  // And it can still be named once there is one.
  EXPECT_TRUE(nameAsOnBus(peer_.get(), ":1.42"));
}

TEST(PeerConnectionNone, NoConnectionIsNothingToName) { EXPECT_FALSE(nameAsOnBus(nullptr, ":1.42")); }

}  // namespace
}  // namespace axt::lindesk
