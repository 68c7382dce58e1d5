#include "observers.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "handles.h"

namespace axt::lindesk {

namespace axerr = platform::axerr;

namespace {

struct Registration {
  platform::Element element;  // an application element hears all its elements
  std::string name;
  void* context = nullptr;
  std::uint64_t since = 0;  // the number of the last event heard before it
};

struct ObserverRecord {
  Pid pid = 0;
  platform::ObserverCallback callback = nullptr;
  std::vector<Registration> registrations;
  bool installed = false;
};

// Every observer ever made stays: one whose source was added keeps
// delivering whatever became of the library's references to it.
std::vector<ObserverRecord>& records() {
  static std::vector<ObserverRecord> all;
  return all;
}

std::uint64_t& heardCount() {
  static std::uint64_t count = 0;
  return count;
}

ObserverRecord* find(std::uint64_t id) {
  auto& all = records();
  if (id == 0 || id > all.size()) return nullptr;
  return &all[id - 1];
}

bool hears(const Registration& r, const platform::Element& element, const std::string& name) {
  if (r.name != name) return false;
  const auto* h = handleAs<ElementHandle>(r.element);
  return (h != nullptr && h->isApplication()) || r.element == element;
}

}  // namespace

std::uint64_t numberHeardEvent() { return ++heardCount(); }

std::uint64_t createObserverRecord(Pid pid, platform::ObserverCallback callback) {
  records().push_back(ObserverRecord{pid, callback, {}, false});
  return records().size();
}

bool observerExists(std::uint64_t id) { return find(id) != nullptr; }

AXError addObserverRegistration(std::uint64_t id, const platform::Element& element, Pid elementPid,
                                const std::string& name, void* context) {
  ObserverRecord* record = find(id);
  if (record == nullptr) return axerr::kInvalidUIElementObserver;
  if (record->pid != elementPid) return axerr::kIllegalArgument;
  const bool taken = std::any_of(record->registrations.begin(), record->registrations.end(),
                                 [&](const Registration& r) { return r.name == name && r.element == element; });
  if (taken) return axerr::kNotificationAlreadyRegistered;
  record->registrations.push_back(Registration{element, name, context, heardCount()});
  return axerr::kSuccess;
}

void installObserver(std::uint64_t id) {
  if (ObserverRecord* record = find(id)) record->installed = true;
}

bool anyoneListens(Pid pid, const std::string& name) {
  return std::any_of(records().begin(), records().end(), [&](const ObserverRecord& r) {
    return r.installed && r.pid == pid &&
           std::any_of(r.registrations.begin(), r.registrations.end(),
                       [&](const Registration& g) { return g.name == name; });
  });
}

void deliverNotification(Pid pid, const platform::Element& element, const std::string& name,
                         std::uint64_t heard) {
  struct Call {
    std::uint64_t id;
    platform::ObserverCallback callback;
    void* context;
  };
  // Gathered first: a callback may add observers, which moves the records.
  std::vector<Call> calls;
  const auto& all = records();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const ObserverRecord& r = all[i];
    if (!r.installed || r.pid != pid || r.callback == nullptr) continue;
    for (const Registration& g : r.registrations) {
      if (g.since < heard && hears(g, element, name)) calls.push_back(Call{i + 1, r.callback, g.context});
    }
  }
  for (const Call& c : calls) {
    platform::Observer observer(std::make_shared<ObserverHandle>(c.id));
    c.callback(observer, element, name, c.context);
  }
}

}  // namespace axt::lindesk
