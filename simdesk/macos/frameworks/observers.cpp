// Accessibility observers and the run loop they deliver on. The desktop
// delivers a notification to an observer whose run-loop source is on the
// main run loop; the observer then calls its callback with the element
// concerned and the notification's name, which the system owns (valid for
// the call: a callback that keeps them retains them), and the context the
// registration was made with.
#include <ApplicationServices/ApplicationServices.h>

#include <deque>
#include <optional>
#include <vector>

#include "ax_objects.h"
#include "simdesk/desktop.h"
#include "cf_strings.h"

namespace simdesk::macos {
namespace {

namespace platform = axt::platform;

class ObserverObject;

struct Registration {
  ObserverObject* owner = nullptr;
  void* refcon = nullptr;
};

class RunLoopSourceObject final : public Object {
 public:
  explicit RunLoopSourceObject(ObserverObject* observer) : Object(typeId()), observer_(observer) {}
  static CFTypeID typeId() {
    static const CFTypeID id = typeNamed("CFRunLoopSource");
    return id;
  }
  // The observer it belongs to, which doesn't keep it alive.
  ObserverObject* observer() const { return observer_; }

 private:
  ObserverObject* observer_;
};

class ObserverObject final : public Object {
 public:
  ObserverObject(AXObserverCallback callback, platform::Observer observer)
      : Object(typeId()), callback_(callback), observer_(std::move(observer)) {
    source_ = keep(std::make_unique<RunLoopSourceObject>(this));
  }
  static CFTypeID typeId() {
    static const CFTypeID id = typeNamed("AXObserver");
    return id;
  }

  AXObserverCallback callback() const { return callback_; }
  const platform::Observer& observer() const { return observer_; }
  RunLoopSourceObject* source() const { return source_; }
  // The desktop holds the registration's address for as long as the
  // process lives, zombies included.
  Registration* addRegistration(void* refcon) {
    registrations_.push_back(Registration{this, refcon});
    return &registrations_.back();
  }
  void dropRegistration() { registrations_.pop_back(); }

 protected:
  void dropContents() override { CFRelease(refOf<CFRunLoopSourceRef>(source_)); }

 private:
  AXObserverCallback callback_;
  platform::Observer observer_;
  RunLoopSourceObject* source_ = nullptr;
  std::deque<Registration> registrations_;
};

class RunLoopObject final : public Object {
 public:
  RunLoopObject() : Object(typeId()) { makeImmortal(); }
  static CFTypeID typeId() {
    static const CFTypeID id = typeNamed("CFRunLoop");
    return id;
  }
  // The loop keeps each source added to it.
  void keepSource(CFRunLoopSourceRef source) { sources_.push_back(CFRetain(source)); }

 private:
  std::vector<CFTypeRef> sources_;
};

platform::Accessibility& desktop() { return simdesk::seam().accessibility(); }

void deliver(const platform::Observer& /*observer*/, const platform::Element& element,
             const std::string& notification, void* context) {
  auto* r = static_cast<Registration*>(context);
  // A released observer is gone, with its registrations.
  if (r == nullptr || !r->owner->alive()) return;
  AXUIElementRef concerned = makeElement(element);
  CFStringRef name = makeString(notification);
  r->owner->callback()(refOf<AXObserverRef>(r->owner), concerned, name, r->refcon);
  // Released after the call: a callback that released them once too often
  // stops here.
  CFRelease(concerned);
  CFRelease(name);
}

}  // namespace
}  // namespace simdesk::macos

using namespace simdesk::macos;

extern "C" {

const CFRunLoopMode kCFRunLoopDefaultMode = constantString("kCFRunLoopDefaultMode");
const CFRunLoopMode kCFRunLoopCommonModes = constantString("kCFRunLoopCommonModes");

CFTypeID AXObserverGetTypeID(void) { return ObserverObject::typeId(); }

AXError AXObserverCreate(pid_t application, AXObserverCallback callback, AXObserverRef* observer) {
  if (callback == nullptr || observer == nullptr) return kAXErrorIllegalArgument;
  std::optional<axt::platform::Observer> made;
  const auto error = static_cast<AXError>(desktop().createObserver(application, &deliver, made));
  if (error != kAXErrorSuccess) return error;
  if (!made) return kAXErrorFailure;
  *observer = refOf<AXObserverRef>(keep(std::make_unique<ObserverObject>(callback, std::move(*made))));
  return kAXErrorSuccess;
}

AXError AXObserverAddNotification(AXObserverRef observer, AXUIElementRef element, CFStringRef notification,
                                  void* refcon) {
  const char* f = "AXObserverAddNotification";
  auto& o = const_cast<ObserverObject&>(as<ObserverObject>(observer, f));
  const RequestElement e(element, f);
  const std::string name = textOf(notification, f);
  Registration* r = o.addRegistration(refcon);
  const auto error = static_cast<AXError>(desktop().addNotification(o.observer(), e.ref(), name, r));
  if (error != kAXErrorSuccess) o.dropRegistration();
  return error;
}

CFRunLoopSourceRef AXObserverGetRunLoopSource(AXObserverRef observer) {
  return refOf<CFRunLoopSourceRef>(as<ObserverObject>(observer, "AXObserverGetRunLoopSource").source());
}

CFTypeID CFRunLoopGetTypeID(void) { return RunLoopObject::typeId(); }

CFRunLoopRef CFRunLoopGetCurrent(void) {
  // The host's main thread, the only one the library adds sources from.
  static RunLoopObject* const loop = keep(std::make_unique<RunLoopObject>());
  return refOf<CFRunLoopRef>(loop);
}

void CFRunLoopAddSource(CFRunLoopRef loop, CFRunLoopSourceRef source, CFRunLoopMode mode) {
  const char* f = "CFRunLoopAddSource";
  auto& l = const_cast<RunLoopObject&>(as<RunLoopObject>(loop, f));
  const auto& s = as<RunLoopSourceObject>(source, f);
  (void)objectOf(mode, f, StringObject::typeId());
  axt::platform::RunLoopMode m;
  if (CFEqual(mode, kCFRunLoopDefaultMode)) {
    m = axt::platform::RunLoopMode::kDefault;
  } else if (CFEqual(mode, kCFRunLoopCommonModes)) {
    m = axt::platform::RunLoopMode::kCommon;
  } else {
    misuse(f, "is handed a mode the simulated run loop doesn't have");
  }
  l.keepSource(source);
  if (s.observer()->alive()) desktop().addRunLoopSource(s.observer()->observer(), m);
}

}  // extern "C"
