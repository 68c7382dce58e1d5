#include "step_forms.h"

namespace play {

using axt::json::Value;

std::string readStepName(const Value& item, const std::string& path) {
  if (!item.isObject()) wrongType(item, path, "an object");
  const Value* name = item.find("do");
  if (name == nullptr) fail(memberPath(path, "do"), "required member missing");
  return readText(*name, memberPath(path, "do"));
}

Fields stepFields(const Value& item, const std::string& path,
                  const std::set<std::string_view>& members) {
  std::set<std::string_view> allowed = members;
  allowed.insert("at");
  allowed.insert("do");
  return Fields(item, path, allowed);
}

double readStepTime(const Fields& step, double previous) {
  std::string path = step.path("at");
  double at = readNumber(step.require("at"), path);
  if (at < 0) fail(path, "a time can't be negative");
  if (at < previous) {
    fail(path, numberText(at) + " is earlier than the step before (" + numberText(previous) + ")");
  }
  return at;
}

InitArgs readInitArgs(const Fields& step) {
  InitArgs args;
  step.readOptional("callback", args.callback, readBool);
  return args;
}

StartArgs readStartArgs(const Fields& step) {
  const Value* config = step.get("config");
  const Value* text = step.get("config_text");
  if (config && text) fail(step.path("config_text"), "give either \"config\" or \"config_text\"");
  StartArgs args{"{}"};
  if (config) args.configuration = compact(*config);
  if (text) args.configuration = readText(*text, step.path("config_text"));
  return args;
}

TextArgs readTextArgs(const Fields& step) {
  return TextArgs{readText(step.require("text"), step.path("text"))};
}

}  // namespace play
