// Each handler path from the platform's notification to the hand-over, with
// the number of accessibility requests it makes.
#include <functional>

#include "bench_desktop.h"

namespace axt::bench {
namespace {

void runPath(benchmark::State& state, const std::function<void()>& setup,
             const std::function<void()>& post) {
  freshStart();
  desk().activate(10);
  runFor(1.0);
  setup();
  runFor(1.0);
  const int deliveredBefore = deliveredCount();
  const auto before = desk().requests().total();
  std::int64_t n = 0;
  for (auto _ : state) {
    post();
    desk().runUntil(desk().now());
    if (++n % 512 == 0) {
      state.PauseTiming();
      runFor(1.0);
      state.ResumeTiming();
    }
  }
  state.counters["requests"] = static_cast<double>(desk().requests().total() - before) /
                               static_cast<double>(state.iterations());
  runFor(1.0);
  if (deliveredCount() == deliveredBefore) state.SkipWithError("the path sent nothing");
}

void nothing() {}

void selectInArea() { desk().select("area10", {4, 5}); }
void caretInArea() { desk().select("area10", {4, 0}); }

void BM_PathCaret(benchmark::State& state) {
  runPath(state, nothing, [] { desk().select("area10", {3, 0}); });
}
BENCHMARK(BM_PathCaret);

void BM_PathTextFieldSelection(benchmark::State& state) {
  runPath(state, nothing, [] { desk().select("field10", {0, 5}); });
}
BENCHMARK(BM_PathTextFieldSelection);

void BM_PathStaticText(benchmark::State& state) {
  runPath(state, nothing, [] { desk().select("label10", {5, 6}); });
}
BENCHMARK(BM_PathStaticText);

void BM_PathWindowMove(benchmark::State& state) {
  runPath(state, selectInArea, [] { desk().moveWindow("area10"); });
}
BENCHMARK(BM_PathWindowMove);

void BM_PathHotKeySelection(benchmark::State& state) {
  runPath(state, selectInArea, [] { desk().pressHotKey(); });
}
BENCHMARK(BM_PathHotKeySelection);

void BM_PathHotKeyCaret(benchmark::State& state) {
  runPath(state, caretInArea, [] { desk().pressHotKey(); });
}
BENCHMARK(BM_PathHotKeyCaret);

}  // namespace
}  // namespace axt::bench
