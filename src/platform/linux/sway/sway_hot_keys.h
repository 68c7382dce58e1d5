// Global hot keys through the compositor's IPC (sway's, and i3-compatible
// ones'): the only way a hot key is heard whichever application has the
// keyboard, native Wayland ones included. Each combination is bound to a
// command that does nothing but name the binding ("nop" and a name made of
// the host's process number), with a keeper that takes it back when the
// host's process ends (binding_keeper.h); a second connection, subscribed
// to the binding events, is watched on the main context, and a press of
// one of ours is told on the main loop. The compositor runs a binding
// once per press however long the key is held.
#pragma once

#include <glib.h>

#include <functional>
#include <string>
#include <vector>

#include "glue/run_loop.h"
#include "session/hot_keys.h"
#include "sway/ipc_message.h"
#include "sway/sway_ipc.h"

namespace axt::lindesk {

class SwayHotKeys final : public SessionHotKeys {
 public:
  // What starts a binding's keeper, given the command that undoes it
  // (binding_keeper.h; tests give their own).
  using Keeper = std::function<OwnedFd(const std::string& undo)>;

  // `commands` makes the bindings; `events` connects the subscription (and
  // the one question of the user's configuration).
  SwayHotKeys(SwayIpc commands, SwayIpc::Connector events, Keeper keeper, GlibRunLoop& runLoop)
      : commands_(std::move(commands)), events_(std::move(events)), keeper_(std::move(keeper)), runLoop_(runLoop) {}
  SwayHotKeys(const SwayHotKeys&) = delete;
  SwayHotKeys& operator=(const SwayHotKeys&) = delete;
  ~SwayHotKeys() override;

  // kTaken when the user's configuration binds the keys (or it can't be
  // read); kUnavailable for a key X has no name for, when no keeper can be
  // started, or when the compositor doesn't subscribe us or refuses the
  // binding.
  GrabOutcome grab(const KeyCombination& keys, std::function<void()> pressed) override;

  // Reads what the subscribed connection has brought (the main context
  // calls it when the connection is readable).
  void readEvents();

 private:
  struct Binding {
    std::string keys;     // "Mod1+Return"
    std::string command;  // "nop NAME", as the events name it
    std::function<void()> pressed;
    OwnedFd keeper;
  };
  bool subscribe();
  void stopListening();

  SwayIpc commands_;
  SwayIpc::Connector events_;
  Keeper keeper_;
  GlibRunLoop& runLoop_;
  OwnedFd subscription_;
  guint watch_ = 0;
  IpcReader reader_;
  std::vector<Binding> bindings_;
};

}  // namespace axt::lindesk
