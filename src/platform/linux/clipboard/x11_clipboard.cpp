#include "clipboard/x11_clipboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <algorithm>
#include <iterator>

#include "clipboard/clipboard_connection.h"
#include "clipboard/clipboard_owner.h"
#include "clipboard/clipboard_reader.h"
#include "glue/run_loop.h"
#include "logic/clipboard_targets.h"

namespace axt::lindesk {

namespace {

// Saving the content waits this long for all of it; then the replacement
// goes on, and the read with it, through the pauses that follow (0.2 s for
// the activation, 1.0 s for the paste) until the content is put back.
constexpr double kSaveWait = 0.5;
// The clipboard is not taken before the previous owner has listed its
// targets and been asked for all of them, or this long after the read
// began: an owner that needs 0.7 s per answer is still read whole, and the
// replacement as a whole takes no longer than before (about 1.2 s of pauses
// plus the 0.5 s a silent owner used to cost).
constexpr double kAskLimit = 0.8;
// Slots for the properties of reads whose answers may still come; a read
// lasts at most 8 s, a replacement at least 1.2 s.
constexpr unsigned kReadSlots = 8;

}  // namespace

X11Clipboard::X11Clipboard(GlibRunLoop& runLoop, XErrorTraps& traps) : runLoop_(runLoop), traps_(traps) {}
X11Clipboard::~X11Clipboard() = default;

bool X11Clipboard::ready() {
  if (!tried_) {
    tried_ = true;
    connection_ = ClipboardConnection::open(runLoop_, traps_);
    if (connection_ != nullptr) {
      owner_ = std::make_unique<ClipboardOwner>(*connection_);
      connection_->setHandler([this](const XEvent& e) { onEvent(e); });
      lastOwner_ = XGetSelectionOwner(connection_->display(), connection_->atom("CLIPBOARD"));
    }
  }
  return connection_ != nullptr && !connection_->lost();
}

void X11Clipboard::onEvent(const XEvent& event) {
  owner_->handle(event);
  if (read_ && read_->handle(event) && saved_.puttingBack()) adoptArrivals();
  if (!connection_->reportsOwnerChanges() || event.type != connection_->xfixesEventBase() + XFixesSelectionNotify) {
    return;
  }
  const auto& note = reinterpret_cast<const XFixesSelectionNotifyEvent&>(event);
  if (note.selection != connection_->atom("CLIPBOARD")) return;
  if (note.subtype == XFixesSetSelectionOwnerNotify) {
    // Our own writes were counted when they were made.
    if (note.owner == connection_->window()) return;
    if (note.owner == None && disownedAt_ && note.selection_timestamp == *disownedAt_) {
      disownedAt_.reset();
      return;
    }
  }
  // Another client took the clipboard, or its owner went away.
  ++changeCount_;
}

void X11Clipboard::finishClear() {
  if (!clearPending_) return;
  clearPending_ = false;
  // Putting back a saved content of which nothing had come yet.
  if (saved_.savedPartly() && restoreFromRead()) return;
  Display* d = connection_->display();
  if (XGetSelectionOwner(d, connection_->atom("CLIPBOARD")) == None) return;
  disownedAt_ = owner_->disown();
}

std::int64_t X11Clipboard::changeCount() {
  if (!ready()) return changeCount_;
  finishClear();
  connection_->drain(true);
  if (!connection_->reportsOwnerChanges()) {
    const ::Window now = XGetSelectionOwner(connection_->display(), connection_->atom("CLIPBOARD"));
    if (now != lastOwner_ && now != connection_->window()) ++changeCount_;
    lastOwner_ = now;
  }
  return changeCount_;
}

std::vector<platform::PasteboardItem> X11Clipboard::items() {
  if (!ready()) return {};
  finishClear();
  connection_->drain(true);
  if (owner_->owns()) return copyItems(written_);
  endRead();
  read_ = std::make_unique<ClipboardRead>(*connection_, readSlot_++ % kReadSlots);
  ClipboardRead& read = *read_;
  connection_->waitUntil([&read] { return read.finished(); }, read.startedAt() + kSaveWait);
  std::vector<platform::PasteboardItem> saved = read.handOut();
  saved_.handedOut(restoreFor(read.progress()) == Restore::WhatCameAndWhatFollows);
  // The read is kept even when it is whole: writing back what it handed out
  // serves its data rather than a third copy of it.
  return saved;
}

void X11Clipboard::letTheReadAsk() {
  if (!read_ || read_->asked()) return;
  ClipboardRead& read = *read_;
  connection_->waitUntil([&read] { return read.asked(); }, read.startedAt() + kAskLimit);
}

// When the previous content could not be read whole, the replacement still
// takes the clipboard and pastes. The paste keys go out whatever the
// clipboard holds: a clipboard left to its slow or silent owner would paste
// that owner's content over the user's selection, or nothing, and the
// replacement the host asked for would not happen; it cannot happen any
// other way than through the clipboard. What is lost by taking it is kept
// as small as the protocol allows: every target was asked for before the
// owner lost the clipboard, and it answers those requests before it sees
// the loss, so what it sends after the replacement is over is still added
// to what we serve (until the read's time is up). An owner that never
// answers loses its content, which nobody could paste meanwhile anyway; the
// clipboard then stays ours, empty, rather than having no owner at all.
bool X11Clipboard::restoreFromRead() {
  saved_.restoreTried();
  if (!read_ || !owner_->owns()) return false;
  written_ = read_->sharedItems();
  if (!owner_->own(servedTargets(written_))) {
    written_.clear();
    endRead();
    return false;
  }
  saved_.putBack();
  adoptArrivals();
  // An owner that never answers sends no event to end the read with.
  const ClipboardRead* read = read_.get();
  if (read != nullptr) {
    runLoop_.postAfter(std::max(0.1, read->startedAt() + 8.5 - monotonicSeconds()), [this, read] {
      if (read_.get() == read) adoptArrivals();
    });
  }
  return true;
}

void X11Clipboard::adoptArrivals() {
  if (!read_ || !saved_.puttingBack()) return;
  if (!owner_->owns()) {
    // Somebody copied something newer: that stays, and the rest of the
    // read is of no use.
    endRead();
    return;
  }
  written_ = read_->sharedItems();
  owner_->offerAlso(servedTargets(written_));
  if (read_->finished()) endRead();
}

void X11Clipboard::endRead() {
  read_.reset();
  saved_.ended();
}

std::optional<std::string> X11Clipboard::stringForType(std::string_view type) {
  return textOfType(items(), type);
}

std::int64_t X11Clipboard::clearContents() {
  ++changeCount_;
  written_.clear();
  // Late answers of an earlier owner are added to the content they belong
  // to, never to what is written now (a second replacement's text).
  if (saved_.puttingBack()) endRead();
  if (!ready()) return changeCount_;
  owner_->offerNothing();
  clearPending_ = true;
  if (!clearScheduled_) {
    clearScheduled_ = true;
    runLoop_.post([this] {
      clearScheduled_ = false;
      finishClear();
    });
  }
  return changeCount_;
}

bool X11Clipboard::writeItems(const std::vector<platform::PasteboardItem>& items) {
  if (!ready()) return false;
  if (items.empty()) return true;
  // Writing back the saved content (of which more may have come meanwhile).
  if (read_ && read_->isHandedOut(items)) {
    clearPending_ = false;
    if (restoreFromRead()) return true;
  }
  letTheReadAsk();
  // Writing follows a clear; without one it adds to what is there.
  if (!clearPending_ && !owner_->owns()) written_.clear();
  clearPending_ = false;
  std::vector<SharedItem> adding = shareItems(items);
  written_.insert(written_.end(), std::make_move_iterator(adding.begin()), std::make_move_iterator(adding.end()));
  const bool owned = owner_->own(servedTargets(written_));
  if (!owned) written_.clear();
  if (!connection_->reportsOwnerChanges()) lastOwner_ = owned ? connection_->window() : lastOwner_;
  return owned;
}

}  // namespace axt::lindesk
