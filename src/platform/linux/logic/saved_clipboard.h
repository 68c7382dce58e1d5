// Where the clipboard's content saved around a replacement stands, from the
// read that saved it until it has been put back whole. The read itself
// talks to the X server (clipboard_reader.h); this is only what the
// clipboard does with it next, one phase at a time.
#pragma once

namespace axt::lindesk {

enum class SavedPhase {
  kNone,         // no read is kept
  kSaved,        // the read handed out the saved content, or putting back
                 // was tried already
  kSavedPartly,  // what it handed out wasn't all of it: writing that back
                 // (or nothing, after a clear) puts back what the read has
                 // by then
  kPuttingBack,  // the content put back is the read's: what it still
                 // brings is added
};

class SavedClipboard {
 public:
  SavedPhase phase() const { return phase_; }
  bool kept() const { return phase_ != SavedPhase::kNone; }
  bool savedPartly() const { return phase_ == SavedPhase::kSavedPartly; }
  bool puttingBack() const { return phase_ == SavedPhase::kPuttingBack; }

  // A new read handed out the content, `partly` when the owner hadn't sent
  // all of it yet: it replaces whatever came before.
  void handedOut(bool partly) { phase_ = partly ? SavedPhase::kSavedPartly : SavedPhase::kSaved; }
  // Putting back is tried: a partial save is put back at most once.
  void restoreTried() {
    if (phase_ == SavedPhase::kSavedPartly) phase_ = SavedPhase::kSaved;
  }
  // The clipboard serves the read's content now; only a kept read can be.
  void putBack() {
    if (kept()) phase_ = SavedPhase::kPuttingBack;
  }
  // The read is let go: put back whole, superseded, or out of time.
  void ended() { phase_ = SavedPhase::kNone; }

 private:
  SavedPhase phase_ = SavedPhase::kNone;
};

}  // namespace axt::lindesk
