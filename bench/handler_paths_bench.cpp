// Each event kind from the platform's notification to the hand-over (arg 0)
// or to the host callback's return (arg 1; the coalescing delay passes in
// virtual time and costs nothing), with the accessibility requests made.
#include <functional>

#include "bench_desktop.h"
#include "window/window_tracker.h"

namespace axt::bench {
namespace {

void runPath(benchmark::State& state, const std::function<void()>& setup,
             const std::function<void(std::int64_t)>& post) {
  freshStart();
  desk().activate(10);
  runFor(1.0);
  setup();
  runFor(1.0);
  const bool toCallback = state.range(0) == 1;
  const int deliveredBefore = deliveredCount();
  const auto before = desk().requests().total();
  std::int64_t n = 0;
  for (auto _ : state) {
    post(n);
    if (toCallback) {
      runFor(0.2);
    } else {
      desk().runUntil(desk().now());
    }
    if (!toCallback && ++n % 512 == 0) {
      state.PauseTiming();
      runFor(1.0);
      state.ResumeTiming();
    } else if (toCallback) {
      ++n;
    }
  }
  state.counters["requests"] = static_cast<double>(desk().requests().total() - before) /
                               static_cast<double>(state.iterations());
  runFor(1.0);
  if (deliveredCount() == deliveredBefore) state.SkipWithError("the path sent nothing");
  if (toCallback && deliveredCount() - deliveredBefore != state.iterations()) {
    state.SkipWithError("an event was lost");
  }
}

void nothing() {}
void selectInArea() { desk().select("area10", {4, 5}); }
void caretInArea() { desk().select("area10", {4, 0}); }

void BM_AppChanged(benchmark::State& state) {
  runPath(state, nothing, [](std::int64_t n) { desk().activate(n % 2 == 0 ? 20 : 10); });
}
BENCHMARK(BM_AppChanged)->Arg(0)->Arg(1);

void BM_FocusChanged(benchmark::State& state) {
  runPath(state, nothing, [](std::int64_t n) { desk().focus(n % 2 == 0 ? "field10" : "area10"); });
}
BENCHMARK(BM_FocusChanged)->Arg(0)->Arg(1);

void BM_Caret(benchmark::State& state) {
  runPath(state, nothing, [](std::int64_t n) { desk().select("area10", {n % 10, 0}); });
}
BENCHMARK(BM_Caret)->Arg(0)->Arg(1);

void BM_TextFieldSelection(benchmark::State& state) {
  runPath(state, nothing, [](std::int64_t n) { desk().select("field10", {0, 1 + n % 5}); });
}
BENCHMARK(BM_TextFieldSelection)->Arg(0)->Arg(1);

void BM_StaticTextSelection(benchmark::State& state) {
  runPath(state, nothing, [](std::int64_t n) { desk().select("label10", {5, 1 + n % 6}); });
}
BENCHMARK(BM_StaticTextSelection)->Arg(0)->Arg(1);

void BM_WindowMove(benchmark::State& state) {
  runPath(state, selectInArea, [](std::int64_t) { desk().moveWindow("area10"); });
}
BENCHMARK(BM_WindowMove)->Arg(0)->Arg(1);

void BM_HotKeySelection(benchmark::State& state) {
  runPath(state, selectInArea, [](std::int64_t) { desk().pressHotKey(); });
}
BENCHMARK(BM_HotKeySelection)->Arg(0)->Arg(1);

void BM_HotKeyCaret(benchmark::State& state) {
  runPath(state, caretInArea, [](std::int64_t) { desk().pressHotKey(); });
}
BENCHMARK(BM_HotKeyCaret)->Arg(0)->Arg(1);

void BM_MouseHover(benchmark::State& state) {
  runPath(state,
          [] {
            desk().addHostWindow({"panel", {{0, 0}, {100, 100}}, true});
            window::addMouseTracker(desk().windowObject("panel"));
          },
          [](std::int64_t) {
            desk().movePointer({500, 500});  // out (re-activates the editor) and back in
            desk().movePointer({50, 50});
          });
}
BENCHMARK(BM_MouseHover)->Arg(0)->Arg(1);

}  // namespace
}  // namespace axt::bench
