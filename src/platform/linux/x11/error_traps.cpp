#include "x11/error_traps.h"

#include <algorithm>
#include <utility>

#include "glue/c_callback.h"

namespace axt::lindesk {

namespace {

// The traps Xlib's handlers work for. Xlib has one error handler and one
// I/O error handler per process, and calls them with nothing of ours, so
// the traps that install them are noted here: the backend's one global,
// there for that reason alone. There is one set of traps, the display's.
XErrorTraps* handlingTraps = nullptr;

// The process's X error handler while traps are open.
int onXError(Display* display, XErrorEvent* event) {
  return callFromC(0, [&] { return handlingTraps != nullptr ? handlingTraps->onError(display, event) : 0; });
}

// The process's X I/O error handler from when the backend opened its first
// connection: a broken connection of the backend's is noted, any other goes
// to the handler that was there before (Xlib's, or the host's toolkit's).
int onXIOError(Display* display) {
  if (handlingTraps == nullptr) return 0;
  XErrorTraps& traps = *handlingTraps;
  if (callFromC(false, [&] { return traps.onConnectionLost(display); })) return 0;
  const XErrorTraps::IOErrorHandler previous = traps.previousIOHandler();
  return previous != nullptr ? previous(display) : 0;
}

// What Xlib does after the I/O error handler for a connection of the
// backend's: nothing, where its default ends the process.
void keepProcess(Display* /*display*/, void* /*data*/) {}

}  // namespace

XErrorTrap::XErrorTrap(XErrorTraps& traps, Display* display)
    : traps_(traps), display_(display), first_(NextRequest(display)) {
  // Errors of earlier requests go where they went before: they carry
  // earlier serials.
  traps_.open(this);
}

XErrorTrap::~XErrorTrap() {
  // Errors still to come would find Xlib's handler, which ends the process.
  awaitReplies();
  traps_.close(this);
}

bool XErrorTrap::failed() {
  awaitReplies();
  return error_ != 0;
}

void XErrorTrap::awaitReplies() {
  const unsigned long last = NextRequest(display_) - 1;
  if (last < first_ || LastKnownRequestProcessed(display_) >= last) return;
  XSync(display_, False);
}

XErrorTraps::~XErrorTraps() {
  if (handlingTraps == this) handlingTraps = nullptr;
}

void XErrorTraps::open(XErrorTrap* trap) {
  handlingTraps = this;
  if (open_.empty()) previous_ = XSetErrorHandler(onXError);
  open_.push_back(trap);
}

void XErrorTraps::close(XErrorTrap* trap) {
  std::erase(open_, trap);
  if (open_.empty()) {
    XSetErrorHandler(previous_);
    previous_ = nullptr;
  }
}

int XErrorTraps::onError(Display* display, XErrorEvent* event) {
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
    if ((*it)->display_ == display && event->serial >= (*it)->first_) {
      (*it)->error_ = event->error_code;
      return 0;
    }
  }
  return previous_ != nullptr ? previous_(display, event) : 0;
}

void XErrorTraps::followConnection(Display* display, std::function<void()> lost) {
  if (!ioHandlerInstalled_) {
    ioHandlerInstalled_ = true;
    handlingTraps = this;
    previousIO_ = XSetIOErrorHandler(onXIOError);
  }
  followed_.emplace_back(display, std::move(lost));
  XSetIOErrorExitHandler(display, keepProcess, nullptr);
}

bool XErrorTraps::onConnectionLost(Display* display) {
  for (auto& [followed, lost] : followed_) {
    if (followed != display) continue;
    // Once: Xlib may report the same break again.
    if (lost) std::exchange(lost, nullptr)();
    return true;
  }
  return false;
}

}  // namespace axt::lindesk
