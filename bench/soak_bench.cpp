// Several simulated hours of use: switches between applications, selections,
// carets, hot-key presses, window moves and replacements. Memory and the
// per-event cost of the last hour must equal those of the first.
#include <ctime>

#include "bench_desktop.h"
#include "rss.h"

namespace axt::bench {
namespace {

// One simulated hour: 480 switches, 48,000 selection changes and carets,
// 2,400 hot-key presses, 2,400 window moves, 20 replacements.
double playHour(std::int64_t& steps) {
  // Processor time of this process: other work on the machine doesn't count.
  auto cpuNs = [] {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
  };
  const double start = cpuNs();
  for (int minute = 0; minute < 60; ++minute) {
    for (int s = 0; s < 8; ++s) {
      const simdesk::Pid pid = (minute + s) % 2 == 0 ? 10 : 20;
      const std::string area = "area" + std::to_string(pid);
      desk().activate(pid);
      runFor(0.3);
      for (int i = 0; i < 100; ++i) {
        desk().select(area, {i % 30, i % 3 == 0 ? 0 : 1 + i % 9});
        runFor(0.05);
        ++steps;
      }
      for (int i = 0; i < 5; ++i) {
        desk().pressHotKey();
        runFor(0.2);
        desk().moveWindow(area);
        runFor(0.2);
        steps += 2;
      }
      desk().select("label" + std::to_string(pid), {s, 4});
      runFor(0.2);
      ++steps;
    }
    if (minute % 3 == 0) {
      // Replace 16 characters by 16, so the documents keep their length and
      // the desktop's own work per step stays the same.
      const simdesk::Pid front = desk().frontmost().value_or(10);
      desk().select("area" + std::to_string(front), {0, 16});
      runFor(0.2);
      host::setText("replacement text");
      runFor(0.5);
      ++steps;
    }
  }
  return cpuNs() - start;
}

void BM_SoakHours(benchmark::State& state) {
  const auto hours = state.range(0);
  for (auto _ : state) {
    freshStart();
    std::int64_t steps = 0;
    std::int64_t firstSteps = 0;
    const double first = playHour(firstSteps);
    const long rssFirst = heldResidentKiB();
    for (std::int64_t h = 1; h + 1 < hours; ++h) playHour(steps);
    std::int64_t lastSteps = 0;
    const double last = playHour(lastSteps);
    state.counters["ns_per_step_first_hour"] = first / static_cast<double>(firstSteps);
    state.counters["ns_per_step_last_hour"] = last / static_cast<double>(lastSteps);
    state.counters["rss_after_first_hour_kib"] = static_cast<double>(rssFirst);
    state.counters["rss_at_end_kib"] = static_cast<double>(heldResidentKiB());
    state.counters["live_observers"] = static_cast<double>(desk().liveObservers());
    state.counters["virtual_hours"] = desk().now() / 3600.0;
  }
}
BENCHMARK(BM_SoakHours)->Arg(4)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace axt::bench
