// The compositor's IPC: its frames read in whatever pieces the socket
// gives, a claimed length another process can't make the host allocate,
// one question at a time over a connection that is given up after a wrong
// or missing answer, activation by the process's number, and the native
// windows' application ids from its tree.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "logic/handling_cache.h"
#include "session/activation_chain.h"
#include "sway/ipc_message.h"
#include "sway/sway_ipc.h"
#include "session/unplaced_windows.h"
#include "session/window_places_chain.h"
#include "sway/sway_tree.h"
#include "sway/sway_window_activation.h"
#include "sway/sway_window_places.h"

namespace axt::lindesk {
namespace {

std::string header(std::uint32_t length, std::uint32_t type, std::string_view magic = "i3-ipc") {
  std::string out(magic);
  out.append(reinterpret_cast<const char*>(&length), sizeof length);
  out.append(reinterpret_cast<const char*>(&type), sizeof type);
  return out;
}

TEST(IpcMessage, AFrameIsTheMagicTheLengthTheTypeAndThePayload) {
  EXPECT_EQ(ipcFrame(IpcType::kRunCommand, "[pid=7] focus"), header(13, 0) + "[pid=7] focus");
  EXPECT_EQ(ipcFrame(IpcType::kGetTree, ""), header(0, 4));
}

TEST(IpcMessage, AReplyIsReadInAnyPiecesAndWhatFollowsItIsLeft) {
  const std::string bytes = header(5, 4) + "[1,2]" + "next";
  IpcReader reader;
  std::size_t at = 0;
  // One byte at a time, as a slow socket may give them.
  while (reader.state() == IpcReader::State::kIncomplete && at < bytes.size()) {
    at += reader.feed(std::string_view(bytes).substr(at, 1));
  }
  ASSERT_EQ(reader.state(), IpcReader::State::kComplete);
  EXPECT_EQ(reader.message().type, 4u);
  EXPECT_EQ(reader.message().payload, "[1,2]");
  EXPECT_EQ(bytes.substr(at), "next");
  // A complete reader takes nothing more.
  EXPECT_EQ(reader.feed("more"), 0u);

  IpcReader whole;
  EXPECT_EQ(whole.feed(bytes), bytes.size() - 4);
  EXPECT_EQ(whole.message().payload, "[1,2]");
}

TEST(IpcMessage, AWrongMagicOrAnOversizedClaimIsMalformed) {
  IpcReader wrong;
  wrong.feed(header(2, 0, "i4-ipc") + "[]");
  EXPECT_EQ(wrong.state(), IpcReader::State::kMalformed);

  // 4 GiB claimed: refused on the header, before anything is held.
  IpcReader huge;
  huge.feed(header(0xffffffffu, 4));
  EXPECT_EQ(huge.state(), IpcReader::State::kMalformed);
  IpcReader justOver;
  justOver.feed(header(kIpcPayloadLimit + 1, 4));
  EXPECT_EQ(justOver.state(), IpcReader::State::kMalformed);
  IpcReader atTheLimit;
  atTheLimit.feed(header(kIpcPayloadLimit, 4));
  EXPECT_EQ(atTheLimit.state(), IpcReader::State::kIncomplete);
}

TEST(IpcMessage, CommandRepliesSucceedOnlyWhenEveryCommandDid) {
  EXPECT_TRUE(commandsSucceeded(R"([{"success":true}])"));
  EXPECT_TRUE(commandsSucceeded(R"([{"success":true},{"success":true}])"));
  EXPECT_FALSE(commandsSucceeded(R"([{"success":true},{"success":false,"error":"No matching node"}])"));
  EXPECT_FALSE(commandsSucceeded(R"([{"success":false,"parse_error":true}])"));
  EXPECT_FALSE(commandsSucceeded("[]"));
  EXPECT_FALSE(commandsSucceeded(R"({"success":true})"));
  EXPECT_FALSE(commandsSucceeded(R"([{"success":1}])"));
  EXPECT_FALSE(commandsSucceeded("[{"));
  EXPECT_FALSE(commandsSucceeded(""));
}

// The compositor's end of a connection: what it is to answer is written
// before the question (the socket holds it), and what it was asked is read
// after.
struct FakeCompositor {
  int peer = -1;
  int connections = 0;
  std::vector<int> ours;

  SwayIpc::Connector connector() {
    return [this]() -> OwnedFd {
      int fds[2];
      if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, fds) != 0) return {};
      if (peer >= 0) ::close(peer);
      peer = fds[1];
      ++connections;
      answers();
      return OwnedFd(fds[0]);
    };
  }
  std::function<void()> answers = [] {};
  void send(const std::string& bytes) const { ASSERT_EQ(::write(peer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
  std::string asked() const {
    char buffer[4096];
    const ssize_t n = ::recv(peer, buffer, sizeof buffer, MSG_DONTWAIT);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
  }
  ~FakeCompositor() {
    if (peer >= 0) ::close(peer);
  }
};

TEST(SwayIpc, AQuestionGetsTheAnswerOfItsTypeOverOneConnection) {
  FakeCompositor compositor;
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kRunCommand, R"([{"success":true}])")); };
  SwayIpc ipc(compositor.connector());
  const std::optional<IpcMessage> reply = ipc.ask(IpcType::kRunCommand, "[pid=9] focus");
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->payload, R"([{"success":true}])");
  EXPECT_EQ(compositor.asked(), ipcFrame(IpcType::kRunCommand, "[pid=9] focus"));

  compositor.send(ipcFrame(IpcType::kRunCommand, "[]"));
  EXPECT_TRUE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  EXPECT_EQ(compositor.connections, 1);
}

TEST(SwayIpc, AWrongOrMissingAnswerGivesTheConnectionUp) {
  FakeCompositor compositor;
  SwayIpc ipc(compositor.connector());
  // An answer of another type is no answer to this question.
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kGetTree, "{}")); };
  EXPECT_FALSE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  // A compositor that closes its end gives no answer, at once.
  compositor.answers = [&] { ::shutdown(compositor.peer, SHUT_WR); };
  EXPECT_FALSE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  EXPECT_EQ(compositor.connections, 2);
  // Garbage instead of a frame.
  compositor.answers = [&] { compositor.send("not a frame at all"); };
  EXPECT_FALSE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  // Bytes beyond the answer: it is taken, the connection isn't kept.
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kRunCommand, "[]") + "extra"); };
  EXPECT_TRUE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kRunCommand, "[]")); };
  EXPECT_TRUE(ipc.ask(IpcType::kRunCommand, "nop").has_value());
  EXPECT_EQ(compositor.connections, 5);
}

TEST(SwayIpc, NoSocketAsksNothing) {
  SwayIpc none(SwayIpc::unixSocket(""));
  EXPECT_FALSE(none.ask(IpcType::kRunCommand, "nop").has_value());
  SwayIpc gone(SwayIpc::unixSocket("/nonexistent/sway-ipc.sock"));
  EXPECT_FALSE(gone.ask(IpcType::kRunCommand, "nop").has_value());
  SwayIpc tooLong(SwayIpc::unixSocket(std::string(200, 'x')));
  EXPECT_FALSE(tooLong.ask(IpcType::kRunCommand, "nop").has_value());
}

TEST(SwayWindowActivation, TheCompositorIsAskedToFocusTheProcesssWindow) {
  FakeCompositor compositor;
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kRunCommand, R"([{"success":true}])")); };
  SwayWindowActivation activation{SwayIpc(compositor.connector())};
  EXPECT_TRUE(activation.activate(4242, {}));
  EXPECT_EQ(compositor.asked(), ipcFrame(IpcType::kRunCommand, "[pid=4242] focus"));

  compositor.send(ipcFrame(IpcType::kRunCommand, R"([{"success":false,"error":"No matching node."}])"));
  EXPECT_FALSE(activation.activate(4243, {}));
  // No process, no question.
  EXPECT_FALSE(activation.activate(0, {}));
  EXPECT_FALSE(activation.activate(-1, {}));
  EXPECT_EQ(compositor.asked(), ipcFrame(IpcType::kRunCommand, "[pid=4243] focus"));
}

struct CountingActivation final : WindowActivation {
  CountingActivation(bool answer, int& counter) : result(answer), calls(counter) {}
  bool activate(platform::Pid, const FrameTitles&) override {
    ++calls;
    return result;
  }
  bool result;
  int& calls;
};

TEST(WindowActivationChain, TheFirstWayThatActivatesEndsTheChain) {
  int x11 = 0;
  int compositor = 0;
  std::vector<std::unique_ptr<WindowActivation>> ways;
  ways.push_back(std::make_unique<CountingActivation>(true, x11));
  ways.push_back(std::make_unique<CountingActivation>(true, compositor));
  WindowActivationChain chain(std::move(ways));
  EXPECT_TRUE(chain.activate(1, {}));
  EXPECT_EQ(x11, 1);
  EXPECT_EQ(compositor, 0);

  int none = 0;
  std::vector<std::unique_ptr<WindowActivation>> failing;
  failing.push_back(std::make_unique<CountingActivation>(false, none));
  failing.push_back(std::make_unique<CountingActivation>(false, none));
  EXPECT_FALSE(WindowActivationChain(std::move(failing)).activate(1, {}));
  EXPECT_EQ(none, 2);
}

// A tree as sway gives it, cut to what is read: a workspace holding an
// XWayland window and a native one, a floating native window without an
// app_id, and a container with no process.
constexpr std::string_view kTree = R"({"id":1,"type":"root","nodes":[
  {"id":2,"type":"output","nodes":[
    {"id":3,"type":"workspace","nodes":[
      {"id":4,"type":"con","pid":100,"shell":"xwayland","window":2097153,"app_id":null,"focused":false,"nodes":[]},
      {"id":5,"type":"con","nodes":[
        {"id":6,"type":"con","pid":200,"shell":"xdg_shell","window":null,"app_id":"org.gnome.TextEditor","focused":true,"nodes":[]}
      ]}
    ],"floating_nodes":[
      {"id":7,"type":"floating_con","pid":300,"shell":"xdg_shell","app_id":null,"nodes":[]},
      {"id":8,"type":"floating_con","pid":200,"shell":"xdg_shell","app_id":"second","nodes":[]}
    ]}
  ]}
]})";

TEST(SwayTree, EveryWindowOfTheTreeWithItsProcessAndItsShell) {
  const std::vector<SwayWindow> windows = swayWindows(kTree);
  ASSERT_EQ(windows.size(), 4u);
  EXPECT_EQ(windows[0].pid, 100);
  EXPECT_TRUE(windows[0].x11);
  EXPECT_EQ(windows[1].pid, 200);
  EXPECT_FALSE(windows[1].x11);
  EXPECT_EQ(windows[1].appId, "org.gnome.TextEditor");
  EXPECT_TRUE(windows[1].focused);
  EXPECT_EQ(windows[2].pid, 300);
  EXPECT_EQ(windows[2].appId, "");
  EXPECT_EQ(windows[3].appId, "second");
  // Without the shell member (i3-compatible compositors), the X window's
  // number tells.
  const std::vector<SwayWindow> i3 = swayWindows(
      R"({"nodes":[{"pid":5,"window":77,"app_id":"x"},{"pid":6,"window":null,"app_id":"y"}]})");
  ASSERT_EQ(i3.size(), 2u);
  EXPECT_TRUE(i3[0].x11);
  EXPECT_EQ(i3[0].appId, "");  // an X window's app_id is not its name
  EXPECT_FALSE(i3[1].x11);
  EXPECT_EQ(i3[1].appId, "y");
}

TEST(SwayTree, WhatIsNotATreeHasNoWindows) {
  for (std::string_view bad : {"", "[", "[]", "null", R"({"nodes":{"pid":1}})", R"({"nodes":[1,"x",null]})",
                               R"({"pid":-4})", R"({"pid":1e3})", R"({"pid":99999999999})"}) {
    EXPECT_TRUE(swayWindows(bad).empty()) << bad;
  }
}

TEST(SwayWindowPlaces, ANativeWindowsApplicationIdComesFromTheTree) {
  FakeCompositor compositor;
  compositor.answers = [&] { compositor.send(ipcFrame(IpcType::kGetTree, std::string(kTree))); };
  SwayWindowPlaces places{SwayIpc(compositor.connector())};
  EXPECT_EQ(places.applicationIdOf(200), "org.gnome.TextEditor");
  EXPECT_EQ(compositor.asked(), ipcFrame(IpcType::kGetTree, ""));
  compositor.send(ipcFrame(IpcType::kGetTree, std::string(kTree)));
  EXPECT_EQ(places.applicationIdOf(300), "");  // native windows, none named
  compositor.send(ipcFrame(IpcType::kGetTree, std::string(kTree)));
  EXPECT_EQ(places.applicationIdOf(100), std::nullopt);  // the X server's to tell
  compositor.send(ipcFrame(IpcType::kGetTree, std::string(kTree)));
  EXPECT_EQ(places.applicationIdOf(400), std::nullopt);
  EXPECT_EQ(places.applicationIdOf(0), std::nullopt);  // asks nothing
  EXPECT_TRUE(places.shownWindowsOf(200).empty());
}

// Where windows are: the container's rect on the screen, the window's
// within it. Process 200 shows two windows, process 400 two of one title;
// process 500 an XWayland one.
constexpr std::string_view kPlacedTree = R"({"nodes":[{"type":"workspace","nodes":[
  {"pid":200,"shell":"xdg_shell","name":"Draft","focused":false,
   "rect":{"x":320,"y":27,"width":320,"height":997},"window_rect":{"x":2,"y":0,"width":316,"height":995}},
  {"pid":200,"shell":"xdg_shell","name":"Notes","focused":false,
   "rect":{"x":640,"y":27,"width":320,"height":997},"window_rect":{"x":2,"y":0,"width":316,"height":995}},
  {"pid":300,"shell":"xdg_shell","name":"Only",
   "rect":{"x":10.5,"y":20,"width":100,"height":100},"window_rect":{"x":1,"y":2,"width":98,"height":96}},
  {"pid":400,"shell":"xdg_shell","name":"Same","focused":false,
   "rect":{"x":0,"y":0,"width":10,"height":10},"window_rect":{"x":0,"y":0,"width":10,"height":10}},
  {"pid":400,"shell":"xdg_shell","name":"Same","focused":true,
   "rect":{"x":50,"y":60,"width":10,"height":10},"window_rect":{"x":0,"y":0,"width":10,"height":10}},
  {"pid":500,"shell":"xwayland","window":9,"name":"X",
   "rect":{"x":0,"y":0,"width":10,"height":10},"window_rect":{"x":0,"y":0,"width":10,"height":10}},
  {"pid":600,"shell":"xdg_shell","name":"Unplaced","rect":{"x":0,"y":0},"window_rect":{"x":0,"y":0,"width":0,"height":0}}
]}]})";

TEST(SwayTree, AWindowsContentIsItsContainersPlacePlusItsOwnWithin) {
  const std::vector<SwayWindow> windows = swayWindows(kPlacedTree);
  ASSERT_EQ(windows.size(), 7u);
  EXPECT_EQ(windows[0].title, "Draft");
  EXPECT_EQ(windows[0].content, (platform::Rect{{322, 27}, {316, 995}}));
  EXPECT_EQ(windows[2].content, (platform::Rect{{11.5, 22}, {98, 96}}));
  EXPECT_EQ(windows[6].content, platform::Rect{});  // no size: no place
}

TEST(SwayWindowPlaces, ANativeWindowsScreenCoordinatesStartAtItsContent) {
  FakeCompositor compositor;
  const std::string tree = ipcFrame(IpcType::kGetTree, std::string(kPlacedTree));
  compositor.answers = [&] { compositor.send(tree); };
  SwayWindowPlaces places{SwayIpc(compositor.connector())};
  EXPECT_TRUE(places.placesRelativeWindows());
  int windowsAsked = 0;
  const auto titled = [&](std::string title, platform::Size size = {}) {
    return [&windowsAsked, title, size] {
      ++windowsAsked;
      return ToolkitWindow{title, size};
    };
  };
  const auto origin = [&](platform::Pid pid, std::string title, platform::Size size = {}) {
    if (compositor.peer >= 0) compositor.send(tree);
    return places.relativeOriginOf(pid, titled(std::move(title), size));
  };
  // One window: whatever its title.
  EXPECT_EQ(origin(300, "whatever"), (platform::Point{11.5, 22}));
  // A surface 10 pixels larger on every side than the content (room for
  // a shadow) starts 10 pixels before it.
  EXPECT_EQ(origin(300, "", {118, 116}), (platform::Point{1.5, 12}));
  // Of two, the one of the title.
  EXPECT_EQ(origin(200, "Notes"), (platform::Point{642, 27}));
  EXPECT_EQ(origin(200, "Draft"), (platform::Point{322, 27}));
  EXPECT_EQ(windowsAsked, 4);
  // Neither titled so, and neither focused: not known.
  EXPECT_EQ(origin(200, "Other"), std::nullopt);
  // Two of the title: the focused one.
  EXPECT_EQ(origin(400, "Same"), (platform::Point{50, 60}));
  // An XWayland window's toolkit knows its place; a window without one
  // and a process without windows have none.
  EXPECT_EQ(origin(500, "X"), std::nullopt);
  EXPECT_EQ(origin(600, "Unplaced"), std::nullopt);
  EXPECT_EQ(origin(700, ""), std::nullopt);
  EXPECT_EQ(windowsAsked, 6);  // not for those without native windows
  // An answer that isn't one: not known.
  compositor.send(header(2, 4, "i4-ipc") + "[]");
  EXPECT_EQ(places.relativeOriginOf(300, titled("")), std::nullopt);
}

// The hot key's caret reads two or three rectangles in one handling: the
// tree is asked for once in it, and again once the readings no longer
// hold or the handling is over.
TEST(SwayWindowPlaces, TheTreeIsAskedForOncePerHandling) {
  FakeCompositor compositor;
  const std::string tree = ipcFrame(IpcType::kGetTree, std::string(kPlacedTree));
  const std::string question = ipcFrame(IpcType::kGetTree, "");
  compositor.answers = [&] { compositor.send(tree); };
  HandlingCache readings;
  SwayWindowPlaces places{SwayIpc(compositor.connector()), &readings};
  const auto only = [] { return ToolkitWindow{}; };
  {
    const HandlingScope handling(readings);
    EXPECT_EQ(places.relativeOriginOf(300, only), (platform::Point{11.5, 22}));
    EXPECT_EQ(places.relativeOriginOf(300, only), (platform::Point{11.5, 22}));
    EXPECT_EQ(places.applicationIdOf(300), "");
    EXPECT_EQ(compositor.asked(), question);
    // The library acted: what it read may no longer hold.
    readings.forget();
    compositor.send(tree);
    EXPECT_EQ(places.relativeOriginOf(300, only), (platform::Point{11.5, 22}));
    EXPECT_EQ(compositor.asked(), question);
  }
  // Outside a handling, nothing is kept.
  for (int i = 0; i < 2; ++i) {
    compositor.send(tree);
    EXPECT_EQ(places.relativeOriginOf(300, only), (platform::Point{11.5, 22}));
    EXPECT_EQ(compositor.asked(), question);
  }
  // A tree that didn't come isn't kept as an empty one.
  const HandlingScope handling(readings);
  compositor.send(header(2, 4, "i4-ipc") + "[]");
  EXPECT_EQ(places.relativeOriginOf(300, only), std::nullopt);
  // The connection was given up; the next one is answered.
  EXPECT_EQ(places.relativeOriginOf(300, only), (platform::Point{11.5, 22}));
  EXPECT_EQ(compositor.connections, 2);
}

struct FixedPlaces final : WindowPlaces {
  FixedPlaces(std::optional<std::string> answer, int& counter) : id(std::move(answer)), calls(counter) {}
  std::optional<std::string> applicationIdOf(platform::Pid) override {
    ++calls;
    return id;
  }
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }
  std::optional<std::string> id;
  int& calls;
};

TEST(WindowPlacesChain, TheFirstWayThatKnowsTheProcessAnswers) {
  int x11 = 0;
  int compositor = 0;
  std::vector<std::unique_ptr<WindowPlaces>> ways;
  ways.push_back(std::make_unique<FixedPlaces>(std::string(), x11));  // windows, none named
  ways.push_back(std::make_unique<FixedPlaces>("org.example.Native", compositor));
  WindowPlacesChain chain(std::move(ways));
  EXPECT_EQ(chain.applicationIdOf(1), "");
  EXPECT_EQ(compositor, 0);

  std::vector<std::unique_ptr<WindowPlaces>> native;
  native.push_back(std::make_unique<FixedPlaces>(std::nullopt, x11));
  native.push_back(std::make_unique<FixedPlaces>("org.example.Native", compositor));
  WindowPlacesChain second(std::move(native));
  EXPECT_EQ(second.applicationIdOf(1), "org.example.Native");
  EXPECT_EQ(compositor, 1);
  // Where no way places windows relative to the screen, nothing is asked.
  EXPECT_FALSE(second.placesRelativeWindows());
}

// Under a compositor that tells nobody where a window is, a native
// window's range extents, which its toolkit gives relative to the window
// (GTK 4), stay so: the host gets the selection with them, not an error.
TEST(WindowPlacesChain, AWindowNoWayPlacesIsLeftRelativeToItself) {
  int x11 = 0;
  std::vector<std::unique_ptr<WindowPlaces>> ways;
  ways.push_back(std::make_unique<FixedPlaces>(std::nullopt, x11));
  ways.push_back(std::make_unique<UnplacedNativeWindows>());
  WindowPlacesChain chain(std::move(ways));
  int windowsAsked = 0;
  const auto window = [&] {
    ++windowsAsked;
    return ToolkitWindow{};
  };
  EXPECT_EQ(chain.relativeOriginOf(42, window), (platform::Point{0, 0}));
  EXPECT_EQ(chain.relativeOriginOf(0, window), std::nullopt);
  EXPECT_EQ(windowsAsked, 0);
  // GTK 3's and Qt's extents aren't touched for it.
  EXPECT_FALSE(chain.placesRelativeWindows());
  EXPECT_EQ(chain.applicationIdOf(42), std::nullopt);
}

}  // namespace
}  // namespace axt::lindesk
