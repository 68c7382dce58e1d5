#include "observers.h"

#include <algorithm>

#include "handles.h"
#include "state.h"

namespace simdesk::detail {

namespace axerr = axt::platform::axerr;

std::uint64_t ObserverRegistry::create(Pid pid, ObserverCallback callback) {
  records_.push_back(ObserverRecord{pid, callback, {}, false, false});
  return records_.size();
}

ObserverRecord* ObserverRegistry::find(std::uint64_t id) {
  if (id == 0 || id > records_.size()) return nullptr;
  return &records_[id - 1];
}

std::size_t ObserverRegistry::installedCount() const {
  return static_cast<std::size_t>(std::count_if(records_.begin(), records_.end(),
                                                [](const ObserverRecord& r) { return r.installed(); }));
}

AXError addObserverNotification(State& s, std::uint64_t observerId, Pid elementPid,
                                const std::string& elementId, const std::string& name,
                                void* context) {
  ObserverRecord* record = s.observers.find(observerId);
  if (record == nullptr) return axerr::kInvalidUIElementObserver;
  if (record->pid != elementPid) return axerr::kIllegalArgument;
  const bool taken = std::any_of(
      record->registrations.begin(), record->registrations.end(),
      [&](const ObserverRegistration& r) { return r.elementId == elementId && r.name == name; });
  if (taken) return axerr::kNotificationAlreadyRegistered;
  record->registrations.push_back(ObserverRegistration{elementId, name, context});
  return axerr::kSuccess;
}

void postAccessibilityNotification(State& s, Pid pid, const std::string& elementId,
                                   const std::string& name) {
  const SimApp* app = s.apps.app(pid);
  if (app == nullptr || !app->running()) return;
  const double now = s.clock.now();
  const auto& records = s.observers.all();
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ObserverRecord& record = records[i];
    if (record.pid != pid || !record.installed() || record.callback == nullptr) continue;
    const ItemModes modes = record.inCommonModes ? ItemModes::kAny : ItemModes::kDefaultOnly;
    for (const ObserverRegistration& reg : record.registrations) {
      if (reg.name != name || !(reg.elementId.empty() || reg.elementId == elementId)) continue;
      axt::platform::Observer observer(std::make_shared<ObserverHandle>(s.generation, i + 1));
      axt::platform::Element element = ElementHandle::element(s.generation, pid, elementId);
      s.loop.addMain(now, modes,
                     [callback = record.callback, observer = std::move(observer),
                      element = std::move(element), name, context = reg.context] {
                       callback(observer, element, name, context);
                     });
    }
  }
}

}  // namespace simdesk::detail
