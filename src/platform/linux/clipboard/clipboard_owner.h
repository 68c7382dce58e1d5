// Owning the X clipboard from our hidden window and answering the clients
// that paste from it: the list of targets, the time of ownership, several
// targets at once (MULTIPLE), and each target's data, in pieces (INCR) when
// it is larger than one request may carry.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <string>
#include <vector>

#include "clipboard/clipboard_connection.h"
#include "logic/clipboard_targets.h"
#include "logic/earlier_offer.h"

namespace axt::lindesk {

class ClipboardOwner {
 public:
  explicit ClipboardOwner(ClipboardConnection& connection);

  // Takes the clipboard, offering `targets`; false when the server didn't
  // make us its owner.
  bool own(std::vector<ServedTarget> targets);
  // Gives the clipboard up, leaving it without owner (whoever had it).
  // Returns the time of the change, to recognise its notification.
  Time disown();
  // Offers nothing more, owned or not; transfers under way still finish,
  // and requests timed before this still get what was on offer then.
  void offerNothing();
  // Offers these too, while we own the clipboard (targets offered already
  // keep their data).
  void offerAlso(std::vector<ServedTarget> targets);

  bool owns() const { return owns_; }

  // Requests, the loss of ownership, and the requestors' progress through
  // transfers in pieces; other events are left alone.
  void handle(const XEvent& event);

 private:
  struct Transfer {
    ::Window requestor = 0;
    Atom property = None;
    Atom type = None;
    SharedBytes data;  // the one copy that is served, not a copy of it
    std::size_t offset = 0;
    double lastProgress = 0;
  };

  void answer(const XSelectionRequestEvent& request);
  // Writes one target to the requestor's property; false when it can't.
  bool convert(const std::vector<ServedTarget>& offer, Time since, ::Window requestor, Atom target, Atom property);
  bool convertMultiple(const std::vector<ServedTarget>& offer, Time since, ::Window requestor, Atom property);
  // What we offered until now stops being on offer at `until` (0: not known
  // yet).
  void retireOffer(Time until);
  void startTransfer(::Window requestor, Atom property, Atom type, SharedBytes data);
  void continueTransfer(const XPropertyEvent& event);
  void dropStaleTransfers();
  static const ServedTarget* find(const std::vector<ServedTarget>& offer, const std::string& target);

  ClipboardConnection& c_;
  Atom clipboard_;
  std::vector<ServedTarget> targets_;
  bool owns_ = false;
  Time ownedAt_ = CurrentTime;
  std::size_t chunk_;
  std::vector<Transfer> transfers_;
  // For a paste handled late, asking with the time of its key.
  EarlierOffer earlier_;
};

}  // namespace axt::lindesk
