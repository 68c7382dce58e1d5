// The player's scenario reader on arbitrary bytes.
//
// Properties, for every input:
// - nothing crashes or throws out of the reader, and no sanitizer speaks;
// - the result is a plan or an error, and an error has a message that,
//   with its position, fits on one line;
// - a plan keeps the reader's promise that building and playing can't fail
//   on the file any more: times finite, non-negative and in order; pids
//   unique and not the host's; element and window ids unique; every element,
//   window and application a step or an attribute names exists (the host
//   may be activated or launched, never made to quit or to stop
//   answering); a focused element
//   belongs to its application; selections and selected ranges are not
//   negative; every coordinate is finite; each step carries the arguments
//   of its name; the text elements are listed in file order;
// - the simulated desktop can be built from every plan.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "check.h"
#include "scenario_reader.h"
#include "simdesk/desktop.h"

namespace {

using axt::fuzz::check;
using axt::fuzz::fail;

bool finite(const simdesk::Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }
bool finite(const simdesk::Rect& r) {
  return finite(r.origin) && std::isfinite(r.size.width) && std::isfinite(r.size.height);
}

bool oneLine(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

struct Known {
  std::map<std::string, simdesk::Pid> elementOwner;
  std::set<simdesk::Pid> pids;
  std::set<std::string> windows;
};

void checkAttribute(const simdesk::AttrValue& value, const Known& known) {
  if (const auto* id = std::get_if<simdesk::ElementId>(&value)) {
    check(known.elementOwner.count(id->id) == 1, "an attribute names a known element");
  } else if (const auto* p = std::get_if<simdesk::Point>(&value)) {
    check(finite(*p), "attribute points are finite");
  } else if (const auto* r = std::get_if<simdesk::Rect>(&value)) {
    check(finite(*r), "attribute rects are finite");
  } else if (const auto* s = std::get_if<simdesk::Size>(&value)) {
    check(std::isfinite(s->width) && std::isfinite(s->height), "attribute sizes are finite");
  } else if (const auto* d = std::get_if<double>(&value)) {
    check(std::isfinite(*d), "attribute numbers are finite");
  }
}

// The argument shape each step name must carry.
template <class Args>
bool carries(const play::Step& step) {
  return std::holds_alternative<Args>(step.args);
}

bool rightShape(const play::Step& s) {
  using namespace play;
  static const std::map<std::string_view, bool (*)(const Step&)> shapes = {
      {"initMacAccessibility", carries<InitArgs>},
      {"start", carries<StartArgs>},
      {"setText", carries<TextArgs>},
      {"focusPreiov", carries<NoArgs>},
      {"addMouseTracker", carries<MouseTrackerArgs>},
      {"isAccessibiltyEnabled", carries<NoArgs>},
      {"showAccessibiltyPermisionPopup", carries<NoArgs>},
      {"main", carries<NoArgs>},
      {"activate", carries<AppArgs>},
      {"launch", carries<LaunchArgs>},
      {"quit", carries<AppArgs>},
      {"stop_answering", carries<AppArgs>},
      {"answer_again", carries<AppArgs>},
      {"notify_without_app", carries<NoArgs>},
      {"focus", carries<ElementArgs>},
      {"select", carries<SelectArgs>},
      {"move_window", carries<ElementArgs>},
      {"resize_window", carries<ElementArgs>},
      {"hotkey", carries<HotKeyArgs>},
      {"pointer", carries<PointerArgs>},
      {"resize_host_window", carries<HostWindowFrameArgs>},
      {"copy", carries<CopyArgs>},
      {"set", carries<SetArgs>},
      {"set_error", carries<SetErrorArgs>},
  };
  auto it = shapes.find(s.name);
  return it != shapes.end() && it->second(s);
}

void checkStep(const play::Step& step, const Known& known) {
  using namespace play;
  check(rightShape(step), "each step carries the arguments of its name", step.name);
  auto knownElement = [&](const std::string& id) {
    check(known.elementOwner.count(id) == 1, "a step names a known element", id);
  };
  auto knownApp = [&](simdesk::Pid pid) {
    check(pid == simdesk::kHostPid || known.pids.count(pid) == 1, "a step names a known app");
  };
  if (const auto* a = std::get_if<AppArgs>(&step.args)) {
    knownApp(a->pid);
    if (step.name == "quit") check(a->pid != simdesk::kHostPid, "the host never quits");
    if (step.name == "stop_answering" || step.name == "answer_again") {
      check(a->pid != simdesk::kHostPid, "the host always answers");
    }
  } else if (const auto* l = std::get_if<LaunchArgs>(&step.args)) {
    knownApp(l->pid);
  } else if (const auto* e = std::get_if<ElementArgs>(&step.args)) {
    knownElement(e->element);
  } else if (const auto* s = std::get_if<SelectArgs>(&step.args)) {
    knownElement(s->element);
    check(s->range.location >= 0 && s->range.length >= 0, "a selected range is not negative");
  } else if (const auto* m = std::get_if<MouseTrackerArgs>(&step.args)) {
    if (m->window) check(known.windows.count(*m->window) == 1, "a step names a known window");
  } else if (const auto* p = std::get_if<PointerArgs>(&step.args)) {
    check(finite(p->point), "pointer positions are finite");
  } else if (const auto* w = std::get_if<HostWindowFrameArgs>(&step.args)) {
    check(known.windows.count(w->window) == 1, "a step names a known window");
    check(finite(w->frame), "window frames are finite");
  } else if (const auto* set = std::get_if<SetArgs>(&step.args)) {
    knownElement(set->element);
    checkAttribute(set->value, known);
  } else if (const auto* err = std::get_if<SetErrorArgs>(&step.args)) {
    knownElement(err->element);
  }
}

void checkPlan(const play::Plan& plan) {
  Known known;
  for (const auto& w : plan.hostWindows) {
    check(known.windows.insert(w.id).second, "window ids are unique");
    check(finite(w.frame), "window frames are finite");
  }
  std::vector<std::string> textElements;
  for (const auto& app : plan.apps) {
    check(app.pid != simdesk::kHostPid && app.pid > 0, "an application's pid is not the host's");
    check(known.pids.insert(app.pid).second, "pids are unique");
    for (const auto& e : app.elements) {
      check(!e.id.empty(), "element ids are not empty");
      check(known.elementOwner.emplace(e.id, app.pid).second, "element ids are unique");
      check(e.selection.location >= 0 && e.selection.length >= 0, "selections are not negative");
      check(finite(e.frame), "element frames are finite");
      if (e.text) textElements.push_back(e.id);
    }
  }
  check(textElements == plan.textElements, "text elements are listed in file order");
  for (const auto& app : plan.apps) {
    if (app.focused) {
      auto owner = known.elementOwner.find(*app.focused);
      check(owner != known.elementOwner.end() && owner->second == app.pid,
            "a focused element belongs to its application");
    }
    for (const auto& [name, value] : app.attributes) checkAttribute(value, known);
    for (const auto& e : app.elements) {
      for (const auto& [name, value] : e.attributes) checkAttribute(value, known);
    }
  }
  double previous = 0;
  for (const auto& step : plan.steps) {
    check(std::isfinite(step.at) && step.at >= 0, "step times are finite and not negative");
    check(step.at >= previous, "step times are in order");
    previous = step.at;
    checkStep(step, known);
  }
}

void buildDesktop(const play::Plan& plan) {
  simdesk::Desktop& desktop = simdesk::Desktop::get();
  desktop.reset();
  desktop.setLineSink([](std::string_view) {});
  desktop.setTrusted(plan.trusted);
  desktop.setPasteboard(plan.pasteboard);
  for (const auto& window : plan.hostWindows) desktop.addHostWindow(window);
  for (const auto& app : plan.apps) desktop.addApp(app);
  for (const auto& app : plan.apps) {
    check(desktop.hasApp(app.pid), "every application of the plan is on the desktop");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  play::ReadResult result = play::readScenario(text);
  if (const auto* error = std::get_if<play::ReadError>(&result)) {
    check(!error->message.empty(), "an error says what is wrong");
    if (!oneLine(error->position) || !oneLine(error->message)) {
      fail("an error fits on one line", error->position + ": " + error->message);
    }
    return 0;
  }
  const play::Plan& plan = std::get<play::Plan>(result);
  checkPlan(plan);
  buildDesktop(plan);
  return 0;
}
