// Which of a process's native windows its toolkit's window is, when the
// compositor lists them and the toolkit tells only a title: a native
// client carries nothing else both sides know.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/values.h"

namespace axt::lindesk {

// Those of `windows` that are the process's (`mine`) and have a size
// (their `area`); absent when one of the process's is an X window: under
// XWayland the toolkit knows its place.
template <class W, class Mine>
std::optional<std::vector<const W*>> nativeWindowsAmong(const std::vector<W>& windows, Mine&& mine,
                                                        platform::Rect W::*area) {
  std::vector<const W*> native;
  for (const W& w : windows) {
    if (!mine(w)) continue;
    if (w.x11) return std::nullopt;
    if ((w.*area).size.width > 0) native.push_back(&w);
  }
  return native;
}

// The only one, else the only one of the title, else the focused one;
// null when none of these tells. `W` has `title` and `focused`.
template <class W>
const W* windowTitled(const std::vector<const W*>& native, const std::string& title) {
  if (native.size() == 1) return native.front();
  const W* chosen = nullptr;
  for (const W* w : native) {
    if (w->title != title) continue;
    // Two windows of one title can't be told apart by it.
    if (chosen != nullptr) {
      chosen = nullptr;
      break;
    }
    chosen = w;
  }
  if (chosen != nullptr) return chosen;
  for (const W* w : native) {
    if (w->focused) return w;
  }
  return nullptr;
}

}  // namespace axt::lindesk
