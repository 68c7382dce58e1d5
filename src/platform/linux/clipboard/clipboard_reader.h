// Reading the X clipboard from whoever owns it: the targets it offers, then
// every target's data asked for at once, in one MULTIPLE request where the
// owner offers it, otherwise in one request per target sent together, each
// into a property of its own. Data comes whole or in pieces (INCR), and
// is held up to a bound (clipboard_budget.h).
//
// The read is driven by the connection's events and goes on while the
// library does other things: an owner that is slow to answer is waited for
// through the pauses of the replacement around it, not by blocking on each
// reply. Requests an owner received while it owned the clipboard are
// answered in order even after it lost it (it sees the loss only after
// them), so the data asked for before we take the clipboard still comes.
#pragma once

#include <X11/Xlib.h>

#include <cstddef>
#include <string>
#include <vector>

#include "clipboard/clipboard_connection.h"
#include "logic/clipboard_budget.h"
#include "logic/clipboard_targets.h"
#include "platform/platform.h"

namespace axt::lindesk {

class ClipboardRead {
 public:
  // Starts reading the clipboard's current owner (nothing to read without
  // one). `slot` tells the properties of this read from those of earlier
  // ones whose answers may still come.
  ClipboardRead(ClipboardConnection& connection, unsigned slot);
  ClipboardRead(const ClipboardRead&) = delete;
  ClipboardRead& operator=(const ClipboardRead&) = delete;

  // Every event of the connection passes here; returns whether a target's
  // data came whole with it.
  bool handle(const XEvent& event);

  // Whether the requests for the data went out (or there is nothing to ask).
  bool asked() const { return !listing_; }
  // Nothing more will come: everything came or was refused, or the owner
  // took too long.
  bool finished();
  ReadProgress progress();
  double startedAt() const { return started_; }

  // What came so far, as one item in the owner's order of targets (nothing
  // when nothing came), sharing the data.
  std::vector<SharedItem> sharedItems() const;
  // What came so far, copied, and remembered as what was handed out.
  std::vector<platform::PasteboardItem> handOut();
  // Whether `items` is what handOut gave: the library writing back the
  // content it saved.
  bool isHandedOut(const std::vector<platform::PasteboardItem>& items) const;

 private:
  enum class State { Asked, Pieces, Arrived, Failed };
  struct Target {
    std::string name;
    Atom atom = None;
    Atom property = None;
    State state = State::Asked;
    std::string data;  // while pieces come
    SharedBytes whole;
    bool handedOut = false;
  };

  void onTargets(Atom property);
  void askAll(bool multiple);
  void askEach();
  void onMultiple(Atom property);
  void onOne(Target& target, Atom property);
  void onPiece(Target& target);
  void arrive(Target& target, std::string data);
  // The target can't be read (refused, too big, given up): what came of it
  // is let go.
  void drop(Target& target);
  bool ownerUnchanged();

  ClipboardConnection& c_;
  Atom clipboard_;
  Atom targetsProperty_;
  Atom multipleProperty_;
  unsigned slot_;
  ::Window owner_ = None;
  double started_;
  bool listing_ = false;
  bool multipleAsked_ = false;
  std::vector<long> multipleSent_;
  std::vector<Target> targets_;
  // What the targets' data may take, all of them together.
  ClipboardBudget budget_;
  bool handedOutAny_ = false;
  bool cameNow_ = false;
};

}  // namespace axt::lindesk
