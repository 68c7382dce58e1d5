#include "clipboard/clipboard_owner.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <optional>

#include "glue/monotonic_clock.h"
#include "x11/error_traps.h"
#include "x11/window_property.h"

namespace axt::lindesk {

namespace {

// A requestor that stops taking the pieces of a transfer for this long has
// given up.
constexpr double kTransferIdleLimit = 5.0;
constexpr std::size_t kLargestChunk = 256 * 1024;

std::size_t chunkSize(Display* d) {
  long units = XExtendedMaxRequestSize(d);
  if (units == 0) units = XMaxRequestSize(d);
  // Units of four bytes; half of it leaves room for the request itself.
  const auto bytes = static_cast<std::size_t>(units) * 4 / 2;
  return std::clamp<std::size_t>(bytes, 4096, kLargestChunk);
}

void writeBytes(Display* d, ::Window w, Atom property, Atom type, const char* bytes, std::size_t size) {
  XChangeProperty(d, w, property, type, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(bytes),
                  static_cast<int>(size));
}

void writeLongs(Display* d, ::Window w, Atom property, Atom type, const std::vector<long>& values) {
  XChangeProperty(d, w, property, type, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(values.data()), static_cast<int>(values.size()));
}

}  // namespace

ClipboardOwner::ClipboardOwner(ClipboardConnection& connection)
    : c_(connection), clipboard_(connection.atom("CLIPBOARD")), chunk_(chunkSize(connection.display())) {}

bool ClipboardOwner::own(std::vector<ServedTarget> targets) {
  Display* d = c_.display();
  const Time now = c_.serverTime();
  retireOffer(now);
  targets_ = std::move(targets);
  XSetSelectionOwner(d, clipboard_, c_.window(), now);
  owns_ = XGetSelectionOwner(d, clipboard_) == c_.window();
  if (owns_) {
    ownedAt_ = now;
  } else {
    // Whoever has it now gets the requests, old ones included.
    earlier_.forget();
  }
  return owns_;
}

Time ClipboardOwner::disown() {
  Display* d = c_.display();
  const Time now = c_.serverTime();
  retireOffer(now);
  XSetSelectionOwner(d, clipboard_, None, now);
  XFlush(d);
  owns_ = false;
  targets_.clear();
  return now;
}

void ClipboardOwner::offerNothing() {
  retireOffer(CurrentTime);
  targets_.clear();
}

void ClipboardOwner::retireOffer(Time until) {
  if (owns_ && !targets_.empty()) {
    earlier_.retire(std::move(targets_), ownedAt_, until, monotonicSeconds());
    targets_.clear();
  } else if (until != CurrentTime) {
    earlier_.closeAt(until);
  }
}

void ClipboardOwner::offerAlso(std::vector<ServedTarget> targets) {
  if (!owns_) return;
  for (ServedTarget& t : targets) {
    if (find(targets_, t.target) == nullptr) targets_.push_back(std::move(t));
  }
}

const ServedTarget* ClipboardOwner::find(const std::vector<ServedTarget>& offer, const std::string& target) {
  for (const ServedTarget& t : offer) {
    if (t.target == target) return &t;
  }
  return nullptr;
}

void ClipboardOwner::handle(const XEvent& event) {
  // A transfer abandoned half-way would hold on to its data, perhaps content
  // long replaced: it goes at the first event after its time is up.
  if (!transfers_.empty()) dropStaleTransfers();
  if (earlier_.holds()) earlier_.expire(monotonicSeconds());
  switch (event.type) {
    case SelectionRequest:
      if (event.xselectionrequest.owner == c_.window()) answer(event.xselectionrequest);
      break;
    case SelectionClear:
      // A clear from before our latest ownership is stale.
      if (event.xselectionclear.window == c_.window() && event.xselectionclear.selection == clipboard_ &&
          (ownedAt_ == CurrentTime || event.xselectionclear.time == CurrentTime ||
           event.xselectionclear.time >= ownedAt_)) {
        owns_ = false;
        targets_.clear();
        earlier_.forget();
      }
      break;
    case PropertyNotify:
      if (event.xproperty.state == PropertyDelete) continueTransfer(event.xproperty);
      break;
    default:
      break;
  }
}

void ClipboardOwner::answer(const XSelectionRequestEvent& request) {
  dropStaleTransfers();
  Display* d = c_.display();
  // A client from before properties were named in requests: the target
  // names the property.
  const Atom property = request.property == None ? request.target : request.property;
  bool done = false;
  XErrorTrap trap(c_.traps(), d);
  const bool inTime = request.time == CurrentTime || ownedAt_ == CurrentTime || request.time >= ownedAt_;
  // A request timed within what we offered before gets that, owned or
  // not by now: it is the content the client asked for.
  const std::vector<ServedTarget>* earlier =
      request.time == CurrentTime ? nullptr : earlier_.servedAt(request.time, monotonicSeconds());
  if (request.selection == clipboard_ && (earlier != nullptr || (owns_ && inTime))) {
    const std::vector<ServedTarget>& offer = earlier != nullptr ? *earlier : targets_;
    const Time since = earlier != nullptr ? earlier_.from() : ownedAt_;
    done = request.target == c_.atom("MULTIPLE") ? convertMultiple(offer, since, request.requestor, property)
                                                  : convert(offer, since, request.requestor, request.target, property);
  }
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = d;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.property = done ? property : None;
  reply.xselection.time = request.time;
  XSendEvent(d, request.requestor, False, NoEventMask, &reply);
  // A requestor that vanished meanwhile costs nothing but the error.
  (void)trap.failed();
}

bool ClipboardOwner::convert(const std::vector<ServedTarget>& offer, Time since, ::Window requestor, Atom target,
                             Atom property) {
  Display* d = c_.display();
  if (target == c_.atom("TARGETS")) {
    std::vector<long> atoms = {static_cast<long>(c_.atom("TARGETS")), static_cast<long>(c_.atom("TIMESTAMP")),
                               static_cast<long>(c_.atom("MULTIPLE"))};
    for (const ServedTarget& t : offer) atoms.push_back(static_cast<long>(c_.atom(t.target)));
    writeLongs(d, requestor, property, XA_ATOM, atoms);
    return true;
  }
  if (target == c_.atom("TIMESTAMP")) {
    writeLongs(d, requestor, property, XA_INTEGER, {static_cast<long>(since)});
    return true;
  }
  const ServedTarget* t = find(offer, c_.atomName(target));
  if (t == nullptr) return false;
  const Atom type = c_.atom(t->propertyType);
  if (t->data->size() > chunk_) {
    startTransfer(requestor, property, type, t->data);
  } else {
    writeBytes(d, requestor, property, type, t->data->data(), t->data->size());
  }
  return true;
}

bool ClipboardOwner::convertMultiple(const std::vector<ServedTarget>& offer, Time since, ::Window requestor,
                                     Atom property) {
  Display* d = c_.display();
  std::optional<WindowProperty> pairs = getWindowProperty(d, requestor, property, 0, 0x10000);
  if (!pairs || pairs->format != 32 || pairs->longs.size() % 2 != 0) return false;
  std::vector<long> answered = std::move(pairs->longs);
  for (std::size_t i = 0; i + 1 < answered.size(); i += 2) {
    const auto target = static_cast<Atom>(answered[i]);
    const auto into = static_cast<Atom>(answered[i + 1]);
    // A target that can't be converted is answered as None in its pair.
    if (target == c_.atom("MULTIPLE") || into == None || !convert(offer, since, requestor, target, into)) {
      answered[i] = None;
    }
  }
  writeLongs(d, requestor, property, c_.atom("ATOM_PAIR"), answered);
  return true;
}

void ClipboardOwner::startTransfer(::Window requestor, Atom property, Atom type, SharedBytes data) {
  Display* d = c_.display();
  // Its deletions of the property are what move the transfer on.
  XSelectInput(d, requestor, PropertyChangeMask);
  writeLongs(d, requestor, property, c_.atom("INCR"), {static_cast<long>(data->size())});
  transfers_.erase(std::remove_if(transfers_.begin(), transfers_.end(),
                                  [&](const Transfer& t) { return t.requestor == requestor && t.property == property; }),
                   transfers_.end());
  transfers_.push_back(Transfer{requestor, property, type, std::move(data), 0, monotonicSeconds()});
}

void ClipboardOwner::continueTransfer(const XPropertyEvent& event) {
  auto it = std::find_if(transfers_.begin(), transfers_.end(), [&](const Transfer& t) {
    return t.requestor == event.window && t.property == event.atom;
  });
  if (it == transfers_.end()) return;
  Display* d = c_.display();
  XErrorTrap trap(c_.traps(), d);
  // Each deletion asks for the next piece; an empty piece ends the transfer.
  // Each piece is written straight from the shared data.
  const std::size_t n = std::min(chunk_, it->data->size() - it->offset);
  writeBytes(d, it->requestor, it->property, it->type, it->data->data() + it->offset, n);
  it->offset += n;
  it->lastProgress = monotonicSeconds();
  const bool finished = n == 0;
  const ::Window requestor = it->requestor;
  if (finished) transfers_.erase(it);
  const bool more = std::any_of(transfers_.begin(), transfers_.end(),
                                [&](const Transfer& t) { return t.requestor == requestor; });
  if (finished && !more) XSelectInput(d, requestor, NoEventMask);
  if (trap.failed()) {
    // The requestor is gone: so is whatever it was still to receive.
    transfers_.erase(std::remove_if(transfers_.begin(), transfers_.end(),
                                    [&](const Transfer& t) { return t.requestor == requestor; }),
                     transfers_.end());
  }
}

void ClipboardOwner::dropStaleTransfers() {
  const double now = monotonicSeconds();
  transfers_.erase(std::remove_if(transfers_.begin(), transfers_.end(),
                                  [&](const Transfer& t) { return now - t.lastProgress > kTransferIdleLimit; }),
                   transfers_.end());
}

}  // namespace axt::lindesk
