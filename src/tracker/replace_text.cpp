// Replacing the selected text in the tracked application by pasting, as a
// user would: bring it to the front, put the text on the pasteboard, type
// Command+V, and put the pasteboard back afterwards. When the keys can't
// reach the application in front, or the pasteboard doesn't take the text,
// nothing is typed and the user's pasteboard stays as it was. Keys that
// can't reach it leave one way: the focused element of the application may
// take the text itself (a settable selected text), without keys and without
// the pasteboard, which then isn't touched at all.
#include <string_view>

#include "ax/attributes.h"
#include "ax/geometry.h"
#include "ax/keystrokes.h"
#include "ax/log.h"
#include "tracker/mac_accessibility.h"
#include "tracker/pasteboard_snapshot.h"

namespace axt::tracker {

namespace {
constexpr double kActivationPause = 0.2;
constexpr double kPastePause = 1.0;
constexpr std::string_view kKeysCantReach = "Not pasted: keys can't reach the focused application";
constexpr std::string_view kNotWritten = "Not pasted: the pasteboard didn't take the text";
constexpr std::string_view kElementRefused = "Not replaced: the focused element didn't take the text";

enum class DirectReplacement { kReplaced, kRefused, kNotOffered };

// The element of `app` that has the keyboard focus takes the text in place of
// its selection, where it lets its selected text be written.
DirectReplacement replaceInFocusedElement(const platform::RunningApplicationRef& app, const std::string& text) {
  if (!app) return DirectReplacement::kNotOffered;
  const std::optional<platform::Element> focused =
      ax::getAttributeValue<platform::Element>(ax::getAppRef(app->processIdentifier()), "AXFocusedUIElement");
  if (!focused || !ax::isAttributeSettable(*focused, "AXSelectedText")) return DirectReplacement::kNotOffered;
  return ax::writeAttribute(*focused, "AXSelectedText", platform::Value(text)) ? DirectReplacement::kReplaced
                                                                               : DirectReplacement::kRefused;
}

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
  // Keys that reach nobody would leave the text on the pasteboard for
  // nothing: the pasteboard is not even taken.
  if (!ax::keysReachFocusedApplication()) {
    switch (replaceInFocusedElement(frontmostApp, text)) {
      case DirectReplacement::kReplaced:
        break;
      case DirectReplacement::kRefused:
        ax::logLine(kElementRefused);
        break;
      case DirectReplacement::kNotOffered:
        ax::logLine(kKeysCantReach);
        break;
    }
  } else if (saved.writeTemporaryText(pasteboard, text)) {
    ax::pasteCommand();
    ax::delay(kPastePause);
    (void)saved.restore(pasteboard);
  } else {
    // The keys would paste whatever the pasteboard holds instead of the text.
    ax::logLine(kNotWritten);
    (void)saved.restore(pasteboard);
  }
  ax::logLine("Task ended");
}

}  // namespace axt::tracker
