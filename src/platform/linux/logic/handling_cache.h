// What the handling of one change has learned of the applications' objects.
// A handler asks the same things of the element it was given several times
// over (its states, whether it exists, its selection, the selected text);
// each question costs a round trip to the application, and the answers
// can't differ within the moment the handling takes. While a handling is
// under way (a HandlingScope is open) the first answer to each question is
// kept and given again; outside one, and after the library itself acted on
// an application (wrote a value, typed a key), every question goes to the
// application again.
#pragma once

#include <atspi/atspi.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "glue/gobject_ref.h"
#include "glue/run_loop.h"
#include "logic/char_range.h"
#include "platform/values.h"

namespace axt::lindesk {

// A text's selections as its application reports them: how many, and the
// first one's characters when there is one.
struct SelectionReading {
  gint count = 0;
  CharRange first;
};

struct ObjectReadings {
  GRef<AtspiStateSet> states;
  std::optional<SelectionReading> selection;
  std::optional<gint> caret;
  std::optional<gint> characters;
  std::vector<std::pair<CharRange, std::string>> texts;  // text of character ranges
};

class HandlingCache {
 public:
  HandlingCache() = default;
  HandlingCache(const HandlingCache&) = delete;
  HandlingCache& operator=(const HandlingCache&) = delete;

  // Calls `use` with what is known of the object while a handling is under
  // way, and says whether it did; outside one, nothing is kept.
  template <class Use>
  bool with(AtspiAccessible* object, Use&& use) {
    if (depth_ == 0 || object == nullptr) return false;
    std::forward<Use>(use)(readingsOf(object));
    return true;
  }

  // The answer kept for one of the object's questions (`slot`), else what
  // `ask(out)` answers, kept when it succeeds.
  template <class T, class Ask>
  platform::AXError answer(AtspiAccessible* object, std::optional<T> ObjectReadings::*slot, T& out, Ask&& ask) {
    std::optional<T> known;
    with(object, [&](ObjectReadings& r) { known = r.*slot; });
    if (known) {
      out = *known;
      return platform::axerr::kSuccess;
    }
    const platform::AXError code = std::forward<Ask>(ask)(out);
    if (code == platform::axerr::kSuccess) with(object, [&](ObjectReadings& r) { r.*slot = out; });
    return code;
  }

  bool handling() const { return depth_ > 0; }

  // What was kept no longer holds: the library acted on an application, or
  // an application reported a change.
  void forget() {
    entries_.clear();
    ++era_;
  }

  // A stamp that stays the same for as long as readings are kept and
  // hold, for what a session way keeps of its own (the compositor's
  // tree): absent outside a handling, where nothing may be kept.
  std::optional<std::uint64_t> era() const { return depth_ > 0 ? std::optional<std::uint64_t>(era_) : std::nullopt; }

 private:
  friend class HandlingScope;
  ObjectReadings& readingsOf(AtspiAccessible* object);

  int depth_ = 0;
  std::uint64_t era_ = 0;
  std::vector<std::pair<GRef<AtspiAccessible>, ObjectReadings>> entries_;
};

// One handling: from the backend's entry points (a posted block, an X
// event, an event of the bus). A handling that starts inside another (a
// main loop run within a handler) starts afresh, and the outer one goes on
// afresh after it: the world moved meanwhile.
class HandlingScope {
 public:
  explicit HandlingScope(HandlingCache& cache) : cache_(cache) {
    cache_.forget();
    ++cache_.depth_;
  }
  ~HandlingScope() {
    --cache_.depth_;
    cache_.forget();
  }
  HandlingScope(const HandlingScope&) = delete;
  HandlingScope& operator=(const HandlingScope&) = delete;

 private:
  HandlingCache& cache_;
};

// A handling as the run loop runs one: the readings last as long as it.
class CachedHandling final : public Handling {
 public:
  explicit CachedHandling(HandlingCache& cache) : cache_(cache) {}
  void run(const std::function<void()>& block) override {
    const HandlingScope handling(cache_);
    block();
  }

 private:
  HandlingCache& cache_;
};

}  // namespace axt::lindesk
