// Random action sequences on a random simulated desktop, through the
// library's module operations, with virtual time.
//
// The input decodes into a desktop (sequence/scene.h) and up to 64 actions:
// the user's (activate, launch, quit, focus, select, windows moved or
// resized, the hot key, the pointer, copies, changed answers and errors),
// the host's (every entry point, now and then from inside the host
// callback, start with random configurations, setText while another
// application copies) and time, in the default run-loop mode or another.
//
// Checked after every action and at the end, besides crashes and sanitizer
// reports: the delivery rules of sequence/delivery_checker.h against an
// account of every hand-over, the pending slot, the trust queries, the
// pasteboard that setText leaves (as it found it, or with what another
// application copied over the library's temporary text), and what main
// empties.
//
// Hand-overs are seen through the tracker's `callback` member, which the
// fuzzer points at a recorder for every tracker it makes. The hover tracker
// hands "mouse_hoverd" over directly, from a queued tracking-area event:
// those are predicted from a model of the tracked windows
// (sequence/pointer_model.h), with the loop settled right before and after
// each pointer move; the desktop's queue must grow by exactly the predicted
// crossings and the slot must match the account, so a wrong prediction
// can't pass unnoticed.
//
// With AXTRACK_FUZZ_TRACE set, the desktop, every action, hand-over,
// delivery and library line go to standard error with their virtual time.
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ax/registrations.h"
#include "check.h"
#include "fuzz_input.h"
#include "host/delivery/event_delivery.h"
#include "json/json.h"
#include "host/delivery/module_state.h"
#include "host/operations.h"
#include "sequence/delivery_checker.h"
#include "sequence/pointer_model.h"
#include "sequence/scene.h"
#include "simdesk/desktop.h"
#include "tracker/mac_accessibility.h"
#include "tracker/pasteboard_snapshot.h"
#include "window/window_tracker.h"
#include "text/utf8.h"

namespace {

using axt::fuzz::check;
using axt::fuzz::FuzzInput;
using axt::fuzz::fail;

simdesk::Desktop& desk() { return simdesk::Desktop::get(); }

bool tracing() {
  static const bool on = std::getenv("AXTRACK_FUZZ_TRACE") != nullptr;
  return on;
}

__attribute__((format(printf, 1, 2))) void trace(const char* format, ...) {
  if (!tracing()) return;
  std::fprintf(stderr, "%10.6f  ", desk().now());
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}

struct ConcurrentCopy;

struct Run {
  FuzzInput* input = nullptr;  // the one being played
  bool reacting = false;                // inside the host callback's own calls
  axt::fuzz::Scene scene;
  bool pasting = false;  // inside setText
  std::vector<std::shared_ptr<ConcurrentCopy>> copiedWhilePasting;
  axt::fuzz::DeliveryChecker deliveries;
  axt::fuzz::PointerModel pointer;
  double lastNow = 0;
};

Run& run() {
  static Run r;
  return r;
}

void recordHandOver(const std::string& notification, const axt::host::EventData& data) {
  Run& r = run();
  trace("hand-over %s %s", notification.c_str(),
        axt::json::write(axt::json::Value(data)).c_str());
  r.deliveries.checkSlot(axt::host::eventParams(), "before a hand-over");
  r.deliveries.handOver(desk().now(), axt::host::EventParams{notification, data},
                        axt::host::observer_callback() != nullptr);
  axt::host::callbackWraper(notification, data);
}

void hostReacts(FuzzInput& in, Run& r);

void onEvent(const char* name, const char* json) {
  check(name != nullptr && json != nullptr, "the host receives two texts");
  trace("delivered %s %s", name, json);
  Run& r = run();
  r.deliveries.delivered(desk().now(), name, json);
  // Now and then the host calls back into the library from its callback.
  if (r.input != nullptr && r.input->remaining_bytes() > 0 && !r.reacting &&
      r.input->ConsumeIntegralInRange(0, 7) == 0) {
    r.reacting = true;
    hostReacts(*r.input, r);
    r.reacting = false;
  }
}

void resetAll() {
  axt::host::main(0, nullptr);
  desk().reset();
  axt::ax::forgetRegistrations();
  desk().setLineSink([](std::string_view line) {
    trace("line %.*s", static_cast<int>(line.size()), line.data());
  });
}

void traceScene(const axt::fuzz::Scene& scene) {
  if (!tracing()) return;
  trace("desktop: trusted %d, %zu pasteboard items", scene.trusted, scene.pasteboard.size());
  for (const auto& w : scene.windows) {
    trace("  window %s [%g, %g, %g, %g] content view %d", w.id.c_str(), w.frame.origin.x,
          w.frame.origin.y, w.frame.size.width, w.frame.size.height, w.contentView);
  }
  for (const auto& app : scene.apps) {
    trace("  app %d %s \"%s\" launched %d accessible %d focused %s, %zu answers", app.pid,
          app.bundleId.value_or("-").c_str(), app.name.value_or("").c_str(), app.launched,
          app.accessible, app.focused.value_or("-").c_str(), app.attributes.size());
    for (const auto& e : app.elements) {
      const std::string text = e.text ? axt::json::write(axt::json::Value(axt::text::toValidUtf8(*e.text))) : "-";
      trace("    %s %s text %s sel [%lld, %lld] editable %d markers %d, %zu answers, %zu errors",
            e.id.c_str(), e.role.value_or("-").c_str(), text.c_str(),
            static_cast<long long>(e.selection.location), static_cast<long long>(e.selection.length),
            e.editable ? int{*e.editable} : -1, e.markers ? int{*e.markers} : -1, e.attributes.size(), e.errors.size());
    }
  }
}

void buildDesktop(Run& r) {
  traceScene(r.scene);
  desk().setTrusted(r.scene.trusted);
  desk().setPasteboard(r.scene.pasteboard);
  for (const auto& w : r.scene.windows) {
    desk().addHostWindow(w);
    r.pointer.addWindow(w);
  }
  for (const auto& app : r.scene.apps) desk().addApp(app);
}

// Runs what is due at this very moment.
void settle() { desk().runUntil(desk().now()); }

void afterStep(Run& r, std::string_view what) {
  const double now = desk().now();
  check(now >= r.lastNow, "virtual time never goes back", what);
  r.lastNow = now;
  r.deliveries.checkSlot(axt::host::eventParams(), what);
}

// --- the host's calls --------------------------------------------------------

void initMacAccessibility(Run& r, bool withCallback) {
  trace("initMacAccessibility%s", withCallback ? "" : " (null callback)");
  axt::host::initMacAccessibility(withCallback ? &onEvent : nullptr);
  if (const auto& tracker = axt::host::macAccessibility()) tracker->callback = &recordHandOver;
  if (!withCallback) r.deliveries.callbackRemoved();
}

void start(FuzzInput& in, Run& r) {
  if (in.ConsumeIntegralInRange(0, 15) == 0) {
    trace("start (null)");
    axt::host::start(nullptr);
    return;
  }
  const std::string configuration = axt::fuzz::randomConfiguration(in, r.scene);
  trace("start %s", configuration.c_str());
  axt::host::start(configuration.c_str());
}

// Something another application copies at a moment of its own choosing,
// which may fall into a later paste than the one it was planned around.
struct ConcurrentCopy {
  std::vector<simdesk::PasteboardItem> items;
  bool sawTemporaryText = false;  // the library's own text was on the pasteboard
};

bool holdsTemporaryText(const std::vector<simdesk::PasteboardItem>& items) {
  for (const auto& item : items) {
    for (const auto& [type, data] : item.types) {
      if (type == axt::tracker::kTransientType) return true;
    }
  }
  return false;
}

// setText, now and then while another application copies something. The
// pasteboard ends as it was, unless another application copied after the
// library's temporary text went on it: newer content is the user's and stays.
void setText(FuzzInput& in, Run& r) {
  const bool null = in.ConsumeIntegralInRange(0, 15) == 0;
  const std::string text = axt::fuzz::randomText(in, 3);
  if (in.ConsumeIntegralInRange(0, 3) == 0) {
    static constexpr double kWhen[] = {0.05, 0.1, 0.19, 0.21, 0.5, 1.0, 1.19};
    const double when = desk().now() + in.PickValueInArray(kWhen);
    auto copy = std::make_shared<ConcurrentCopy>();
    copy->items = axt::fuzz::randomItems(in);
    desk().atTime(when, [copy] {
      trace("another application copies");
      Run& now = run();
      copy->sawTemporaryText = holdsTemporaryText(desk().pasteboard());
      if (now.pasting) now.copiedWhilePasting.push_back(copy);
      desk().copy(copy->items);
    });
  }
  const auto before = desk().pasteboard();
  trace("setText %s", null ? "(null)" : text.c_str());
  r.pasting = true;
  r.copiedWhilePasting.clear();
  axt::host::setText(null ? nullptr : text.c_str());
  r.pasting = false;
  // The main thread was held for the length of the paste.
  r.deliveries.loopDisturbed();

  bool copiedOverOwnText = false;
  for (const auto& copy : r.copiedWhilePasting) copiedOverOwnText |= copy->sawTemporaryText;
  if (copiedOverOwnText) {
    check(desk().pasteboard() == r.copiedWhilePasting.back()->items,
          "setText keeps what was copied after its own text");
  } else {
    check(desk().pasteboard() == before, "setText leaves the pasteboard as it found it");
  }
}

void libraryMain(Run& r) {
  trace("main");
  check(axt::host::main(0, nullptr) == 0, "main returns 0");
  r.deliveries.slotEmptied();
  r.deliveries.callbackRemoved();
  check(!axt::host::macAccessibility() && axt::host::observer_callback() == nullptr &&
            !axt::host::eventParams(),
        "main empties the module values");
}

void addMouseTracker(FuzzInput& in, Run& r) {
  const auto choice = in.ConsumeIntegralInRange<std::size_t>(0, r.scene.windows.size() + 1);
  if (choice < r.scene.windows.size()) {
    const std::string& id = r.scene.windows[choice].id;
    trace("addMouseTracker %s", id.c_str());
    r.pointer.trackWindow(id);
    axt::window::addMouseTracker(desk().windowObject(id));
  } else if (choice == r.scene.windows.size()) {
    trace("addMouseTracker (not a window)");
    axt::window::addMouseTracker(desk().notAWindowObject());
  } else {
    trace("addMouseTracker (null)");
    axt::window::addMouseTracker(nullptr);
  }
}

void queries() {
  trace("trust queries");
  check(axt::host::isAccessibiltyEnabled() == desk().trusted(), "the trust query tells the trust");
  check(axt::host::showAccessibiltyPermisionPopup() == desk().trusted(),
        "the prompting trust query tells the trust");
}

// From inside the host callback.
void hostReacts(FuzzInput& in, Run& r) {
  trace("the host calls back from its callback:");
  switch (in.ConsumeIntegralInRange(0, 6)) {
    case 0:
      trace("focusPrivous");
      axt::host::focusPrivous();
      break;
    case 1:
      setText(in, r);
      break;
    case 2:
      initMacAccessibility(r, in.ConsumeBool());
      break;
    case 3:
      start(in, r);
      break;
    case 4:
      libraryMain(r);
      break;
    case 5:
      addMouseTracker(in, r);
      break;
    default:
      queries();
      break;
  }
}

// --- the pointer -------------------------------------------------------------

void movePointer(FuzzInput& in, Run& r) {
  const simdesk::Point p = axt::fuzz::randomPointer(in, r.scene);
  // Nothing else may be due now, so that the tracking-area events queued by
  // the move are the first to run.
  settle();
  afterStep(r, "before a pointer move");
  trace("pointer to (%g, %g)", p.x, p.y);
  const std::size_t queuedBefore = desk().pendingMainLoopItems();
  const axt::fuzz::PointerModel::Move move = r.pointer.movePointer(p);
  desk().movePointer(p);
  check(desk().pendingMainLoopItems() - queuedBefore == move.crossings,
        "one tracking-area event per window crossed");
  if (axt::host::observer_callback() != nullptr) {
    for (std::size_t i = 0; i < move.entries; ++i) {
      r.deliveries.handOver(desk().now(), axt::host::EventParams{"mouse_hoverd", {}}, true);
    }
  }
  settle();
}

// --- time --------------------------------------------------------------------

double timeStep(FuzzInput& in) {
  static constexpr double kSteps[] = {0.0,  0.001, 0.05, 0.089, 0.09, 0.091, 0.17,
                                      0.18, 0.181, 0.25, 0.5,   1.0,  1.3,   5.0};
  return in.PickValueInArray(kSteps);
}

void runDefaultMode(FuzzInput& in, Run& r) {
  const double step = timeStep(in);
  trace("run %g s", step);
  desk().runUntil(desk().now() + step);
  afterStep(r, "after running the loop");
  r.deliveries.checkNotOverdue(desk().now());
}

void runOtherMode(FuzzInput& in, Run& r) {
  const double step = timeStep(in);
  trace("run %g s in the tracking mode", step);
  desk().runInModeUntil("NSEventTrackingRunLoopMode", desk().now() + step);
  r.deliveries.loopDisturbed();
}

// --- one action --------------------------------------------------------------

// Something the user does to an element the input picks.
void onElement(FuzzInput& in, const axt::fuzz::Scene& s, const char* what,
               void (simdesk::Desktop::*action)(const std::string&)) {
  const std::string element = axt::fuzz::pickElement(in, s);
  trace("%s %s", what, element.c_str());
  (desk().*action)(element);
}

void act(FuzzInput& in, Run& r) {
  const axt::fuzz::Scene& s = r.scene;
  switch (in.ConsumeIntegralInRange(0, 24)) {
    case 0: {
      const simdesk::Pid pid = axt::fuzz::pickPid(in, s);
      trace("activate %d", pid);
      desk().activate(pid);
      break;
    }
    case 1: {
      const simdesk::Pid pid = axt::fuzz::pickPid(in, s);
      const bool finished = in.ConsumeIntegralInRange(0, 3) != 0;
      trace("launch %d%s", pid, finished ? "" : " (not finished)");
      desk().launch(pid, finished);
      break;
    }
    case 2:
      if (const simdesk::Pid pid = axt::fuzz::pickPid(in, s); pid != simdesk::kHostPid) {
        trace("quit %d", pid);
        desk().quit(pid);
      }
      break;
    case 3:
      trace("activation without an application");
      desk().notifyWithoutApp();
      break;
    case 4:
      onElement(in, s, "focus", &simdesk::Desktop::focus);
      break;
    case 5:
    case 6: {
      const std::string element = axt::fuzz::pickElement(in, s);
      const simdesk::Range range = axt::fuzz::randomRange(in);
      trace("select %s [%lld, %lld]", element.c_str(), static_cast<long long>(range.location),
            static_cast<long long>(range.length));
      desk().select(element, range);
      break;
    }
    case 7:
      onElement(in, s, "move window of", &simdesk::Desktop::moveWindow);
      break;
    case 8:
      onElement(in, s, "resize window of", &simdesk::Desktop::resizeWindow);
      break;
    case 9:
      if (in.ConsumeIntegralInRange(0, 3) != 0) {
        trace("hot key");
        desk().pressHotKey();
      } else {
        const auto code = in.ConsumeIntegralInRange<std::uint32_t>(30, 40);
        const std::uint32_t modifiers = in.ConsumeBool() ? 0x800u : in.ConsumeIntegral<std::uint32_t>();
        trace("key %u modifiers %#x", code, modifiers);
        desk().pressHotKey(code, modifiers);
      }
      break;
    case 10:
      movePointer(in, r);
      break;
    case 11:
      if (!s.windows.empty()) {
        const std::string& id =
            s.windows[in.ConsumeIntegralInRange<std::size_t>(0, s.windows.size() - 1)].id;
        const simdesk::Rect f = axt::fuzz::randomFrame(in);
        trace("host window %s to [%g, %g, %g, %g]", id.c_str(), f.origin.x, f.origin.y,
              f.size.width, f.size.height);
        r.pointer.resizeWindow(id, f);
        desk().resizeHostWindow(id, f);
      }
      break;
    case 12:
      trace("another application copies");
      desk().copy(axt::fuzz::randomItems(in));
      break;
    case 13: {
      const std::string element = axt::fuzz::pickElement(in, s);
      const std::string attribute = axt::fuzz::pickAttribute(in);
      trace("new answer for %s of %s", attribute.c_str(), element.c_str());
      desk().setAttribute(element, attribute, axt::fuzz::randomAttrValue(in, s));
      break;
    }
    case 14: {
      const std::string element = axt::fuzz::pickElement(in, s);
      const std::string attribute = axt::fuzz::pickAttribute(in);
      const simdesk::AXError code = axt::fuzz::pickErrorCode(in);
      trace("error %d for %s of %s", code, attribute.c_str(), element.c_str());
      desk().setError(element, attribute, code);
      break;
    }
    case 15: {
      const bool trusted = in.ConsumeIntegralInRange(0, 3) != 0;
      trace("trusted %d", trusted);
      desk().setTrusted(trusted);
      break;
    }
    case 16:
      initMacAccessibility(r, in.ConsumeIntegralInRange(0, 7) != 0);
      break;
    case 17:
      start(in, r);
      break;
    case 18:
      setText(in, r);
      break;
    case 19:
      trace("focusPrivous");
      axt::host::focusPrivous();
      break;
    case 20:
      addMouseTracker(in, r);
      break;
    case 21:
      if (in.ConsumeIntegralInRange(0, 3) == 0) {
        libraryMain(r);
      } else {
        queries();
      }
      break;
    case 22:
      runOtherMode(in, r);
      break;
    default:
      runDefaultMode(in, r);
      break;
  }
  if (in.ConsumeBool()) settle();
  afterStep(r, "after an action");
}

// The loop runs on until every run scheduled so far has fired; then an
// event still owed to a registered callback is lost. The host stops calling
// back from its callback first: a host that answers every event with a
// paste, which makes another event, would keep the loop busy for ever.
void finish(Run& r) {
  r.input = nullptr;
  bool settled = false;
  for (int round = 0; round < 8 && !settled; ++round) {
    desk().runUntil(desk().now() + 0.5);
    afterStep(r, "while running on");
    const std::optional<double> last = r.deliveries.lastHandOverAt();
    settled = !last || *last + 0.2 < desk().now();
  }
  if (settled && r.deliveries.owesDelivery()) {
    fail("an event handed over with a callback registered arrives");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  Run& r = run();
  resetAll();
  r.input = &in;
  r.deliveries.reset();
  r.pointer.reset();
  r.lastNow = 0;
  r.scene = axt::fuzz::decodeScene(in);
  buildDesktop(r);

  // Most sequences begin the way a host begins.
  if (in.ConsumeIntegralInRange(0, 7) != 0) {
    initMacAccessibility(r, true);
    start(in, r);
    afterStep(r, "after the start");
  }
  for (int actions = 0; actions < 64 && in.remaining_bytes() > 0; ++actions) act(in, r);
  finish(r);
  resetAll();
  return 0;
}
