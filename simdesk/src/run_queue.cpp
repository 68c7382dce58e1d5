#include "run_queue.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace simdesk::detail {

namespace {

double sanitize(double due) { return std::isnan(due) ? 0.0 : due; }

}  // namespace

void RunQueue::addMain(double due, ItemModes modes, std::function<void()> run) {
  main_.emplace(Key{sanitize(due), sequence_++}, MainItem{modes, std::move(run)});
}

void RunQueue::addWorld(double due, std::function<void()> run) {
  world_.emplace(Key{sanitize(due), sequence_++}, std::move(run));
}

template <class Map>
auto RunQueue::firstMain(Map& items, bool inDefaultMode) -> decltype(items.begin()) {
  for (auto it = items.begin(); it != items.end(); ++it) {
    if (!std::isfinite(it->first.first)) break;
    if (it->second.modes == ItemModes::kAny || inDefaultMode) return it;
  }
  return items.end();
}

std::optional<QueuedItem> RunQueue::takeNext(double limit, bool inDefaultMode, bool withMain) {
  auto m = withMain ? firstMain(main_, inDefaultMode) : main_.end();
  if (m != main_.end() && m->first.first > limit) m = main_.end();
  auto w = world_.begin();
  if (w != world_.end() && !(w->first.first <= limit)) w = world_.end();

  const bool takeMain = m != main_.end() && (w == world_.end() || m->first < w->first);
  if (takeMain) {
    QueuedItem item{m->first.first, std::move(m->second.run)};
    main_.erase(m);
    return item;
  }
  if (w == world_.end()) return std::nullopt;
  QueuedItem item{w->first.first, std::move(w->second)};
  world_.erase(w);
  return item;
}

std::optional<double> RunQueue::nextDue(bool inDefaultMode, bool withMain) const {
  double due = std::numeric_limits<double>::infinity();
  if (withMain) {
    if (auto m = firstMain(main_, inDefaultMode); m != main_.end()) due = m->first.first;
  }
  if (!world_.empty()) due = std::min(due, world_.begin()->first.first);
  if (!std::isfinite(due)) return std::nullopt;
  return due;
}

}  // namespace simdesk::detail
