// Replacing the selected text in the tracked application by pasting, as a
// user would: bring it to the front, put the text on the pasteboard, type
// Command+V, and put the pasteboard back afterwards.
#include "ax/geometry.h"
#include "ax/keystrokes.h"
#include "ax/log.h"
#include "tracker/mac_accessibility.h"
#include "tracker/pasteboard_snapshot.h"

namespace axt::tracker {

namespace {
constexpr double kActivationPause = 0.2;
constexpr double kPastePause = 1.0;
}  // namespace

void MacAccessibility::setSelectedText(const std::string& text) {
  // Neither the pasteboard's content nor the replacement is printed: both
  // may be private writing or passwords, and hosts keep standard output in
  // their logs.
  ax::logLine("Task started");
  platform::Pasteboard& pasteboard = platform::current().pasteboard();
  PasteboardSnapshot saved = PasteboardSnapshot::take(pasteboard);
  acctivateTheForMost();
  ax::delay(kActivationPause);
  saved.writeTemporaryText(pasteboard, text);
  ax::pasteCommand();
  ax::delay(kPastePause);
  (void)saved.restore(pasteboard);
  ax::logLine("Task ended");
}

}  // namespace axt::tracker
