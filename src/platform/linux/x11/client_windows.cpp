#include "x11/client_windows.h"

#include <optional>
#include <vector>

#include "glue/c_callback.h"
#include "x11/x11_display.h"

namespace axt::lindesk {

namespace {

// More windows than any desktop has on its screen.
constexpr long kMostClients = 65536;

}  // namespace

bool ClientWindows::refresh() {
  Display* d = x11_.display();
  if (d == nullptr) return false;
  catchUp();
  const ::Window root = DefaultRootWindow(d);
  if (known_.listStale()) {
    XErrorTrap trap(x11_.traps(), d);
    if (clientList_ == None) {
      clientList_ = XInternAtom(d, "_NET_CLIENT_LIST", False);
      applicationId_ = XInternAtom(d, "_GTK_APPLICATION_ID", False);
      // Its changes from now on, asked for before the first read.
      x11_.selectEvents(root, PropertyChangeMask);
    }
    const unsigned long serial = NextRequest(d);
    std::optional<WindowProperty> list = getWindowProperty(d, root, clientList_, 0, kMostClients);
    std::vector<ManagedWindows::WindowId> windows;
    if (!trap.failed() && list && list->format == 32) windows.assign(list->longs.begin(), list->longs.end());
    known_.listRead(windows, serial);
  }
  const std::vector<ManagedWindows::WindowId> unread = known_.unread();
  if (!unread.empty()) {
    const Atom pidAtom = XInternAtom(d, "_NET_WM_PID", False);
    // One trap for all: a window gone fails its own read, which has a reply.
    XErrorTrap trap(x11_.traps(), d);
    for (ManagedWindows::WindowId w : unread) {
      // Its destruction (an id given anew is then heard of) and its
      // properties' changes from now on, asked for before its process is
      // read.
      x11_.selectEvents(w, StructureNotifyMask | PropertyChangeMask);
      const unsigned long serial = NextRequest(d);
      std::optional<WindowProperty> pid = getWindowProperty(d, w, pidAtom, 0, 1);
      std::optional<platform::Pid> owner;
      if (pid && pid->format == 32 && !pid->longs.empty()) owner = static_cast<platform::Pid>(pid->longs[0]);
      known_.ownerRead(w, owner, serial);
    }
  }
  return known_.hasList();
}

void ClientWindows::catchUp() {
  Display* d = x11_.display();
  if (d == nullptr) return;
  XEvent unused;
  // Looks at every event queued and every one waiting on the socket,
  // takes none.
  (void)XCheckIfEvent(d, &unused, peek, reinterpret_cast<XPointer>(this));
}

Bool ClientWindows::peek(Display* /*display*/, XEvent* event, XPointer self) {
  // Called with the connection locked: notes the event, asks nothing.
  callFromC([&] { reinterpret_cast<ClientWindows*>(self)->note(*event); });
  return False;
}

void ClientWindows::note(const XEvent& event) {
  if (event.type == PropertyNotify && clientList_ != None) {
    const XPropertyEvent& p = event.xproperty;
    if (p.atom == clientList_ && p.window == DefaultRootWindow(p.display)) known_.listChanged(p.serial);
    if (p.atom == applicationId_) known_.applicationIdChanged(p.window, p.serial);
  } else if (event.type == DestroyNotify) {
    known_.windowDestroyed(event.xdestroywindow.window, event.xdestroywindow.serial);
  }
}

}  // namespace axt::lindesk
