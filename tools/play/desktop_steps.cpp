#include "desktop_steps.h"

#include <map>
#include <string_view>
#include <variant>

namespace play {
namespace {

using Handler = void (*)(simdesk::Desktop&, const StepArgs&);

void activate(simdesk::Desktop& desktop, const StepArgs& a) { desktop.activate(argsOf<AppArgs>(a).pid); }

void launch(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<LaunchArgs>(a);
  desktop.launch(args.pid, args.finished);
}

void quit(simdesk::Desktop& desktop, const StepArgs& a) { desktop.quit(argsOf<AppArgs>(a).pid); }

void stopAnswering(simdesk::Desktop& desktop, const StepArgs& a) {
  desktop.stopAnswering(argsOf<AppArgs>(a).pid);
}

void answerAgain(simdesk::Desktop& desktop, const StepArgs& a) { desktop.answerAgain(argsOf<AppArgs>(a).pid); }

void notifyWithoutApp(simdesk::Desktop& desktop, const StepArgs&) { desktop.notifyWithoutApp(); }

void focus(simdesk::Desktop& desktop, const StepArgs& a) { desktop.focus(argsOf<ElementArgs>(a).element); }

void selectRange(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<SelectArgs>(a);
  desktop.select(args.element, args.range);
}

void moveWindow(simdesk::Desktop& desktop, const StepArgs& a) {
  desktop.moveWindow(argsOf<ElementArgs>(a).element);
}

void resizeWindow(simdesk::Desktop& desktop, const StepArgs& a) {
  desktop.resizeWindow(argsOf<ElementArgs>(a).element);
}

void hotKey(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<HotKeyArgs>(a);
  desktop.pressHotKey(args.code, args.modifiers);
}

void pointer(simdesk::Desktop& desktop, const StepArgs& a) { desktop.movePointer(argsOf<PointerArgs>(a).point); }

void resizeHostWindow(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<HostWindowFrameArgs>(a);
  desktop.resizeHostWindow(args.window, args.frame);
}

void copy(simdesk::Desktop& desktop, const StepArgs& a) { desktop.copy(argsOf<CopyArgs>(a).items); }

void set(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<SetArgs>(a);
  desktop.setAttribute(args.element, args.attribute, args.value);
}

void setError(simdesk::Desktop& desktop, const StepArgs& a) {
  const auto& args = argsOf<SetErrorArgs>(a);
  desktop.setError(args.element, args.attribute, args.code);
}

const std::map<std::string_view, Handler>& handlers() {
  static const std::map<std::string_view, Handler> table = {
      {"activate", activate},
      {"launch", launch},
      {"quit", quit},
      {"stop_answering", stopAnswering},
      {"answer_again", answerAgain},
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

void layOutDesktop(simdesk::Desktop& desktop, const Plan& plan) {
  desktop.reset();
  desktop.setTrusted(plan.trusted);
  desktop.setPasteboard(plan.pasteboard);
  desktop.setPasteboardWritable(plan.pasteboardWritable);
  for (const auto& window : plan.hostWindows) desktop.addHostWindow(window);
  for (const auto& app : plan.apps) desktop.addApp(app);
}

bool isDesktopStep(const Step& step) { return handlers().count(step.name) != 0; }

bool playDesktopStep(simdesk::Desktop& desktop, const Step& step) {
  auto handler = handlers().find(step.name);
  if (handler == handlers().end()) return false;
  handler->second(desktop, step.args);
  return true;
}

}  // namespace play
