#include "ax/registrations.h"

#include <array>
#include <unordered_map>
#include <utility>

#include "ax/log.h"

namespace axt::ax {

namespace {

struct RegistrationKey {
  platform::Element element;
  std::string notification;
  platform::ObserverCallback callback;
  void* context;

  friend bool operator==(const RegistrationKey& a, const RegistrationKey& b) {
    return a.callback == b.callback && a.context == b.context &&
           a.notification == b.notification && a.element == b.element;
  }
};

struct RegistrationKeyHash {
  std::size_t operator()(const RegistrationKey& k) const {
    std::size_t h = k.element.hash();
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2); };
    mix(std::hash<std::string>{}(k.notification));
    mix(std::hash<const void*>{}(reinterpret_cast<const void*>(k.callback)));
    mix(std::hash<const void*>{}(k.context));
    return h;
  }
};

struct Registration {
  platform::Observer observer;
  platform::Pid pid;        // the process the observer was made for
  bool registered = false;  // the notification was accepted
};

std::optional<platform::Observer> gObserver;
std::optional<platform::EventHotKeyRef> gHotKey;
// Holds every observer the library made; the run loop's source keeps it
// delivering, this keeps it reachable for repeats of its registration.
std::unordered_map<RegistrationKey, Registration, RegistrationKeyHash> gRegistrations;

void addNotification(Registration& registration, const RegistrationKey& key) {
  platform::AXError error = platform::current().accessibility().addNotification(
      registration.observer, key.element, key.notification, key.context);
  if (error != platform::axerr::kSuccess) {
    logLine("error");
    return;
  }
  registration.registered = true;
}

}  // namespace

std::optional<platform::Observer>& observer() { return gObserver; }
std::optional<platform::EventHotKeyRef>& hotKey() { return gHotKey; }

void setNotification(const platform::Element& element, platform::Pid pid,
                     const std::string& notification, platform::ObserverCallback callback,
                     void* tracker) {
  RegistrationKey key{element, notification, callback, tracker};
  auto found = gRegistrations.find(key);
  // Already live: nothing to add.
  if (found != gRegistrations.end() && found->second.registered) return;
  // A registration refused earlier is retried on its own observer while it
  // is asked for the same process. Asked for another one (an element focused
  // while its application was in the background, whose process now is the
  // frontmost), the old observer would be refused again forever: it gets a
  // new observer for the process asked for.
  if (found != gRegistrations.end() && found->second.pid == pid) {
    addNotification(found->second, key);
    return;
  }

  platform::Accessibility& ax = platform::current().accessibility();
  std::optional<platform::Observer> made;
  (void)ax.createObserver(pid, callback, made);
  gObserver = made;
  // A process that has gone (or never was) gives no observer: there is
  // nothing to register then.
  if (!made) return;

  Registration registration{*made, pid, false};
  addNotification(registration, key);
  ax.addRunLoopSource(registration.observer, platform::RunLoopMode::kDefault);
  if (found != gRegistrations.end()) {
    found->second = std::move(registration);
  } else {
    gRegistrations.emplace(std::move(key), std::move(registration));
  }
}

void setAppChangedNotification(
    std::function<void(const platform::WorkspaceNotification&)> callBack,
    platform::EventHandler keyDownCallback, void* tracker) {
  platform::Platform& p = platform::current();
  p.workspace().addObserver(platform::kDidActivateApplicationNotification,
                            [callBack](const platform::WorkspaceNotification& n) { callBack(n); });
  p.workspace().addObserver(platform::kDidLaunchApplicationNotification,
                            [callBack](const platform::WorkspaceNotification& n) { callBack(n); });

  std::optional<platform::EventHotKeyRef> ref;
  platform::OSStatus status = p.hotKeys().registerHotKey(
      kHotKeyCode, kHotKeyModifiers, platform::EventHotKeyID{kHotKeySignature, kHotKeyId},
      kHotKeyOptions, ref);
  if (ref) gHotKey = ref;
  if (status != platform::kNoErr) logLine("Failed to register hotkey.");

  const std::array<platform::EventTypeSpec, 1> types{
      platform::EventTypeSpec{kEventClassKeyboard, kEventHotKeyPressed}};
  (void)p.hotKeys().installApplicationEventHandler(keyDownCallback, types, tracker);
}

std::size_t registeredObserverCount() { return gRegistrations.size(); }

void forgetRegistrationsOf(const void* tracker) {
  std::erase_if(gRegistrations, [tracker](const auto& entry) { return entry.first.context == tracker; });
}

void forgetRegistrations() {
  gRegistrations.clear();
  gObserver.reset();
  gHotKey.reset();
}

}  // namespace axt::ax
