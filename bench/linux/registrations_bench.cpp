// The Linux backend's observer registrations over a long session: the
// focus visits 5,000 short-lived elements (rows of a list, cells of a web
// page), each of which the core registers for selection changes on a new
// observer, as it does for every focused element; each element then goes
// (its application reports it gone). Measured after the session: the
// proxies still alive, the memory the process holds, and what one event
// then costs (a focus change heard by the application's registration and a
// selection change of the newest element), as the benchmark's time per
// iteration. Figures are reported, never asserted.
//
// Proxies are libatspi objects made without a bus: a real one holds more
// (its path, its application, what libatspi caches of it), so the memory
// figure is a floor of what each kept proxy costs.
//
// Built with AXBENCH_BEFORE, against a backend that can't be told of gone
// objects, the same session without them (for a figure from before).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "logic/handles.h"
#include "logic/observers.h"

namespace {

using axt::lindesk::ElementHandle;
using axt::lindesk::handleAs;
using axt::lindesk::GRef;
using axt::lindesk::ObjectKey;
using axt::lindesk::Observers;
namespace platform = axt::platform;

constexpr platform::Pid kPid = 77;
constexpr std::uint64_t kBus = 1;
constexpr const char* kApp = ":1.42";

long heldResidentKiB() {
  malloc_trim(0);
  long pages = 0, resident = 0;
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (f == nullptr) return -1;
  if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = -1;
  std::fclose(f);
  return resident < 0 ? -1 : resident * 4;
}

// The bytes the allocator has handed out and not been given back: what
// the session keeps, without the pages' rounding.
long heapInUseKiB() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

void ignore(const platform::Observer&, const platform::Element&, const std::string&, void*) {}

std::string pathOf(int i) { return "/org/a11y/atspi/accessible/" + std::to_string(100000 + i); }

// Counts the proxies alive.
struct Proxies {
  long alive = 0;
  GRef<AtspiAccessible> make() {
    auto* object = static_cast<AtspiAccessible*>(g_object_new(ATSPI_TYPE_ACCESSIBLE, nullptr));
    ++alive;
    g_object_weak_ref(G_OBJECT(object), [](gpointer n, GObject*) { --static_cast<Proxies*>(n)->alive; }, this);
    return GRef<AtspiAccessible>::adopt(object);
  }
};

// The core's side: every registration it made, kept for the session.
struct Session {
  Observers observers;
  Proxies proxies;
  std::vector<std::pair<platform::Observer, platform::Element>> core;
  platform::Element app = ElementHandle::application(kPid);
  platform::Element newest;
  int tracker = 0;

  void start() {
    const std::uint64_t id = observers.create(kPid, &ignore);
    (void)observers.addRegistration(id, app, kPid, "AXFocusedUIElementChanged", &tracker);
    observers.install(id);
  }
  void focus(int i) {
    newest = platform::Element(std::make_shared<ElementHandle>(kPid, proxies.make(), ObjectKey{kApp, pathOf(i)}, kBus));
    observers.deliver(kPid, newest, "AXFocusedUIElementChanged", observers.countHeardEvent());
    const std::uint64_t id = observers.create(kPid, &ignore);
    (void)observers.addRegistration(id, newest, kPid, "AXSelectedTextChanged", &tracker);
    observers.install(id);
    core.emplace_back(platform::Observer(std::make_shared<axt::lindesk::ObserverHandle>(id)), newest);
    observers.deliver(kPid, newest, "AXSelectedTextChanged", observers.countHeardEvent());
  }
  void gone(int i) {
#ifndef AXBENCH_BEFORE
    observers.objectGone(ObjectKey{kApp, pathOf(i)}, kBus);
#else
    (void)i;
#endif
  }
};

void BM_EventAfterShortLivedFocus(benchmark::State& state) {
  const int changes = static_cast<int>(state.range(0));
  auto session = std::make_unique<Session>();
  const long before = heldResidentKiB();
  const long heapBefore = heapInUseKiB();
  session->start();
  for (int i = 0; i < changes; ++i) {
    session->focus(i);
    // The newest element is the one the user is in; the others went.
    if (i > 0) session->gone(i - 1);
  }
  const long after = heldResidentKiB();
  const long heapAfter = heapInUseKiB();
  for (auto _ : state) {
    session->observers.deliver(kPid, session->newest, "AXFocusedUIElementChanged",
                               session->observers.countHeardEvent());
    session->observers.deliver(kPid, session->newest, "AXSelectedTextChanged",
                               session->observers.countHeardEvent());
    benchmark::DoNotOptimize(session->observers.anyoneListens(kPid, "AXSelectedTextChanged"));
  }
  state.counters["focus_changes"] = changes;
  state.counters["proxies_alive"] = static_cast<double>(session->proxies.alive);
  state.counters["rss_growth_kib"] = static_cast<double>(after - before);
  state.counters["heap_growth_kib"] = static_cast<double>(heapAfter - heapBefore);
#ifndef AXBENCH_BEFORE
  state.counters["objects_held"] = static_cast<double>(session->observers.objectsHeld());
#endif
}
BENCHMARK(BM_EventAfterShortLivedFocus)->Arg(50)->Arg(500)->Arg(5000);

// The floor of the figures above: what the core's records of the same
// registrations hold alone (an observer and an element, whose proxy went),
// without the backend.
void BM_TheCoresOwnShare(benchmark::State& state) {
  const int changes = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Proxies proxies;
    std::vector<std::pair<platform::Observer, platform::Element>> core;
    const long heapBefore = heapInUseKiB();
    for (int i = 0; i < changes; ++i) {
      platform::Element e(std::make_shared<ElementHandle>(kPid, proxies.make(), ObjectKey{kApp, pathOf(i)}, kBus));
#ifndef AXBENCH_BEFORE
      handleAs<ElementHandle>(e)->letGo();
#endif
      core.emplace_back(platform::Observer(std::make_shared<axt::lindesk::ObserverHandle>(i + 1)), e);
    }
    state.counters["heap_growth_kib"] = static_cast<double>(heapInUseKiB() - heapBefore);
    state.counters["proxies_alive"] = static_cast<double>(proxies.alive);
  }
}
BENCHMARK(BM_TheCoresOwnShare)->Arg(5000)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
