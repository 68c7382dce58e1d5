// The hot key as the compositor's binding: the key named as bindsym names
// it, a keeper started before any binding is made, the subscription's
// events read in whatever pieces they come, and only our own binding's
// presses told, on the main loop.
#include <gtest/gtest.h>
#include <glib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <string>
#include <vector>

#include "glue/run_loop.h"
#include "sway/ipc_message.h"
#include "sway/sway_binding.h"
#include "sway/sway_hot_keys.h"

namespace axt::lindesk {
namespace {

TEST(SwayBinding, KeysAreNamedAsBindsymNamesThem) {
  EXPECT_EQ(bindingKeys({XK_Return, Mod1Mask}), "Mod1+Return");
  EXPECT_EQ(bindingKeys({XK_a, ShiftMask | ControlMask | Mod1Mask | Mod4Mask}), "Shift+Ctrl+Mod1+Mod4+a");
  EXPECT_EQ(bindingKeys({XK_F12, 0}), "F12");
  EXPECT_EQ(bindingKeys({0, Mod1Mask}), std::nullopt);
  EXPECT_EQ(bindingKeys({0x7fffffff, Mod1Mask}), std::nullopt);  // no name
}

TEST(SwayBinding, OnlyARunBindingNamesItsCommand) {
  EXPECT_EQ(boundCommandOf(R"({"change":"run","binding":{"command":"nop axtrack-hot-key-1-1","symbol":"Return"}})"),
            "nop axtrack-hot-key-1-1");
  for (std::string_view other : {R"({"change":"other","binding":{"command":"nop x"}})", R"({"change":"run"})",
                                 R"({"change":"run","binding":{"command":7}})", R"([])", "", "{"}) {
    EXPECT_EQ(boundCommandOf(other), std::nullopt) << other;
  }
  EXPECT_TRUE(replySucceeded(R"({"success":true})"));
  EXPECT_FALSE(replySucceeded(R"({"success":false})"));
  EXPECT_FALSE(replySucceeded(R"([{"success":true}])"));
}

TEST(SwayBinding, TheUsersOwnBindingOfTheKeysIsFoundInTheConfiguration) {
  const auto binds = [](const std::string& text) {
    return configBindsKeys(R"({"config":")" + text + R"("})", "Mod1+Return");
  };
  EXPECT_FALSE(binds(""));
  EXPECT_FALSE(binds(R"(set $mod Mod4\nbindsym $mod+Return exec foot\nbindsym Mod1+Shift+Return exec x)"));
  EXPECT_TRUE(binds(R"(bindsym Mod1+Return exec foot)"));
  EXPECT_TRUE(binds(R"(set $alt Mod1\n  bindsym --to-code --no-repeat $alt+Return exec foot)"));
  EXPECT_TRUE(binds(R"(bindsym return+ALT nop)"));
  // $mod and $mod2 are told apart.
  EXPECT_FALSE(binds(R"(set $mod Mod4\nset $mod2 Mod1\nbindsym $mod+Return nop)"));
  EXPECT_TRUE(binds(R"(set $mod Mod4\nset $mod2 Mod1\nbindsym $mod2+Return nop)"));
  // What can't be read binds everything.
  EXPECT_TRUE(configBindsKeys("", "Mod1+Return"));
  EXPECT_TRUE(configBindsKeys(R"({"config":3})", "Mod1+Return"));
}

// One end of a socket pair per connection the hot keys open; what the
// compositor is to say on it is written before it is handed out.
struct Compositor {
  std::vector<int> peers;
  std::vector<std::string> greetings;  // what each next connection is answered, in turn
  SwayIpc::Connector connector() {
    return [this]() -> OwnedFd {
      int fds[2];
      if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds) != 0) return {};
      peers.push_back(fds[1]);
      if (!greetings.empty()) {
        send(greetings.front());
        greetings.erase(greetings.begin());
      }
      return OwnedFd(fds[0]);
    };
  }
  void send(const std::string& bytes) const {
    ASSERT_EQ(::write(peers.back(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  std::string asked() const {
    char buffer[4096];
    const ssize_t n = ::recv(peers.back(), buffer, sizeof buffer, MSG_DONTWAIT);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }
  ~Compositor() {
    for (int fd : peers) ::close(fd);
  }
};

struct DirectHandling final : Handling {
  void run(const std::function<void()>& block) override { block(); }
};

// Runs what the main context has ready, as the host's loop would.
void turnMainLoop() {
  for (int i = 0; i < 10; ++i) g_main_context_iteration(nullptr, FALSE);
}

// The user's configuration, binding other keys only.
std::string config(const std::string& text = "set $mod Mod4\\nbindsym $mod+Return exec foot\\n") {
  return ipcFrame(IpcType::kGetConfig, R"({"config":")" + text + R"("})");
}

std::string bindingEvent(const std::string& command) {
  return ipcFrame(static_cast<IpcType>(kBindingEvent),
                  R"({"change":"run","binding":{"command":")" + command + R"(","symbol":"Return"}})");
}

struct HotKeysTest : ::testing::Test {
  DirectHandling handling;
  GlibRunLoop runLoop{handling};
  Compositor commands;
  Compositor events;
  std::vector<std::string> undos;
  bool keeperStarts = true;
  SwayHotKeys::Keeper keeper = [this](const std::string& undo) -> OwnedFd {
    if (!keeperStarts) return {};
    undos.push_back(undo);
    return OwnedFd(::dup(0));
  };
  std::string command = "nop axtrack-hot-key-" + std::to_string(::getpid()) + "-1";
};

TEST_F(HotKeysTest, ABindingIsMadeWithItsKeeperAndItsPressesAreTold) {
  events.greetings = {config(), ipcFrame(IpcType::kSubscribe, R"({"success":true})")};
  commands.greetings = {ipcFrame(IpcType::kRunCommand, R"([{"success":true}])")};
  SwayHotKeys hotKeys(SwayIpc(commands.connector()), events.connector(), keeper, runLoop);
  int presses = 0;
  ASSERT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [&] { ++presses; }), GrabOutcome::kGrabbed);
  EXPECT_EQ(events.asked(), ipcFrame(IpcType::kSubscribe, R"(["binding"])"));
  EXPECT_EQ(commands.asked(), ipcFrame(IpcType::kRunCommand, "bindsym Mod1+Return " + command));
  EXPECT_EQ(undos, std::vector<std::string>{"unbindsym Mod1+Return"});

  // Two presses in one read, a third split across reads, and a binding of
  // someone else's between them.
  const std::string mine = bindingEvent(command);
  events.send(mine + bindingEvent("nop someone-else") + mine + mine.substr(0, 7));
  hotKeys.readEvents();
  turnMainLoop();
  EXPECT_EQ(presses, 2);
  events.send(mine.substr(7));
  hotKeys.readEvents();
  turnMainLoop();
  EXPECT_EQ(presses, 3);
  // Told on the main loop, never from inside the read.
  events.send(mine);
  hotKeys.readEvents();
  EXPECT_EQ(presses, 3);
  turnMainLoop();
  EXPECT_EQ(presses, 4);

  // The same keys again are ours already.
  events.greetings = {config()};
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
}

TEST_F(HotKeysTest, NoBindingWithoutAKeeperASubscriptionOrTheCompositorsYes) {
  {
    keeperStarts = false;
    events.greetings = {config(), ipcFrame(IpcType::kSubscribe, R"({"success":true})")};
    SwayHotKeys hotKeys(SwayIpc(commands.connector()), events.connector(), keeper, runLoop);
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_TRUE(commands.peers.empty());  // nothing was bound
    keeperStarts = true;
  }
  {
    Compositor refusing;
    refusing.greetings = {config(), ipcFrame(IpcType::kSubscribe, R"({"success":false})")};
    SwayHotKeys hotKeys(SwayIpc(commands.connector()), refusing.connector(), keeper, runLoop);
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_TRUE(commands.peers.empty());
  }
  {
    Compositor subscribing;
    subscribing.greetings = {config(), ipcFrame(IpcType::kSubscribe, R"({"success":true})")};
    Compositor refusing;
    refusing.greetings = {ipcFrame(IpcType::kRunCommand, R"([{"success":false,"error":"Invalid"}])")};
    SwayHotKeys hotKeys(SwayIpc(refusing.connector()), subscribing.connector(), keeper, runLoop);
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_EQ(hotKeys.grab({0, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
  }
}

TEST_F(HotKeysTest, KeysTheUserBoundStayTheirs) {
  events.greetings = {config(R"(bindsym Mod1+Return exec foot)")};
  SwayHotKeys hotKeys(SwayIpc(commands.connector()), events.connector(), keeper, runLoop);
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
  EXPECT_TRUE(commands.peers.empty());
  EXPECT_TRUE(undos.empty());
}

TEST_F(HotKeysTest, AMalformedOrClosedSubscriptionEndsTheListening) {
  events.greetings = {config(), ipcFrame(IpcType::kSubscribe, R"({"success":true})")};
  commands.greetings = {ipcFrame(IpcType::kRunCommand, R"([{"success":true}])")};
  SwayHotKeys hotKeys(SwayIpc(commands.connector()), events.connector(), keeper, runLoop);
  int presses = 0;
  ASSERT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [&] { ++presses; }), GrabOutcome::kGrabbed);
  events.send("i4-ipc garbage that is no frame");
  hotKeys.readEvents();
  turnMainLoop();
  EXPECT_EQ(presses, 0);
  // The connection was let go: past the subscription asked, the
  // compositor's end reads its close.
  EXPECT_EQ(events.asked(), ipcFrame(IpcType::kSubscribe, R"(["binding"])"));
  char byte = 0;
  EXPECT_EQ(::recv(events.peers.back(), &byte, 1, MSG_DONTWAIT), 0);
  // Reading again does nothing.
  hotKeys.readEvents();
  turnMainLoop();
  EXPECT_EQ(presses, 0);
}

}  // namespace
}  // namespace axt::lindesk
