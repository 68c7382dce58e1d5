#include "clipboard_reader.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <optional>
#include <string>

#include "clipboard_targets.h"
#include "x11_display.h"

namespace axt::lindesk {

namespace {

struct PropertyValue {
  Atom type = None;
  int format = 0;
  std::string bytes;        // format 8
  std::vector<long> longs;  // format 32
};

// Reads and deletes a property of our window, whatever its size.
std::optional<PropertyValue> takeProperty(Display* d, ::Window w, Atom property) {
  PropertyValue value;
  long offset = 0;  // in units of four bytes, as the request counts
  for (;;) {
    std::optional<WindowProperty> chunk = getWindowProperty(d, w, property, offset, 0x40000);
    if (!chunk) return std::nullopt;
    value.type = chunk->type;
    value.format = chunk->format;
    if (chunk->format == 8) {
      value.bytes += chunk->bytes;
      offset += static_cast<long>(chunk->items / 4);
    } else if (chunk->format == 32) {
      value.longs.insert(value.longs.end(), chunk->longs.begin(), chunk->longs.end());
      offset += static_cast<long>(chunk->items);
    } else {
      offset += static_cast<long>(chunk->items / 2);
    }
    if (chunk->bytesAfter == 0 || chunk->items == 0) break;
    // Format 8 reads end on a four-byte boundary except at the very end.
  }
  XDeleteProperty(d, w, property);
  return value;
}

class Reader {
 public:
  Reader(ClipboardConnection& c, ReadLimits limits)
      : c_(c),
        limits_(limits),
        clipboard_(c.atom("CLIPBOARD")),
        property_(c.atom("AXTRACK_SELECTION")),
        end_(monotonicSeconds() + limits.totalSeconds) {}

  // Whether a reply didn't come in time (rather than being a refusal).
  bool timedOut() const { return timedOut_; }

  std::optional<PropertyValue> convert(Atom target) {
    Display* d = c_.display();
    const ::Window w = c_.window();
    XDeleteProperty(d, w, property_);
    XConvertSelection(d, clipboard_, target, property_, w, CurrentTime);
    std::optional<XEvent> reply = c_.waitFor(
        [&](const XEvent& e) {
          return e.type == SelectionNotify && e.xselection.requestor == w && e.xselection.selection == clipboard_ &&
                 e.xselection.target == target;
        },
        deadline());
    if (!reply) {
      timedOut_ = true;
      return std::nullopt;
    }
    if (reply->xselection.property == None) return std::nullopt;
    std::optional<PropertyValue> value = takeProperty(d, w, reply->xselection.property);
    if (!value || value->type != c_.atom("INCR")) return value;
    return pieces();
  }

 private:
  double deadline() const { return std::min(end_, monotonicSeconds() + limits_.replySeconds); }

  // Deleting the INCR property asked for the first piece; each deletion
  // asks for the next, until an empty one.
  std::optional<PropertyValue> pieces() {
    Display* d = c_.display();
    const ::Window w = c_.window();
    PropertyValue whole;
    for (;;) {
      std::optional<XEvent> e = c_.waitFor(
          [&](const XEvent& ev) {
            return ev.type == PropertyNotify && ev.xproperty.window == w && ev.xproperty.atom == property_ &&
                   ev.xproperty.state == PropertyNewValue;
          },
          deadline());
      if (!e) return std::nullopt;
      std::optional<PropertyValue> piece = takeProperty(d, w, property_);
      if (!piece) return std::nullopt;
      whole.type = piece->type;
      whole.format = piece->format;
      if (piece->bytes.empty() && piece->longs.empty()) return whole;
      whole.bytes += piece->bytes;
      whole.longs.insert(whole.longs.end(), piece->longs.begin(), piece->longs.end());
    }
  }

  ClipboardConnection& c_;
  ReadLimits limits_;
  Atom clipboard_;
  Atom property_;
  double end_;
  bool timedOut_ = false;
};

}  // namespace

std::vector<platform::PasteboardItem> readClipboard(ClipboardConnection& connection, ReadLimits limits) {
  Display* d = connection.display();
  if (XGetSelectionOwner(d, connection.atom("CLIPBOARD")) == None) return {};
  Reader reader(connection, limits);
  std::vector<std::string> targets;
  if (std::optional<PropertyValue> list = reader.convert(connection.atom("TARGETS")); list && list->format == 32) {
    for (long a : list->longs) {
      std::string name = connection.atomName(static_cast<Atom>(a));
      if (name.empty() || isMetaTarget(name)) continue;
      if (std::find(targets.begin(), targets.end(), name) == targets.end()) targets.push_back(std::move(name));
    }
  } else if (!reader.timedOut()) {
    // An owner that can't list its targets may still hand over text; one
    // that doesn't answer at all isn't asked again.
    targets = {std::string(kUtf8StringTarget), std::string(kStringTarget)};
  }
  platform::PasteboardItem item;
  for (const std::string& target : targets) {
    std::optional<PropertyValue> value = reader.convert(connection.atom(target));
    if (!value || value->format != 8) continue;
    item.types.emplace_back(typeForTarget(target), std::move(value->bytes));
  }
  if (item.types.empty()) return {};
  return {std::move(item)};
}

}  // namespace axt::lindesk
