#include "step_player.h"

#include <map>
#include <string_view>
#include <variant>

#include "desktop_steps.h"
#include "output.h"
#include "simdesk/desktop.h"

namespace play {
namespace {

struct Context {
  const EntryPoints& library;
  simdesk::Desktop& desktop;
};

using Handler = void (*)(Context&, const StepArgs&);

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
  };
  return table;
}

}  // namespace

void playSteps(const Plan& plan, const EntryPoints& library) {
  Context context{library, simdesk::Desktop::get()};
  for (const Step& step : plan.steps) {
    context.desktop.runUntil(step.at);
    auto handler = handlers().find(step.name);
    if (handler != handlers().end()) {
      handler->second(context, step.args);
    } else {
      playDesktopStep(context.desktop, step);
    }
  }
  context.desktop.runUntilIdle();
}

}  // namespace play
