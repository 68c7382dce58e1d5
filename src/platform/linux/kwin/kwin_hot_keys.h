// Global hot keys through KDE's shortcut service, which KWin runs in a
// Wayland session: the only way there that a hot key is heard whichever
// application has the keyboard, native Wayland ones included, and the key
// never reaches the application, as with an X grab. Each combination is
// one action of the component "axtrack", named after its keys, so that the
// user's shortcut settings hold one entry per key however often hosts
// start; a keeper takes it back when the host's process ends
// (shortcut_keeper.h). A press is told on the main loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "glue/owned_fd.h"
#include "glue/run_loop.h"
#include "kwin/global_accel.h"
#include "session/hot_keys.h"

namespace axt::lindesk {

class KWinHotKeys final : public SessionHotKeys {
 public:
  static constexpr const char* kComponent = "axtrack";

  // What starts an action's keeper (shortcut_keeper.h; tests give their
  // own), given the bus's address and the action it takes back.
  using Keeper = std::function<OwnedFd(const std::string& busAddress, const ShortcutAction& action)>;

  KWinHotKeys(std::unique_ptr<GlobalAccelBus> bus, Keeper keeper, GlibRunLoop& runLoop)
      : bus_(std::move(bus)), keeper_(std::move(keeper)), runLoop_(runLoop) {}
  KWinHotKeys(const KWinHotKeys&) = delete;
  KWinHotKeys& operator=(const KWinHotKeys&) = delete;
  // Each action's keeper, its pipe closed with it, takes the action back.
  ~KWinHotKeys() override = default;

  // kTaken when another action holds the keys (the user's, KDE's own, or
  // another host's that is still running); kUnavailable for a key the
  // service has no name for, when no keeper can be started, or when the
  // service doesn't answer or can't be heard.
  GrabOutcome grab(const KeyCombination& keys, std::function<void()> pressed) override;

 private:
  struct Grabbed {
    ShortcutAction action;
    std::function<void()> pressed;
    OwnedFd keeper;
  };
  // Whether a holder of the keys is a host still running: an action of
  // ours that no program holds is left from a host whose keeper couldn't
  // run, and is taken over.
  bool heldElsewhere(const KeyHolder& holder) const;
  void heard(const std::string& component, const std::string& action);

  std::unique_ptr<GlobalAccelBus> bus_;
  Keeper keeper_;
  GlibRunLoop& runLoop_;
  bool listening_ = false;
  std::vector<Grabbed> grabbed_;
};

}  // namespace axt::lindesk
