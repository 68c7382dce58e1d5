#include "kwin/kwin_hot_keys.h"

#include <algorithm>

#include "kwin/shortcut_keys.h"

namespace axt::lindesk {

bool KWinHotKeys::heldElsewhere(const KeyHolder& holder) const {
  if (holder.component != kComponent) return true;
  // The component's activity is all the service tells; while this host
  // holds keys of its own, it says nothing of another action.
  if (!grabbed_.empty()) return false;
  return bus_->componentActive(kComponent).value_or(true);
}

GrabOutcome KWinHotKeys::grab(const KeyCombination& keys, std::function<void()> pressed) {
  const std::optional<KdeShortcut> shortcut = kdeShortcut(keys);
  if (!shortcut) return GrabOutcome::kUnavailable;
  const int code = shortcut->code;
  const ShortcutAction action{kComponent, "hot-key-" + shortcut->text, "axtrack", "Hot key " + shortcut->text};
  if (std::any_of(grabbed_.begin(), grabbed_.end(), [&](const Grabbed& g) { return g.action == action; })) {
    return GrabOutcome::kTaken;
  }
  const KeyHolding holding = bus_->holderOf(code);
  if (!holding.answered) return GrabOutcome::kUnavailable;
  if (holding.holder && heldElsewhere(*holding.holder)) return GrabOutcome::kTaken;
  if (!listening_) {
    listening_ = bus_->listen([this](const std::string& component, const std::string& name) { heard(component, name); });
    if (!listening_) return GrabOutcome::kUnavailable;
  }
  // The keeper first: nothing is registered that could outlive the host.
  OwnedFd keeper = keeper_ ? keeper_(bus_->busAddress(), action) : OwnedFd();
  if (!keeper) return GrabOutcome::kUnavailable;
  const std::optional<std::vector<int>> given = bus_->take(action, code);
  if (!given) {
    bus_->unregister(action);
    return GrabOutcome::kUnavailable;
  }
  if (std::find(given->begin(), given->end(), code) == given->end()) {
    // Another action took the keys meanwhile: ours goes again.
    bus_->unregister(action);
    return GrabOutcome::kTaken;
  }
  grabbed_.push_back(Grabbed{action, std::move(pressed), std::move(keeper)});
  return GrabOutcome::kGrabbed;
}

void KWinHotKeys::heard(const std::string& component, const std::string& action) {
  for (const Grabbed& g : grabbed_) {
    if (g.action.component == component && g.action.action == action) runLoop_.post(g.pressed);
  }
}

}  // namespace axt::lindesk
