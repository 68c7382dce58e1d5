#include "guarded_accessibility.h"

#include <utility>

#include "handles.h"
#include "state.h"

namespace simdesk::detail {

namespace {

axt::platform::backend::UnresponsiveApps::Hooks hooks(axt::platform::Accessibility& desktop) {
  return {
      [] { return state().clock.now(); },
      [](double seconds, std::function<void()> action) {
        State& s = state();
        s.loop.addMain(s.clock.now() + seconds, ItemModes::kAny, std::move(action));
      },
      [&desktop](Pid pid, double limit) {
        // The probe's own messaging timeout, for its one request.
        const double previous = std::exchange(state().requestLimit, limit);
        std::optional<Value> role;
        const AXError error = desktop.copyAttributeValue(desktop.createApplication(pid), "AXRole", role);
        state().requestLimit = previous;
        return error;
      },
  };
}

}  // namespace

GuardedAccessibility::GuardedAccessibility(axt::platform::Accessibility& desktop)
    : desktop_(desktop), unresponsive_(hooks(desktop)) {}

template <class Request>
AXError GuardedAccessibility::guarded(const Element& element, Request&& request) {
  const State& s = state();
  if (s.generation != generation_) {
    unresponsive_.forgetAll();
    generation_ = s.generation;
  }
  const auto* h = handleAs<ElementHandle>(element);
  if (h == nullptr) return std::forward<Request>(request)();
  return unresponsive_.request(h->pid(), s.requestLimit, std::forward<Request>(request));
}

bool GuardedAccessibility::isProcessTrusted(bool prompt) { return desktop_.isProcessTrusted(prompt); }

Element GuardedAccessibility::createApplication(Pid pid) { return desktop_.createApplication(pid); }

AXError GuardedAccessibility::copyAttributeValue(const Element& element, const std::string& attribute,
                                                 std::optional<Value>& out) {
  return guarded(element, [&] { return desktop_.copyAttributeValue(element, attribute, out); });
}

AXError GuardedAccessibility::copyParameterizedAttributeValue(const Element& element,
                                                              const std::string& attribute,
                                                              const Value& parameter,
                                                              std::optional<Value>& out) {
  return guarded(element,
                 [&] { return desktop_.copyParameterizedAttributeValue(element, attribute, parameter, out); });
}

AXError GuardedAccessibility::isAttributeSettable(const Element& element, const std::string& attribute,
                                                  bool& settable) {
  return guarded(element, [&] { return desktop_.isAttributeSettable(element, attribute, settable); });
}

AXError GuardedAccessibility::setAttributeValue(const Element& element, const std::string& attribute,
                                                const Value& value) {
  return guarded(element, [&] { return desktop_.setAttributeValue(element, attribute, value); });
}

AXError GuardedAccessibility::copyAttributeNames(const Element& element,
                                                 std::optional<std::vector<Value>>& names) {
  return guarded(element, [&] { return desktop_.copyAttributeNames(element, names); });
}

std::optional<AXValue> GuardedAccessibility::createRangeValue(const Range& range) {
  return desktop_.createRangeValue(range);
}

std::optional<TextMarker> GuardedAccessibility::copyStartMarker(const TextMarkerRange& range) {
  return desktop_.copyStartMarker(range);
}

std::optional<TextMarker> GuardedAccessibility::copyEndMarker(const TextMarkerRange& range) {
  return desktop_.copyEndMarker(range);
}

std::optional<TextMarkerRange> GuardedAccessibility::createTextMarkerRange(const TextMarker& first,
                                                                           const TextMarker& second) {
  return desktop_.createTextMarkerRange(first, second);
}

AXError GuardedAccessibility::createObserver(Pid pid, ObserverCallback callback, std::optional<Observer>& out) {
  return desktop_.createObserver(pid, callback, out);
}

AXError GuardedAccessibility::addNotification(const Observer& observer, const Element& element,
                                              const std::string& notification, void* context) {
  return guarded(element, [&] { return desktop_.addNotification(observer, element, notification, context); });
}

void GuardedAccessibility::addRunLoopSource(const Observer& observer, RunLoopMode mode) {
  desktop_.addRunLoopSource(observer, mode);
}

}  // namespace simdesk::detail
