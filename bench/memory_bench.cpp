// Resident memory must stay flat however many events pass through: after
// warming up, a million deliveries and a hundred thousand selection changes
// add nothing that stays. Each reading first has the allocator hand back
// the pages it keeps free (heldResidentKiB), so that the figures are the
// same whether this benchmark runs alone or after others in the same
// process; the growth is the figure that matters.
#include "bench_desktop.h"
#include "host/delivery/event_delivery.h"
#include "rss.h"

namespace axt::bench {
namespace {

void BM_MemoryAfterManyEvents(benchmark::State& state) {
  for (auto _ : state) {
    freshStart();
    desk().activate(10);
    runFor(1.0);
    const host::EventData data{{"selected_text", "some words"}, {"is_editable", true}};
    // Warm up the allocator and the queues.
    for (int i = 0; i < 10'000; ++i) {
      host::callbackWraper("text_select", data);
      runFor(0.2);
    }
    const long before = heldResidentKiB();
    for (int i = 0; i < 1'000'000; ++i) {
      host::callbackWraper("text_select", data);
      if (i % 4 == 0) runFor(0.2);  // bursts coalesce, every run is drained
    }
    runFor(1.0);
    const long afterEvents = heldResidentKiB();
    for (int i = 0; i < 100'000; ++i) {
      desk().select("area10", {i % 20, 1 + i % 7});
      runFor(0.2);
    }
    const long afterSelections = heldResidentKiB();
    state.counters["rss_before_kib"] = static_cast<double>(before);
    state.counters["rss_after_1M_events_kib"] = static_cast<double>(afterEvents);
    state.counters["rss_after_100k_selections_kib"] = static_cast<double>(afterSelections);
    state.counters["rss_growth_kib"] = static_cast<double>(afterSelections - before);
    state.counters["deliveries"] = static_cast<double>(deliveredCount());
  }
}
BENCHMARK(BM_MemoryAfterManyEvents)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace axt::bench
