// The items waiting on the main run loop, and the "world" queue of things
// other applications do on their own. Both are ordered by due time, then by
// one shared sequence number, so that items scheduled for the same moment run
// in the order they were scheduled, whichever queue they are in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace simdesk::detail {

inline constexpr const char* kDefaultModeName = "kCFRunLoopDefaultMode";

// In which run-loop modes a main-loop item may run.
enum class ItemModes {
  kAny,          // main-queue blocks, common-mode timers and sources, system events
  kDefaultOnly,  // default-mode timers and run-loop sources
};

struct QueuedItem {
  double due = 0;
  std::function<void()> run;
};

class RunQueue {
 public:
  // A due time that isn't a number counts as "now"; an infinite one never
  // falls due.
  void addMain(double due, ItemModes modes, std::function<void()> run);
  void addWorld(double due, std::function<void()> run);

  // Removes and returns the earliest item due no later than `limit`: a
  // main-loop item that may run in the loop's mode (only when `withMain`), or
  // a world item, whichever comes first.
  std::optional<QueuedItem> takeNext(double limit, bool inDefaultMode, bool withMain);
  // The due time of the item takeNext would return if the limit were no
  // obstacle.
  std::optional<double> nextDue(bool inDefaultMode, bool withMain) const;

  std::size_t pendingMain() const { return main_.size(); }
  std::size_t pendingWorld() const { return world_.size(); }

 private:
  struct MainItem {
    ItemModes modes;
    std::function<void()> run;
  };
  using Key = std::pair<double, std::uint64_t>;

  using MainMap = std::map<Key, MainItem>;

  // The earliest item of `items` that may run in the loop's mode.
  template <class Map>
  static auto firstMain(Map& items, bool inDefaultMode) -> decltype(items.begin());

  MainMap main_;
  std::map<Key, std::function<void()>> world_;
  std::uint64_t sequence_ = 0;
};

}  // namespace simdesk::detail
