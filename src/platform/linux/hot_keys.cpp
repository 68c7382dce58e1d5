#include "hot_keys.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "handles.h"
#include "run_loop.h"
#include "x11_display.h"

// The event manager's opaque types: what a handler is handed. The library
// only passes them along.
namespace axt::platform {
struct EventHandlerCall {
  std::size_t handlerIndex = 0;
};
struct EventRecord {
  std::uint32_t eventClass = 0;
  std::uint32_t eventKind = 0;
  EventHotKeyID hotKeyId{};
};
}  // namespace axt::platform

namespace axt::lindesk {

namespace {

constexpr std::uint32_t kEventClassKeyboard = 0x6B657962;  // 'keyb'
constexpr std::uint32_t kEventHotKeyPressed = 5;

struct Grab {
  KeyCode keycode = 0;
  unsigned int modifiers = 0;
  platform::EventHotKeyID id{};
};

struct Handler {
  platform::EventHandler handler = nullptr;
  std::vector<platform::EventTypeSpec> types;
  void* userData = nullptr;

  bool takes(std::uint32_t eventClass, std::uint32_t eventKind) const {
    return std::any_of(types.begin(), types.end(), [&](const platform::EventTypeSpec& t) {
      return t.eventClass == eventClass && t.eventKind == eventKind;
    });
  }
};

struct Table {
  std::vector<Grab> grabs;
  std::vector<Handler> handlers;
  unsigned int lockMasks = 0;
  bool listening = false;
};

Table& table() {
  static Table t;
  return t;
}

unsigned int maskOfKeysym(Display* d, KeySym keysym) {
  const KeyCode code = XKeysymToKeycode(d, keysym);
  if (code == 0) return 0;
  std::unique_ptr<XModifierKeymap, int (*)(XModifierKeymap*)> map(XGetModifierMapping(d), XFreeModifiermap);
  if (!map) return 0;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int k = 0; k < map->max_keypermod; ++k) {
      if (map->modifiermap[modifier * map->max_keypermod + k] == code) return 1u << modifier;
    }
  }
  return 0;
}

void dispatchPress(platform::EventHotKeyID id) {
  platform::EventRecord event{kEventClassKeyboard, kEventHotKeyPressed, id};
  // Taken at dispatch time; a handler may install another one.
  const std::vector<Handler> handlers(table().handlers.rbegin(), table().handlers.rend());
  for (std::size_t i = 0; i < handlers.size(); ++i) {
    if (!handlers[i].takes(event.eventClass, event.eventKind)) continue;
    platform::EventHandlerCall call{i};
    if (handlers[i].handler(&call, &event, handlers[i].userData) != platform::kEventNotHandledErr) break;
  }
}

void onKey(const XEvent& event) {
  // Releases are separate events that no handler asks for.
  if (event.type != KeyPress) return;
  const Table& t = table();
  const unsigned int relevant = event.xkey.state & ~t.lockMasks & (ShiftMask | ControlMask | Mod1Mask | Mod4Mask);
  for (const Grab& g : t.grabs) {
    if (g.keycode == event.xkey.keycode && g.modifiers == relevant) {
      // From the main loop, not from inside the X event dispatch.
      postToMainLoop([id = g.id] { dispatchPress(id); });
      return;
    }
  }
}

}  // namespace

OSStatus X11HotKeys::registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers,
                                    platform::EventHotKeyID id, std::uint32_t /*options*/,
                                    std::optional<platform::EventHotKeyRef>& out) {
  std::optional<XKeyCombination> combination = translateHotKey(keyCode, modifiers);
  if (!combination) return kEventHotKeyInvalidErr;
  Display* d = xDisplay();
  if (d == nullptr) return kEventHotKeyInvalidErr;
  Table& t = table();
  const KeyCode code = XKeysymToKeycode(d, combination->keysym);
  if (code == 0) return kEventHotKeyInvalidErr;
  // Registered by us already: the platform refuses a second registration.
  for (const Grab& g : t.grabs) {
    if (g.keycode == code && g.modifiers == combination->modifiers) return kEventHotKeyExistsErr;
  }
  t.lockMasks = LockMask | maskOfKeysym(d, XK_Num_Lock) | maskOfKeysym(d, XK_Scroll_Lock);
  const ::Window root = DefaultRootWindow(d);
  const std::vector<unsigned int> locks = lockCombinations(t.lockMasks);
  {
    XErrorTrap trap(d);
    for (unsigned int lock : locks) XGrabKey(d, code, combination->modifiers | lock, root, False, GrabModeAsync, GrabModeAsync);
    if (trap.failed()) {
      // Another client holds the combination (in some lock state): take
      // back what was granted, so that it stays whole for that client.
      for (unsigned int lock : locks) XUngrabKey(d, code, combination->modifiers | lock, root);
      XSync(d, False);
      return kEventHotKeyExistsErr;
    }
  }
  if (!t.listening) {
    t.listening = true;
    addXEventHandler(onKey);
  }
  t.grabs.push_back(Grab{code, combination->modifiers, id});
  out = platform::EventHotKeyRef(std::make_shared<HotKeyHandle>(t.grabs.size()));
  XFlush(d);
  return platform::kNoErr;
}

OSStatus X11HotKeys::installApplicationEventHandler(platform::EventHandler handler,
                                                    std::span<const platform::EventTypeSpec> types,
                                                    void* userData) {
  if (handler == nullptr) return kParamErr;
  table().handlers.push_back(Handler{handler, std::vector<platform::EventTypeSpec>(types.begin(), types.end()), userData});
  return platform::kNoErr;
}

}  // namespace axt::lindesk
