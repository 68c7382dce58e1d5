#include "x11_clipboard.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include "clipboard_connection.h"
#include "clipboard_owner.h"
#include "clipboard_reader.h"
#include "clipboard_targets.h"
#include "run_loop.h"

namespace axt::lindesk {

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
  return connection_ != nullptr;
}

void X11Clipboard::onEvent(const XEvent& event) {
  owner_->handle(event);
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
  if (owner_->owns()) return written_;
  return readClipboard(*connection_);
}

std::optional<std::string> X11Clipboard::stringForType(std::string_view type) {
  return textOfType(items(), type);
}

std::int64_t X11Clipboard::clearContents() {
  ++changeCount_;
  written_.clear();
  if (!ready()) return changeCount_;
  owner_->offerNothing();
  clearPending_ = true;
  if (!clearScheduled_) {
    clearScheduled_ = true;
    postToMainLoop([this] {
      clearScheduled_ = false;
      finishClear();
    });
  }
  return changeCount_;
}

bool X11Clipboard::writeItems(const std::vector<platform::PasteboardItem>& items) {
  if (!ready()) return false;
  if (items.empty()) return true;
  // Writing follows a clear; without one it adds to what is there.
  if (!clearPending_ && !owner_->owns()) written_.clear();
  clearPending_ = false;
  written_.insert(written_.end(), items.begin(), items.end());
  const bool owned = owner_->own(servedTargets(written_));
  if (!owned) written_.clear();
  if (!connection_->reportsOwnerChanges()) lastOwner_ = owned ? connection_->window() : lastOwner_;
  return owned;
}

}  // namespace axt::lindesk
