// A selection change after many application switches: its cost and the
// live observers must not grow with the number of switches.
#include "bench_desktop.h"

namespace axt::bench {
namespace {

void BM_SelectionAfterSwitches(benchmark::State& state) {
  freshStart();
  const auto switches = state.range(0);
  for (std::int64_t i = 0; i < switches; ++i) {
    desk().activate(i % 2 == 0 ? 10 : 20);
    runFor(0.01);
  }
  desk().activate(10);
  runFor(1.0);
  simdesk::RequestCounts before = desk().requests();
  std::int64_t n = 0;
  for (auto _ : state) {
    // Post to hand-over: the observer callbacks run, the handler hands over.
    desk().select("area10", {4, static_cast<std::int64_t>(1 + (n++ % 5))});
    desk().runUntil(desk().now());
    if (n % 512 == 0) {
      state.PauseTiming();
      runFor(1.0);
      state.ResumeTiming();
    }
  }
  const auto requests = desk().requests().total() - before.total();
  state.counters["live_observers"] = static_cast<double>(desk().liveObservers());
  state.counters["requests_per_change"] =
      static_cast<double>(requests) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SelectionAfterSwitches)->Arg(1)->Arg(1000)->Arg(10000);

}  // namespace
}  // namespace axt::bench
