// KDE's global shortcuts (the shortcut service KWin runs in a Wayland
// session), as far as a hot key needs them: an action of a component is
// registered and given keys, the service grabs them in the compositor, and
// tells each press as a signal of the component. The service keeps what is
// registered (the user's shortcut settings hold it) and watches no
// client's connection, so an action must be taken back by name
// (shortcut_keeper.h).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace axt::lindesk {

struct ShortcutAction {
  std::string component;
  std::string action;
  std::string componentText;  // what KDE's settings show
  std::string actionText;
  friend bool operator==(const ShortcutAction&, const ShortcutAction&) = default;
};

struct KeyHolder {
  std::string component;
  std::string action;
};
// Who holds a key now: `answered` false when the service didn't answer,
// no holder when no action has the key.
struct KeyHolding {
  bool answered = false;
  std::optional<KeyHolder> holder;
};

class GlobalAccelBus {
 public:
  virtual ~GlobalAccelBus() = default;
  // The action the key is given to, active or not.
  virtual KeyHolding holderOf(int key) = 0;
  // Whether one of the component's actions holds its keys now (a program
  // that registered it is still there); absent when the service didn't
  // answer or has no such component.
  virtual std::optional<bool> componentActive(const std::string& component) = 0;
  // Registers the action and gives it `key`, present from now on; the keys
  // it has then (without `key` when another action holds it), absent when
  // the service didn't answer.
  virtual std::optional<std::vector<int>> take(const ShortcutAction& action, int key) = 0;
  // Takes the action back, from the user's settings too.
  virtual void unregister(const ShortcutAction& action) = 0;
  // From now on `pressed` runs, on the main context, with the component
  // and the action of each press; false when the signals can't be heard.
  virtual bool listen(std::function<void(const std::string& component, const std::string& action)> pressed) = 0;
  // The session bus's address, for a keeper that must reach the service
  // after the host is gone.
  virtual std::string busAddress() const = 0;
};

// The shortcut service on the session bus, where the connection `owner`
// (KWin's) has it: in a Wayland session only the compositor can grab a key,
// and a service of a KDE application's elsewhere would hear none. Null
// where another or nothing owns its name, or there is no session bus.
std::unique_ptr<GlobalAccelBus> kdeGlobalAccel(const std::string& owner);

}  // namespace axt::lindesk
