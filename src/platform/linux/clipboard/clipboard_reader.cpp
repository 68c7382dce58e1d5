#include "clipboard/clipboard_reader.h"

#include <X11/Xatom.h>

#include <algorithm>
#include <optional>
#include <string>

#include "glue/monotonic_clock.h"
#include "x11/error_traps.h"
#include "x11/window_property.h"

namespace axt::lindesk {

namespace {

// An owner gets this long to send what it was asked for, counted from the
// start of the read; what comes later is no longer waited for. Longer than
// any replacement takes, so that a slow owner's answers to requests it got
// before the replacement took the clipboard are still added afterwards.
constexpr double kAnswerLimit = 8.0;

// The longest list of targets (or answer to MULTIPLE) read, in bytes: a
// thousand times more targets than any toolkit offers.
constexpr std::size_t kLongestList = std::size_t{1} << 20;

struct PropertyValue {
  Atom type = None;
  int format = 0;
  std::string bytes;        // format 8
  std::vector<long> longs;  // format 32
  bool tooBig = false;      // longer than the caller would hold: nothing read
};

// Reads and deletes a property of our window. One longer than `limit`
// bytes (as the server holds it) is deleted unread and comes back as
// tooBig: the owner that put it there decides its size.
std::optional<PropertyValue> takeProperty(Display* d, ::Window w, Atom property, std::size_t limit) {
  PropertyValue value;
  long offset = 0;  // in units of four bytes, as the request counts
  std::size_t held = 0;
  for (;;) {
    std::optional<WindowProperty> chunk = getWindowProperty(d, w, property, offset, 0x40000);
    if (!chunk) return std::nullopt;
    value.type = chunk->type;
    value.format = chunk->format;
    const std::size_t unit = chunk->format == 32 ? 4 : chunk->format == 16 ? 2 : 1;
    held += static_cast<std::size_t>(chunk->items) * unit;
    if (held > limit || static_cast<std::size_t>(chunk->bytesAfter) > limit - held) {
      XDeleteProperty(d, w, property);
      return PropertyValue{value.type, value.format, {}, {}, true};
    }
    if (chunk->format == 8) {
      // The size is the server's, within the limit: what has arrived.
      if (value.bytes.empty() && chunk->bytesAfter > 0) value.bytes.reserve(chunk->items + chunk->bytesAfter);
      value.bytes += chunk->bytes;
      offset += static_cast<long>(chunk->items / 4);
    } else if (chunk->format == 32) {
      value.longs.insert(value.longs.end(), chunk->longs.begin(), chunk->longs.end());
      offset += static_cast<long>(chunk->items);
    } else {
      offset += static_cast<long>(chunk->items / 2);
    }
    // Format 8 reads end on a four-byte boundary except at the very end.
    if (chunk->bytesAfter == 0 || chunk->items == 0) break;
  }
  XDeleteProperty(d, w, property);
  return value;
}

std::string propertyName(unsigned slot, const char* what) {
  return "AXTRACK_READ" + std::to_string(slot) + "_" + what;
}

}  // namespace

ClipboardRead::ClipboardRead(ClipboardConnection& connection, unsigned slot)
    : c_(connection),
      clipboard_(connection.atom("CLIPBOARD")),
      targetsProperty_(connection.atom(propertyName(slot, "TARGETS"))),
      multipleProperty_(connection.atom(propertyName(slot, "MULTIPLE"))),
      slot_(slot),
      started_(monotonicSeconds()) {
  Display* d = c_.display();
  owner_ = XGetSelectionOwner(d, clipboard_);
  if (owner_ == None) return;
  listing_ = true;
  XDeleteProperty(d, c_.window(), targetsProperty_);
  XConvertSelection(d, clipboard_, c_.atom("TARGETS"), targetsProperty_, c_.window(), CurrentTime);
  XFlush(d);
}

bool ClipboardRead::ownerUnchanged() { return XGetSelectionOwner(c_.display(), clipboard_) == owner_; }

bool ClipboardRead::finished() {
  if (owner_ == None) return true;
  if (monotonicSeconds() - started_ > kAnswerLimit) {
    // Whatever is still on its way is given up; what came stays.
    listing_ = false;
    for (Target& t : targets_) {
      if (t.state == State::Asked || t.state == State::Pieces) drop(t);
    }
    return true;
  }
  if (listing_) return false;
  return std::none_of(targets_.begin(), targets_.end(),
                      [](const Target& t) { return t.state == State::Asked || t.state == State::Pieces; });
}

ReadProgress ClipboardRead::progress() {
  (void)finished();
  ReadProgress p;
  p.hadOwner = owner_ != None;
  p.targetsKnown = !listing_;
  for (const Target& t : targets_) {
    if (t.state == State::Arrived) ++p.arrived;
    if (t.state == State::Asked || t.state == State::Pieces) ++p.pending;
  }
  return p;
}

bool ClipboardRead::handle(const XEvent& event) {
  if (owner_ == None) return false;
  cameNow_ = false;
  const ::Window w = c_.window();
  if (event.type == SelectionNotify && event.xselection.requestor == w && event.xselection.selection == clipboard_) {
    const XSelectionEvent& e = event.xselection;
    if (e.target == c_.atom("TARGETS") && listing_ && (e.property == None || e.property == targetsProperty_)) {
      onTargets(e.property);
    } else if (e.target == c_.atom("MULTIPLE") && multipleAsked_ &&
               (e.property == None || e.property == multipleProperty_)) {
      onMultiple(e.property);
    } else {
      for (Target& t : targets_) {
        if (t.atom == e.target && t.state == State::Asked && !multipleAsked_ &&
            (e.property == None || e.property == t.property)) {
          onOne(t, e.property);
          break;
        }
      }
    }
  } else if (event.type == PropertyNotify && event.xproperty.window == w &&
             event.xproperty.state == PropertyNewValue) {
    for (Target& t : targets_) {
      if (t.state == State::Pieces && t.property == event.xproperty.atom) {
        onPiece(t);
        break;
      }
    }
  }
  return cameNow_;
}

void ClipboardRead::onTargets(Atom property) {
  listing_ = false;
  std::vector<std::string> names;
  bool multiple = false;
  std::optional<PropertyValue> list;
  if (property != None) list = takeProperty(c_.display(), c_.window(), property, kLongestList);
  if (list && list->format == 32) {
    for (long a : list->longs) {
      std::string name = c_.atomName(static_cast<Atom>(a));
      if (name == "MULTIPLE") multiple = true;
      if (name.empty() || isMetaTarget(name)) continue;
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(std::move(name));
    }
  } else {
    // An owner that can't list its targets may still hand over text.
    names = {std::string(kUtf8StringTarget), std::string(kStringTarget)};
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    Target t;
    t.atom = c_.atom(names[i]);
    t.property = c_.atom(propertyName(slot_, std::to_string(i).c_str()));
    t.name = std::move(names[i]);
    targets_.push_back(std::move(t));
  }
  // Once the clipboard has another owner, requests would go to it, not to
  // the owner whose content this is.
  if (targets_.empty() || !ownerUnchanged()) {
    for (Target& t : targets_) t.state = State::Failed;
    return;
  }
  askAll(multiple && targets_.size() > 1);
}

void ClipboardRead::askAll(bool multiple) {
  Display* d = c_.display();
  const ::Window w = c_.window();
  for (const Target& t : targets_) XDeleteProperty(d, w, t.property);
  if (!multiple) {
    askEach();
    return;
  }
  std::vector<unsigned long> atoms;
  std::vector<unsigned long> properties;
  for (const Target& t : targets_) {
    atoms.push_back(t.atom);
    properties.push_back(t.property);
  }
  multipleSent_ = multiplePairs(atoms, properties);
  XChangeProperty(d, w, multipleProperty_, c_.atom("ATOM_PAIR"), 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(multipleSent_.data()),
                  static_cast<int>(multipleSent_.size()));
  XConvertSelection(d, clipboard_, c_.atom("MULTIPLE"), multipleProperty_, w, CurrentTime);
  multipleAsked_ = true;
  XFlush(d);
}

void ClipboardRead::askEach() {
  // Sent together: the owner answers them one after another, and none
  // waits for the answer to the one before.
  Display* d = c_.display();
  for (const Target& t : targets_) XConvertSelection(d, clipboard_, t.atom, t.property, c_.window(), CurrentTime);
  multipleAsked_ = false;
  XFlush(d);
}

void ClipboardRead::onMultiple(Atom property) {
  multipleAsked_ = false;
  Display* d = c_.display();
  if (property == None) {
    // It listed MULTIPLE but refused it: asked one by one, while it still
    // owns the clipboard.
    if (ownerUnchanged()) {
      askEach();
    } else {
      for (Target& t : targets_) t.state = State::Failed;
    }
    return;
  }
  std::optional<PropertyValue> answered = takeProperty(d, c_.window(), property, kLongestList);
  const std::vector<bool> converted =
      convertedPairs(multipleSent_, answered && answered->format == 32 ? answered->longs : multipleSent_);
  for (std::size_t i = 0; i < targets_.size(); ++i) {
    Target& t = targets_[i];
    if (t.state != State::Asked) continue;
    onOne(t, i < converted.size() && converted[i] ? t.property : None);
  }
}

void ClipboardRead::onOne(Target& target, Atom property) {
  if (property == None) {
    target.state = State::Failed;
    return;
  }
  std::optional<PropertyValue> value = takeProperty(c_.display(), c_.window(), property, budget_.left());
  if (!value || value->format == 0 || value->tooBig) {
    target.state = State::Failed;
  } else if (value->type == c_.atom("INCR")) {
    // Deleting the property (done) asked for the first piece. The size it
    // claims is the owner's word: nothing is set aside for it, the pieces
    // are held as they come.
    target.state = State::Pieces;
  } else if (value->format != 8) {
    // Not content in 8-bit units: not content the pasteboard can carry.
    target.state = State::Failed;
  } else {
    (void)budget_.take(value->bytes.size());  // within what was left
    arrive(target, std::move(value->bytes));
  }
}

void ClipboardRead::onPiece(Target& target) {
  std::optional<PropertyValue> piece = takeProperty(c_.display(), c_.window(), target.property, budget_.left());
  if (!piece || piece->tooBig) {
    drop(target);
    return;
  }
  if (piece->bytes.empty() && piece->longs.empty()) {
    if (piece->format != 8 && piece->format != 0) {
      drop(target);
      return;
    }
    arrive(target, std::move(target.data));
    return;
  }
  (void)budget_.take(piece->bytes.size());  // within what was left
  target.data += piece->bytes;
}

void ClipboardRead::drop(Target& target) {
  target.state = State::Failed;
  budget_.giveBack(target.data.size());
  target.data = std::string();
}

void ClipboardRead::arrive(Target& target, std::string data) {
  target.state = State::Arrived;
  target.whole = std::make_shared<const std::string>(std::move(data));
  target.data = std::string();
  cameNow_ = true;
}

std::vector<SharedItem> ClipboardRead::sharedItems() const {
  SharedItem item;
  for (const Target& t : targets_) {
    if (t.state == State::Arrived) item.types.emplace_back(typeForTarget(t.name), t.whole);
  }
  if (item.types.empty()) return {};
  return {std::move(item)};
}

std::vector<platform::PasteboardItem> ClipboardRead::handOut() {
  handedOutAny_ = true;
  for (Target& t : targets_) t.handedOut = t.state == State::Arrived;
  return copyItems(sharedItems());
}

bool ClipboardRead::isHandedOut(const std::vector<platform::PasteboardItem>& items) const {
  if (!handedOutAny_) return false;
  std::vector<const Target*> given;
  for (const Target& t : targets_) {
    if (t.handedOut) given.push_back(&t);
  }
  if (given.empty()) return items.empty();
  if (items.size() != 1 || items[0].types.size() != given.size()) return false;
  for (std::size_t i = 0; i < given.size(); ++i) {
    const auto& [type, data] = items[0].types[i];
    if (type != typeForTarget(given[i]->name) || data != *given[i]->whole) return false;
  }
  return true;
}

}  // namespace axt::lindesk
