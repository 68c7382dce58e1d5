#include "logic/managed_windows.h"

#include <algorithm>
#include <set>
#include <utility>

namespace axt::lindesk {

void ManagedWindows::listChanged(Serial serial) {
  if (!changedAt_ || serial > *changedAt_) changedAt_ = serial;
}

void ManagedWindows::windowDestroyed(WindowId window, Serial serial) {
  auto it = owners_.find(window);
  // Read before the window went, or (the id given anew) after.
  if (it == owners_.end() || serial < it->second.readAt) return;
  owners_.erase(it);
  forgetIdsWithoutWindows();
}

bool ManagedWindows::listStale() const { return !read_ || (changedAt_ && *changedAt_ >= listReadAt_); }

void ManagedWindows::listRead(const std::vector<WindowId>& list, Serial serial) {
  read_ = true;
  listReadAt_ = serial;
  list_ = list;
  const std::set<WindowId> listed(list.begin(), list.end());
  std::erase_if(owners_, [&](const auto& entry) { return listed.count(entry.first) == 0; });
  forgetIdsWithoutWindows();
}

std::vector<ManagedWindows::WindowId> ManagedWindows::unread() const {
  std::vector<WindowId> out;
  for (WindowId w : list_) {
    if (owners_.count(w) == 0 && std::find(out.begin(), out.end(), w) == out.end()) out.push_back(w);
  }
  return out;
}

void ManagedWindows::ownerRead(WindowId window, std::optional<platform::Pid> pid, Serial serial) {
  if (std::find(list_.begin(), list_.end(), window) == list_.end()) return;
  owners_[window] = Owner{pid, serial};
}

std::optional<std::optional<platform::Pid>> ManagedWindows::ownerOf(WindowId window) const {
  auto it = owners_.find(window);
  if (it == owners_.end()) return std::nullopt;
  return it->second.pid;
}

std::vector<ManagedWindows::WindowId> ManagedWindows::windowsOf(platform::Pid pid) const {
  std::vector<WindowId> out;
  for (WindowId w : list_) {
    auto it = owners_.find(w);
    if (it != owners_.end() && it->second.pid == pid && std::find(out.begin(), out.end(), w) == out.end()) {
      out.push_back(w);
    }
  }
  return out;
}

void ManagedWindows::applicationIdRead(platform::Pid pid, std::string id, Serial serial) {
  // A process without listed windows may be gone by the next question, its
  // number given to another.
  if (windowsOf(pid).empty()) return;
  applicationIds_[pid] = ApplicationId{std::move(id), serial};
}

const std::string* ManagedWindows::applicationIdOf(platform::Pid pid) const {
  auto it = applicationIds_.find(pid);
  return it == applicationIds_.end() ? nullptr : &it->second.id;
}

void ManagedWindows::applicationIdChanged(WindowId window, Serial serial) {
  auto owner = owners_.find(window);
  if (owner == owners_.end() || !owner->second.pid) return;
  auto it = applicationIds_.find(*owner->second.pid);
  // Made before the read: in it.
  if (it != applicationIds_.end() && serial >= it->second.readAt) applicationIds_.erase(it);
}

void ManagedWindows::forgetAll() { *this = ManagedWindows(); }

void ManagedWindows::forgetIdsWithoutWindows() {
  std::set<platform::Pid> withWindows;
  for (const auto& [window, owner] : owners_) {
    if (owner.pid) withWindows.insert(*owner.pid);
  }
  std::erase_if(applicationIds_, [&](const auto& entry) { return withWindows.count(entry.first) == 0; });
}

}  // namespace axt::lindesk
