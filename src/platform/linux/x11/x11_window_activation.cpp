#include "x11/x11_window_activation.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

constexpr long kSourcePager = 2;  // a request honoured as the user's own
constexpr long kIconicState = 3;

struct Candidate {
  ::Window client = 0;  // the application's own window
  ::Window frame = 0;   // the child of the root that holds it
  bool viewable = false;
  bool iconic = false;
};

// A window manager runs when the root names a check window that names
// itself (a stale name outlives a manager that quit); it takes activation
// requests when it says it supports them.
bool windowManagerActivates(X11Display& x11, Display* d) {
  const ::Window root = DefaultRootWindow(d);
  const std::vector<long> check = x11.properties().longs(root, "_NET_SUPPORTING_WM_CHECK", 1);
  if (check.empty() || check[0] == 0) return false;
  const auto w = static_cast<::Window>(check[0]);
  const std::vector<long> self = x11.properties().longs(w, "_NET_SUPPORTING_WM_CHECK", 1);
  if (self.empty() || static_cast<::Window>(self[0]) != w) return false;
  const Atom active = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  for (long a : x11.properties().longs(root, "_NET_SUPPORTED", 4096)) {
    if (static_cast<Atom>(a) == active) return true;
  }
  return false;
}

std::optional<std::string> titleOf(X11Display& x11, ::Window w) {
  if (auto t = x11.properties().text(w, "_NET_WM_NAME"); t && !t->empty()) return t;
  if (auto t = x11.properties().text(w, "WM_NAME"); t && !t->empty()) return t;
  return std::nullopt;
}

// The process's top-level windows, bottom to top, whether or not a window
// manager has framed them; by the process they say they belong to, else
// by the titles of its frames.
std::vector<Candidate> candidatesOf(X11Display& x11, platform::Pid pid,
                                    const WindowActivation::FrameTitles& frameTitles) {
  std::vector<Candidate> byPid;
  std::vector<Candidate> unnamed;  // shown, but no process given
  // Each window says whether it is an application's top-level window (no
  // need to look inside it).
  x11.topLevels().forEach([&](::Window client, ::Window frame) -> bool {
    const std::optional<platform::Pid> owner = x11.topLevels().pidOf(client);
    const std::vector<long> state = x11.properties().longs(client, "WM_STATE", 1);
    const bool isClient = owner.has_value() || !state.empty();
    const std::optional<XWindowAttributes> attributes = x11.geometry().attributes(client);
    // A tooltip or a menu is the toolkit's own popup, above the windows
    // while it shows: no window manager activates it, and asking for it
    // would leave the application in the background.
    if (attributes && attributes->override_redirect) return isClient;
    // Only windows meant to be seen: mapped ones, and those the window
    // manager keeps minimised; toolkits keep unmapped helper windows.
    const Candidate c{client, frame, attributes && attributes->map_state == IsViewable,
                      !state.empty() && state[0] == kIconicState};
    if (!c.viewable && !c.iconic) return isClient;
    if (owner) {
      if (*owner == pid) byPid.push_back(c);
      return true;
    }
    unnamed.push_back(c);
    return isClient;
  });
  if (!byPid.empty() || unnamed.empty()) return byPid;
  const std::set<std::string> titles = frameTitles();
  std::vector<Candidate> byTitle;
  for (const Candidate& c : unnamed) {
    if (std::optional<std::string> title = titleOf(x11, c.client); title && titles.count(*title) > 0) {
      byTitle.push_back(c);
    }
  }
  return byTitle;
}

void requestActivation(Display* d, ::Window w) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = w;
  event.xclient.message_type = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = kSourcePager;
  event.xclient.data.l[1] = CurrentTime;
  event.xclient.data.l[2] = 0;  // no window of ours is active
  XSendEvent(d, DefaultRootWindow(d), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

}  // namespace

bool X11WindowActivation::activate(platform::Pid pid, const FrameTitles& frameTitles) {
  Display* d = x11_.display();
  if (d == nullptr) return false;
  const std::vector<Candidate> candidates = candidatesOf(x11_, pid, frameTitles);
  // The topmost window shown, else (a minimised application) the topmost.
  const Candidate* chosen = nullptr;
  for (const Candidate& c : candidates) {
    if (c.viewable) chosen = &c;
  }
  const bool managed = windowManagerActivates(x11_, d);
  if (chosen == nullptr && managed && !candidates.empty()) chosen = &candidates.back();
  if (chosen == nullptr) return false;
  if (managed) {
    requestActivation(d, chosen->client);
    XFlush(d);
    return true;
  }
  XErrorTrap trap(x11_.traps(), d);
  XRaiseWindow(d, chosen->frame);
  XSetInputFocus(d, chosen->client, RevertToParent, CurrentTime);
  return !trap.failed();
}

}  // namespace axt::lindesk
