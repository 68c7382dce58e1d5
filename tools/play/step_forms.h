// How both scenario readers read a step: the frame every step has ("at",
// "do" and only the members of its kind), the forms of the kinds of step,
// and the host's calls, which both modes take alike: whatever desktop the
// library watches, the host calls it the same way.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "json_fields.h"
#include "plan.h"

namespace play {

// A step's name: the item must be an object and its "do" text. Read before
// the other members, which depend on it.
std::string readStepName(const axt::json::Value& item, const std::string& path);

// The members a step may have: those of its kind, and "at" and "do".
Fields stepFields(const axt::json::Value& item, const std::string& path,
                  const std::set<std::string_view>& members);

// A step's "at": seconds, not negative and not earlier than `previous`,
// the time of the step before.
double readStepTime(const Fields& step, double previous);

// A kind of step as a reader knows it: the members it takes besides "at"
// and "do", and how its arguments are read. `Reader` is the reader's own
// state, for the steps that name what the file describes.
template <class Args, class Reader>
struct StepForm {
  std::set<std::string_view> members;
  Args (*parse)(const Fields&, Reader&);
};

template <class Args, class Reader>
using StepForms = std::map<std::string_view, StepForm<Args, Reader>>;

// "initMacAccessibility": {"callback": false} registers a null callback.
InitArgs readInitArgs(const Fields& step);

// "start": {"config": any JSON value}, written compactly, or
// {"config_text": text} as it is; neither: the text {}.
StartArgs readStartArgs(const Fields& step);

// "setText": {"text": text}.
TextArgs readTextArgs(const Fields& step);

// The host's calls as both modes read them: all but "addMouseTracker",
// whose window each desktop names its own way. A reader adds its own kinds
// of step to these.
template <class Args, class Reader>
StepForms<Args, Reader> hostCallForms() {
  using Form = StepForm<Args, Reader>;
  auto none = [](const Fields&, Reader&) -> Args { return NoArgs{}; };
  return {
      {"initMacAccessibility",
       Form{{"callback"}, [](const Fields& f, Reader&) -> Args { return readInitArgs(f); }}},
      {"start", Form{{"config", "config_text"},
                     [](const Fields& f, Reader&) -> Args { return readStartArgs(f); }}},
      {"setText", Form{{"text"}, [](const Fields& f, Reader&) -> Args { return readTextArgs(f); }}},
      {"focusPreiov", Form{{}, none}},
      {"isAccessibiltyEnabled", Form{{}, none}},
      {"showAccessibiltyPermisionPopup", Form{{}, none}},
      {"main", Form{{}, none}},
  };
}

}  // namespace play
