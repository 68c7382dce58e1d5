// The cost of handing an event over, and of delivering a typical selection
// event to the host (JSON included), without the fixed coalescing delay.
#include "bench_desktop.h"
#include "host/configuration.h"
#include "host/delivery/event_delivery.h"

namespace axt::bench {
namespace {

host::EventData selectionData() {
  return host::EventData{
      {"selected_text", "a sentence of about sixty characters with a / slash and \xC3\xA9"},
      {"is_editable", true},
      {"position", json::Object{{"x", 512.5}, {"y", 300.0}}},
      {"size", json::Object{{"width", 96.0}, {"height", 16.0}}},
      {"bundle_id", "com.example.editor"},
      {"name", "Editor"}};
}

void BM_HandOver(benchmark::State& state) {
  freshStart();
  const host::EventData data = selectionData();
  std::int64_t n = 0;
  for (auto _ : state) {
    host::callbackWraper("text_select", data);
    if (++n % 1024 == 0) {
      state.PauseTiming();
      runFor(1.0);
      state.ResumeTiming();
    }
  }
  runFor(1.0);
}
BENCHMARK(BM_HandOver);

// From hand-over to the host callback's return: both stages of the run
// loop (virtual time, so the delay itself costs nothing), serialisation and
// the call.
void BM_SelectionEventDelivery(benchmark::State& state) {
  freshStart();
  const host::EventData data = selectionData();
  for (auto _ : state) {
    host::callbackWraper("text_select", data);
    runFor(0.2);
  }
  if (deliveredCount() != static_cast<int>(state.iterations())) state.SkipWithError("lost events");
}
BENCHMARK(BM_SelectionEventDelivery);

void BM_ParseConfiguration1000(benchmark::State& state) {
  std::string text = "{";
  for (int i = 0; i < 1000; ++i) {
    if (i) text += ',';
    text += "\"com.example.app" + std::to_string(i) + "\":{\"name\":\"AXIdentifier\",\"value\":\"field-" +
            std::to_string(i) + "\"}";
  }
  text += '}';
  for (auto _ : state) {
    auto list = host::parseConfiguration(text);
    benchmark::DoNotOptimize(list);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseConfiguration1000);

}  // namespace
}  // namespace axt::bench
