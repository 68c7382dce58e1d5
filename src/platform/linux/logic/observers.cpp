#include "logic/observers.h"

#include <algorithm>
#include <memory>

namespace axt::lindesk {

namespace axerr = platform::axerr;

Observers::Record* Observers::find(std::uint64_t id) {
  if (id == 0 || id > records_.size()) return nullptr;
  return &records_[id - 1];
}

std::uint64_t Observers::create(Pid pid, platform::ObserverCallback callback) {
  records_.push_back(Record{pid, callback, {}, false});
  return records_.size();
}

bool Observers::exists(std::uint64_t id) const { return id != 0 && id <= records_.size(); }

void Observers::count(const Record& record, const Registration& g, int change) {
  if (!record.installed) return;
  const std::pair<Pid, std::string> which{record.pid, g.name};
  if (change > 0) {
    ++listening_[which];
    return;
  }
  auto it = listening_.find(which);
  if (it == listening_.end()) return;
  if (--it->second == 0) listening_.erase(it);
}

AXError Observers::addRegistration(std::uint64_t id, const platform::Element& element, Pid elementPid,
                                   const std::string& name, void* context) {
  Record* record = find(id);
  if (record == nullptr) return axerr::kInvalidUIElementObserver;
  if (record->pid != elementPid) return axerr::kIllegalArgument;
  const bool taken = std::any_of(record->registrations.begin(), record->registrations.end(),
                                 [&](const Registration& r) { return r.name == name && r.element == element; });
  if (taken) return axerr::kNotificationAlreadyRegistered;
  const RegistrationSlot slot{id, record->registrations.size()};
  record->registrations.push_back(Registration{element, name, context, heardCount_});
  const auto* h = handleAs<ElementHandle>(element);
  if (h == nullptr || h->isApplication()) {
    index_.addApplication(record->pid, slot);
  } else {
    index_.addObject(ObjectId{h->key(), h->bus()}, slot);
  }
  count(*record, record->registrations.back(), +1);
  return axerr::kSuccess;
}

void Observers::install(std::uint64_t id) {
  Record* record = find(id);
  if (record == nullptr || record->installed) return;
  record->installed = true;
  for (const Registration& g : record->registrations) {
    if (g.element) count(*record, g, +1);
  }
}

bool Observers::anyoneListens(Pid pid, const std::string& name) const {
  return listening_.count({pid, name}) != 0;
}

void Observers::deliver(Pid pid, const platform::Element& element, const std::string& name, std::uint64_t heard) {
  struct Call {
    std::uint64_t id;
    platform::ObserverCallback callback;
    void* context;
  };
  const auto* h = handleAs<ElementHandle>(element);
  if (h == nullptr) return;
  const ObjectId id{h->key(), h->bus()};
  // Gathered first: a callback may add observers, which moves the records.
  // One change is handed to a callback once with a given context, however
  // many of its registrations hear it (the application's and the focused
  // element's both hear a selection change): the second run would only
  // repeat the first one's requests.
  std::vector<Call> calls;
  for (const RegistrationSlot& slot : index_.reaching(pid, h->isApplication() ? nullptr : &id)) {
    const Record& r = records_[slot.observer - 1];
    if (!r.installed || r.pid != pid || r.callback == nullptr) continue;
    const Registration& g = r.registrations[slot.registration];
    if (g.since >= heard || g.name != name) continue;
    const bool repeated = std::any_of(calls.begin(), calls.end(), [&](const Call& c) {
      return c.callback == r.callback && c.context == g.context;
    });
    if (!repeated) calls.push_back(Call{slot.observer, r.callback, g.context});
  }
  for (const Call& c : calls) {
    platform::Observer observer(std::make_shared<ObserverHandle>(c.id));
    c.callback(observer, element, name, c.context);
  }
}

void Observers::letGo(const std::vector<RegistrationSlot>& slots) {
  for (const RegistrationSlot& slot : slots) {
    Record& r = records_[slot.observer - 1];
    Registration& g = r.registrations[slot.registration];
    count(r, g, -1);
    // The handle is shared with whoever else holds the element (the core's
    // record of the registration): its proxy goes for all of them, as the
    // object it stood for did.
    if (const auto* h = handleAs<ElementHandle>(g.element)) h->letGo();
    g.element = platform::Element();
    std::string().swap(g.name);
    // An observer all of whose registrations went (the focused element's,
    // the common case) keeps nothing of them: no slot names them any more.
    if (std::none_of(r.registrations.begin(), r.registrations.end(),
                     [](const Registration& kept) { return static_cast<bool>(kept.element); })) {
      std::vector<Registration>().swap(r.registrations);
    }
  }
}

void Observers::objectGone(const ObjectKey& key, std::uint64_t bus) { letGo(index_.letGo(ObjectId{key, bus})); }

void Observers::applicationGone(const std::string& busName) {
  if (busName.empty()) return;
  letGo(index_.letGoWhere([&](const ObjectId& id) { return id.key.busName == busName; }));
}

void Observers::connectionGone(std::uint64_t bus) {
  letGo(index_.letGoWhere([&](const ObjectId& id) { return id.bus <= bus; }));
}

bool Observers::holdsObject(const ObjectKey& key, std::uint64_t bus) const {
  return index_.holds(ObjectId{key, bus});
}

}  // namespace axt::lindesk
