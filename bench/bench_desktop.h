// A quiet simulated desktop for the benchmarks: an editor (pid 10) and a
// second application (pid 20), the library started with no host output.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

#include "ax/registrations.h"
#include "host/delivery/module_state.h"
#include "host/operations.h"
#include "simdesk/desktop.h"

namespace axt::bench {

inline simdesk::Desktop& desk() { return simdesk::Desktop::get(); }

inline int& deliveredCount() {
  static int count = 0;
  return count;
}

inline void countingCallback(const char*, const char* json) {
  benchmark::DoNotOptimize(json);
  ++deliveredCount();
}

inline simdesk::AppSpec benchApp(simdesk::Pid pid, const std::string& bundle) {
  simdesk::AppSpec app;
  app.pid = pid;
  app.bundleId = bundle;
  app.name = bundle;
  app.focused = "area" + std::to_string(pid);
  simdesk::ElementSpec area;
  area.id = "area" + std::to_string(pid);
  area.role = "AXTextArea";
  area.text = "The quick brown fox jumps over the lazy dog.\nA second line of text here.";
  area.frame = {{100, 200}, {400, 300}};
  simdesk::ElementSpec field;
  field.id = "field" + std::to_string(pid);
  field.role = "AXTextField";
  field.text = "a single line field";
  field.frame = {{100, 50}, {200, 16}};
  simdesk::ElementSpec label;
  label.id = "label" + std::to_string(pid);
  label.role = "AXStaticText";
  label.text = "some static words on a page";
  label.frame = {{10, 10}, {300, 16}};
  app.elements = {area, field, label};
  return app;
}

// Fresh desktop and library, tracking started, nothing adopted yet.
inline void freshStart() {
  host::main(0, nullptr);
  desk().reset();
  ax::forgetRegistrations();
  desk().setLineSink([](std::string_view) {});
  desk().addApp(benchApp(10, "com.example.editor"));
  desk().addApp(benchApp(20, "com.example.other"));
  deliveredCount() = 0;
  host::initMacAccessibility(&countingCallback);
  host::start("{}");
}

inline void runFor(double seconds) { desk().runUntil(desk().now() + seconds); }

}  // namespace axt::bench
