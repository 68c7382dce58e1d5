#include "step_player.h"

#include <map>
#include <string_view>
#include <variant>

#include "output.h"
#include "simdesk/desktop.h"

namespace play {
namespace {

struct Context {
  const EntryPoints& library;
  simdesk::Desktop& desktop;
};

using Handler = void (*)(Context&, const StepArgs&);

// The reader pairs each step name with its argument shape, so a mismatch
// here can't come from a file; should it happen, the step gets defaults.
template <class Args>
const Args& argsOf(const StepArgs& args) {
  static const Args none{};
  const Args* a = std::get_if<Args>(&args);
  return a != nullptr ? *a : none;
}

// --- the host's calls ---------------------------------------------------------

void initMacAccessibility(Context& c, const StepArgs& a) {
  c.library.initMacAccessibility(argsOf<InitArgs>(a).callback ? hostCallback() : nullptr);
}

void start(Context& c, const StepArgs& a) {
  c.library.start(argsOf<StartArgs>(a).configuration.c_str());
}

void setText(Context& c, const StepArgs& a) { c.library.setText(argsOf<TextArgs>(a).text.c_str()); }

void focusPreiov(Context& c, const StepArgs&) { c.library.focusPreiov(); }

void addMouseTracker(Context& c, const StepArgs& a) {
  const auto& window = argsOf<MouseTrackerArgs>(a).window;
  c.library.addMouseTracker(window ? c.desktop.windowObject(*window)
                                   : c.desktop.notAWindowObject());
}

void isAccessibiltyEnabled(Context& c, const StepArgs&) {
  bool trusted = c.library.isAccessibiltyEnabled();
  printResult("isAccessibiltyEnabled", trusted);
}

void showAccessibiltyPermisionPopup(Context& c, const StepArgs&) {
  bool trusted = c.library.showAccessibiltyPermisionPopup();
  printResult("showAccessibiltyPermisionPopup", trusted);
}

void libraryMain(Context& c, const StepArgs&) {
  // The arguments are ignored, but a host passes a valid vector.
  char program[] = "axtrack-play";
  char* argv[] = {program, nullptr};
  c.library.main(1, argv);
}

// --- the user and the desktop ---------------------------------------------------

void activate(Context& c, const StepArgs& a) { c.desktop.activate(argsOf<AppArgs>(a).pid); }

void launch(Context& c, const StepArgs& a) {
  const auto& args = argsOf<LaunchArgs>(a);
  c.desktop.launch(args.pid, args.finished);
}

void quit(Context& c, const StepArgs& a) { c.desktop.quit(argsOf<AppArgs>(a).pid); }

void notifyWithoutApp(Context& c, const StepArgs&) { c.desktop.notifyWithoutApp(); }

void focus(Context& c, const StepArgs& a) { c.desktop.focus(argsOf<ElementArgs>(a).element); }

void selectRange(Context& c, const StepArgs& a) {
  const auto& args = argsOf<SelectArgs>(a);
  c.desktop.select(args.element, args.range);
}

void moveWindow(Context& c, const StepArgs& a) {
  c.desktop.moveWindow(argsOf<ElementArgs>(a).element);
}

void resizeWindow(Context& c, const StepArgs& a) {
  c.desktop.resizeWindow(argsOf<ElementArgs>(a).element);
}

void hotKey(Context& c, const StepArgs& a) {
  const auto& args = argsOf<HotKeyArgs>(a);
  c.desktop.pressHotKey(args.code, args.modifiers);
}

void pointer(Context& c, const StepArgs& a) { c.desktop.movePointer(argsOf<PointerArgs>(a).point); }

void resizeHostWindow(Context& c, const StepArgs& a) {
  const auto& args = argsOf<HostWindowFrameArgs>(a);
  c.desktop.resizeHostWindow(args.window, args.frame);
}

void copy(Context& c, const StepArgs& a) { c.desktop.copy(argsOf<CopyArgs>(a).items); }

void set(Context& c, const StepArgs& a) {
  const auto& args = argsOf<SetArgs>(a);
  c.desktop.setAttribute(args.element, args.attribute, args.value);
}

void setError(Context& c, const StepArgs& a) {
  const auto& args = argsOf<SetErrorArgs>(a);
  c.desktop.setError(args.element, args.attribute, args.code);
}

const std::map<std::string_view, Handler>& handlers() {
  static const std::map<std::string_view, Handler> table = {
      {"initMacAccessibility", initMacAccessibility},
      {"start", start},
      {"setText", setText},
      {"focusPreiov", focusPreiov},
      {"addMouseTracker", addMouseTracker},
      {"isAccessibiltyEnabled", isAccessibiltyEnabled},
      {"showAccessibiltyPermisionPopup", showAccessibiltyPermisionPopup},
      {"main", libraryMain},
      {"activate", activate},
      {"launch", launch},
      {"quit", quit},
      {"notify_without_app", notifyWithoutApp},
      {"focus", focus},
      {"select", selectRange},
      {"move_window", moveWindow},
      {"resize_window", resizeWindow},
      {"hotkey", hotKey},
      {"pointer", pointer},
      {"resize_host_window", resizeHostWindow},
      {"copy", copy},
      {"set", set},
      {"set_error", setError},
  };
  return table;
}

}  // namespace

void playSteps(const Plan& plan, const EntryPoints& library) {
  Context context{library, simdesk::Desktop::get()};
  for (const Step& step : plan.steps) {
    context.desktop.runUntil(step.at);
    auto handler = handlers().find(step.name);
    if (handler != handlers().end()) handler->second(context, step.args);
  }
  context.desktop.runUntilIdle();
}

}  // namespace play
