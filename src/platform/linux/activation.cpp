#include "activation.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <atspi/atspi.h>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "applications.h"
#include "gobject_ref.h"
#include "x11_display.h"

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

std::vector<long> longsProperty(Display* d, ::Window w, const char* name, long count) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  XErrorTrap trap(d);
  const int status = XGetWindowProperty(d, w, XInternAtom(d, name, False), 0, count, False, AnyPropertyType,
                                        &type, &format, &items, &after, &data);
  const bool bad = trap.failed();
  std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
  if (bad || status != Success || data == nullptr || format != 32) return {};
  const auto* values = reinterpret_cast<const long*>(data);
  return std::vector<long>(values, values + items);
}

std::vector<::Window> childrenOf(Display* d, ::Window w) {
  ::Window root = 0;
  ::Window parent = 0;
  ::Window* list = nullptr;
  unsigned int n = 0;
  XErrorTrap trap(d);
  const Status ok = XQueryTree(d, w, &root, &parent, &list, &n);
  std::unique_ptr<::Window, int (*)(void*)> owned(list, XFree);
  if (trap.failed() || ok == 0 || list == nullptr) return {};
  return std::vector<::Window>(list, list + n);  // bottom to top
}

bool isViewable(Display* d, ::Window w) {
  XWindowAttributes attributes;
  XErrorTrap trap(d);
  const Status ok = XGetWindowAttributes(d, w, &attributes);
  return !trap.failed() && ok != 0 && attributes.map_state == IsViewable;
}

// A window manager runs when the root names a check window that names
// itself (a stale name outlives a manager that quit); it takes activation
// requests when it says it supports them.
bool windowManagerActivates(Display* d) {
  const ::Window root = DefaultRootWindow(d);
  const std::vector<long> check = longsProperty(d, root, "_NET_SUPPORTING_WM_CHECK", 1);
  if (check.empty() || check[0] == 0) return false;
  const auto w = static_cast<::Window>(check[0]);
  const std::vector<long> self = longsProperty(d, w, "_NET_SUPPORTING_WM_CHECK", 1);
  if (self.empty() || static_cast<::Window>(self[0]) != w) return false;
  const Atom active = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
  for (long a : longsProperty(d, root, "_NET_SUPPORTED", 4096)) {
    if (static_cast<Atom>(a) == active) return true;
  }
  return false;
}

std::optional<std::string> titleOf(::Window w) {
  if (auto t = textProperty(w, "_NET_WM_NAME"); t && !t->empty()) return t;
  if (auto t = textProperty(w, "WM_NAME"); t && !t->empty()) return t;
  return std::nullopt;
}

// The titles of the application's frames on the accessibility bus, for the
// windows of a toolkit that doesn't say which process they belong to.
std::set<std::string> frameTitles(platform::Pid pid) {
  std::set<std::string> titles;
  GRef<AtspiAccessible> app = applicationOf(pid);
  if (!app) return titles;
  GErrorHolder error;
  const gint count = atspi_accessible_get_child_count(app.get(), error.out());
  for (gint i = 0; i < count; ++i) {
    GErrorHolder childError;
    GRef<AtspiAccessible> child =
        GRef<AtspiAccessible>::adopt(atspi_accessible_get_child_at_index(app.get(), i, childError.out()));
    if (!child) continue;
    GErrorHolder nameError;
    std::string name = takeString(atspi_accessible_get_name(child.get(), nameError.out()));
    if (!nameError && !name.empty()) titles.insert(std::move(name));
  }
  return titles;
}

// The process's top-level windows, bottom to top, whether or not a window
// manager has framed them; by the process they say they belong to, else
// by the titles of its frames.
std::vector<Candidate> candidatesOf(Display* d, platform::Pid pid) {
  std::vector<Candidate> byPid;
  std::vector<Candidate> unnamed;  // shown, but no process given
  // True when the window is an application's top-level window (no need to
  // look inside it).
  const auto consider = [&](::Window client, ::Window frame) -> bool {
    const std::optional<platform::Pid> owner = windowPid(client);
    const std::vector<long> state = longsProperty(d, client, "WM_STATE", 1);
    const bool isClient = owner.has_value() || !state.empty();
    // Only windows meant to be seen: mapped ones, and those the window
    // manager keeps minimised; toolkits keep unmapped helper windows.
    const Candidate c{client, frame, isViewable(d, client), !state.empty() && state[0] == kIconicState};
    if (!c.viewable && !c.iconic) return isClient;
    if (owner) {
      if (*owner == pid) byPid.push_back(c);
      return true;
    }
    unnamed.push_back(c);
    return isClient;
  };
  for (::Window top : childrenOf(d, DefaultRootWindow(d))) {
    if (consider(top, top)) continue;
    // A window manager's frame: the client is one level down.
    for (::Window inner : childrenOf(d, top)) {
      if (consider(inner, top)) break;
    }
  }
  if (!byPid.empty() || unnamed.empty()) return byPid;
  const std::set<std::string> titles = frameTitles(pid);
  std::vector<Candidate> byTitle;
  for (const Candidate& c : unnamed) {
    if (std::optional<std::string> title = titleOf(c.client); title && titles.count(*title) > 0) byTitle.push_back(c);
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

bool activateApplicationWindow(platform::Pid pid) {
  Display* d = xDisplay();
  if (d == nullptr) return false;
  const std::vector<Candidate> candidates = candidatesOf(d, pid);
  // The topmost window shown, else (a minimised application) the topmost.
  const Candidate* chosen = nullptr;
  for (const Candidate& c : candidates) {
    if (c.viewable) chosen = &c;
  }
  const bool managed = windowManagerActivates(d);
  if (chosen == nullptr && managed && !candidates.empty()) chosen = &candidates.back();
  if (chosen == nullptr) return false;
  if (managed) {
    requestActivation(d, chosen->client);
    XFlush(d);
    return true;
  }
  XErrorTrap trap(d);
  XRaiseWindow(d, chosen->frame);
  XSetInputFocus(d, chosen->client, RevertToParent, CurrentTime);
  return !trap.failed();
}

}  // namespace axt::lindesk
