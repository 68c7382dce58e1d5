#include "observers.h"

#include <algorithm>
#include <memory>

#include "handles.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

bool Observers::hears(const Registration& r, const platform::Element& element, const std::string& name) {
  if (r.name != name) return false;
  const auto* h = handleAs<ElementHandle>(r.element);
  return (h != nullptr && h->isApplication()) || r.element == element;
}

Observers::Record* Observers::find(std::uint64_t id) {
  if (id == 0 || id > records_.size()) return nullptr;
  return &records_[id - 1];
}

std::uint64_t Observers::create(Pid pid, platform::ObserverCallback callback) {
  records_.push_back(Record{pid, callback, {}, false});
  return records_.size();
}

bool Observers::exists(std::uint64_t id) const { return id != 0 && id <= records_.size(); }

AXError Observers::addRegistration(std::uint64_t id, const platform::Element& element, Pid elementPid,
                                   const std::string& name, void* context) {
  Record* record = find(id);
  if (record == nullptr) return axerr::kInvalidUIElementObserver;
  if (record->pid != elementPid) return axerr::kIllegalArgument;
  const bool taken = std::any_of(record->registrations.begin(), record->registrations.end(),
                                 [&](const Registration& r) { return r.name == name && r.element == element; });
  if (taken) return axerr::kNotificationAlreadyRegistered;
  record->registrations.push_back(Registration{element, name, context, heardCount_});
  return axerr::kSuccess;
}

void Observers::install(std::uint64_t id) {
  if (Record* record = find(id)) record->installed = true;
}

bool Observers::anyoneListens(Pid pid, const std::string& name) const {
  return std::any_of(records_.begin(), records_.end(), [&](const Record& r) {
    return r.installed && r.pid == pid &&
           std::any_of(r.registrations.begin(), r.registrations.end(),
                       [&](const Registration& g) { return g.name == name; });
  });
}

void Observers::deliver(Pid pid, const platform::Element& element, const std::string& name, std::uint64_t heard) {
  struct Call {
    std::uint64_t id;
    platform::ObserverCallback callback;
    void* context;
  };
  // Gathered first: a callback may add observers, which moves the records.
  // One change is handed to a callback once with a given context, however
  // many of its registrations hear it (the application's and the focused
  // element's both hear a selection change): the second run would only
  // repeat the first one's requests.
  std::vector<Call> calls;
  for (std::size_t i = 0; i < records_.size(); ++i) {
    const Record& r = records_[i];
    if (!r.installed || r.pid != pid || r.callback == nullptr) continue;
    for (const Registration& g : r.registrations) {
      if (g.since >= heard || !hears(g, element, name)) continue;
      const bool repeated = std::any_of(calls.begin(), calls.end(), [&](const Call& c) {
        return c.callback == r.callback && c.context == g.context;
      });
      if (!repeated) calls.push_back(Call{i + 1, r.callback, g.context});
    }
  }
  for (const Call& c : calls) {
    platform::Observer observer(std::make_shared<ObserverHandle>(c.id));
    c.callback(observer, element, name, c.context);
  }
}

}  // namespace axt::lindesk
