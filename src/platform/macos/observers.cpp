#include "observers.h"

#include <memory>

#include "c_callback.h"
#include "cf_strings.h"
#include "handles.h"

namespace axt::macdesk {

void Observers::onNotification(AXObserverRef /*observer*/, AXUIElementRef element, CFStringRef notification,
                               void* refcon) {
  callFromC([&] {
    const auto* r = static_cast<const Registration*>(refcon);
    if (r == nullptr || r->callback == nullptr) return;
    const platform::Observer observer(std::make_shared<const ObserverHandle>(r->observerId));
    const platform::Element concerned = wrapElement(CFRef<AXUIElementRef>::retain(element));
    r->callback(observer, concerned, toUtf8(notification), r->context);
  });
}

Observers::Record* Observers::find(const platform::Observer& observer) {
  const auto* h = handleAs<ObserverHandle>(observer);
  if (h == nullptr || h->id() == 0 || h->id() > records_.size()) return nullptr;
  return &records_[h->id() - 1];
}

platform::AXError Observers::create(platform::Pid pid, platform::ObserverCallback callback,
                                    std::optional<platform::Observer>& out) {
  CFRef<AXObserverRef> made;
  const AXError error = AXObserverCreate(pid, &Observers::onNotification, made.out());
  if (error != kAXErrorSuccess) return error;
  if (!made) return kAXErrorFailure;
  records_.push_back(Record{std::move(made), callback});
  out = platform::Observer(std::make_shared<const ObserverHandle>(records_.size()));
  return kAXErrorSuccess;
}

platform::AXError Observers::add(const platform::Observer& observer, AXUIElementRef element,
                                 const std::string& notification, void* context) {
  Record* record = find(observer);
  if (record == nullptr) return kAXErrorInvalidUIElementObserver;
  if (element == nullptr) return kAXErrorIllegalArgument;
  const CFRef<CFStringRef> name = makeCFString(notification);
  const auto id = handleAs<ObserverHandle>(observer)->id();
  registrations_.push_back(Registration{id, record->callback, context});
  const AXError error = AXObserverAddNotification(record->observer.get(), element, name.get(),
                                                  &registrations_.back());
  // A refused registration gives the system nothing to call back with.
  if (error != kAXErrorSuccess) registrations_.pop_back();
  return error;
}

void Observers::addRunLoopSource(const platform::Observer& observer, CFRunLoopMode mode) {
  Record* record = find(observer);
  if (record == nullptr) return;
  // The observer owns its source, and the table keeps the observer.
  CFRunLoopSourceRef source = AXObserverGetRunLoopSource(record->observer.get());
  if (source != nullptr) CFRunLoopAddSource(CFRunLoopGetCurrent(), source, mode);
}

}  // namespace axt::macdesk
