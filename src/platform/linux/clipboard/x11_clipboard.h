// The general pasteboard on this desktop: the X clipboard (the CLIPBOARD
// selection). Writing makes our hidden window its owner, serving what was
// written; reading asks the current owner; the change count follows every
// change of owner, ours included, as the server reports it.
//
// The library reads the clipboard only to save it around a paste, and
// writes back exactly what it read. So a read isn't over when `items`
// returns: it waits up to 0.5 s, and what the owner hasn't sent by then
// goes on coming while the library pauses. Taking the clipboard waits (up
// to 0.8 s from the read's start) until the owner has been asked for all of
// its targets; writing back what the read handed out puts back what the
// read has by then, and adds what comes later; a clear that no write
// follows, after a read that had brought nothing yet, does the same rather
// than leaving the clipboard without owner.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logic/clipboard_targets.h"
#include "logic/saved_clipboard.h"
#include "platform/platform.h"
#include "session/clipboard.h"

namespace axt::lindesk {

class ClipboardConnection;
class ClipboardOwner;
class ClipboardRead;
class GlibRunLoop;
class XErrorTraps;

class X11Clipboard final : public SessionClipboard {
 public:
  X11Clipboard(GlibRunLoop& runLoop, XErrorTraps& traps);
  ~X11Clipboard() override;

  std::int64_t changeCount() override;
  std::vector<platform::PasteboardItem> items() override;
  std::optional<std::string> stringForType(std::string_view type) override;
  std::int64_t clearContents() override;
  bool writeItems(const std::vector<platform::PasteboardItem>& items) override;

 private:
  // Connects on first use; false without an X server.
  bool ready();
  void onEvent(const XEvent& event);
  // A clear that no write followed leaves the clipboard without owner; it
  // is made when the library is done (at the next turn of the main loop)
  // or before anything else is asked, so that a clear followed by a write
  // never hands the clipboard to a clipboard manager in between.
  void finishClear();
  // Before the clipboard changes hands: the read of the previous owner must
  // have sent its requests while that owner still owns it.
  void letTheReadAsk();
  // Puts back what the read of the previous owner got, and goes on adding
  // what it still sends.
  bool restoreFromRead();
  void adoptArrivals();
  void endRead();

  GlibRunLoop& runLoop_;
  XErrorTraps& traps_;
  std::unique_ptr<ClipboardConnection> connection_;
  std::unique_ptr<ClipboardOwner> owner_;  // serves through the connection: declared after it
  bool tried_ = false;
  std::int64_t changeCount_ = 0;
  // What we wrote since the last clear; served while we own the clipboard,
  // from the same data.
  std::vector<SharedItem> written_;
  // The read of the clipboard's previous content, from the moment the
  // content is saved until it has been put back whole (or the owner's time
  // is up): what is put back is served from its data. Kept exactly while
  // `saved_` is.
  std::unique_ptr<ClipboardRead> read_;
  unsigned readSlot_ = 0;
  // Where the saved content stands: handed out (whole or partly), or being
  // put back with what the read still brings.
  SavedClipboard saved_;
  bool clearPending_ = false;
  bool clearScheduled_ = false;
  // The time we left the clipboard without owner: its notification is ours.
  std::optional<unsigned long> disownedAt_;
  // Without XFixes: the owner seen last, polled when the count is asked.
  unsigned long lastOwner_ = 0;
};

}  // namespace axt::lindesk
