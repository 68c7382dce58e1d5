#include "sway/sway_binding.h"

#include <X11/Xlib.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "json/json.h"

namespace axt::lindesk {

std::optional<std::string> bindingKeys(const KeyCombination& keys) {
  const char* name = XKeysymToString(keys.keysym);
  if (keys.keysym == 0 || name == nullptr || *name == '\0') return std::nullopt;
  std::string out;
  // The compositor's own names for the X modifier masks.
  for (const auto& [mask, modifier] : {std::pair{ShiftMask, "Shift"}, std::pair{ControlMask, "Ctrl"},
                                       std::pair{Mod1Mask, "Mod1"}, std::pair{Mod4Mask, "Mod4"}}) {
    if ((keys.modifiers & mask) != 0) out.append(modifier).append("+");
  }
  return out + name;
}

std::optional<std::string> boundCommandOf(std::string_view event) {
  const json::ParseResult parsed = json::parse(event);
  if (!parsed) return std::nullopt;
  const json::Value* change = parsed.value->find("change");
  if (change == nullptr || change->asString() == nullptr || *change->asString() != "run") return std::nullopt;
  const json::Value* binding = parsed.value->find("binding");
  const json::Value* command = binding != nullptr ? binding->find("command") : nullptr;
  if (command == nullptr || command->asString() == nullptr) return std::nullopt;
  return *command->asString();
}

bool replySucceeded(std::string_view reply) {
  const json::ParseResult parsed = json::parse(reply);
  if (!parsed) return false;
  const json::Value* success = parsed.value->find("success");
  return success != nullptr && success->asBool() != nullptr && *success->asBool();
}

namespace {

std::string lowered(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
  return out;
}

// A combination as a set of its parts, modifiers under one name each.
std::set<std::string> partsOf(std::string_view combination) {
  std::set<std::string> parts;
  std::size_t start = 0;
  while (start <= combination.size()) {
    const std::size_t plus = combination.find('+', start);
    std::string part = lowered(combination.substr(start, plus == std::string_view::npos ? plus : plus - start));
    if (part == "alt") part = "mod1";
    if (part == "control") part = "ctrl";
    if (!part.empty()) parts.insert(std::move(part));
    if (plus == std::string_view::npos) break;
    start = plus + 1;
  }
  return parts;
}

// `text` with each $name of `variables` replaced, longest names first.
std::string expanded(std::string text, const std::map<std::string, std::string>& variables) {
  for (auto it = variables.rbegin(); it != variables.rend(); ++it) {
    std::size_t at = 0;
    while ((at = text.find(it->first, at)) != std::string::npos) {
      text.replace(at, it->first.size(), it->second);
      at += it->second.size();
    }
  }
  return text;
}

}  // namespace

bool configBindsKeys(std::string_view reply, std::string_view keys) {
  const json::ParseResult parsed = json::parse(reply);
  const json::Value* config = parsed ? parsed.value->find("config") : nullptr;
  if (config == nullptr || config->asString() == nullptr) return true;
  const std::set<std::string> ours = partsOf(keys);
  std::map<std::string, std::string> variables;
  std::istringstream lines(*config->asString());
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    if (first == "set") {
      std::string name;
      std::string value;
      if (words >> name >> value && name.size() > 1 && name[0] == '$') variables[name] = value;
      continue;
    }
    if (first != "bindsym") continue;
    std::string word;
    while (words >> word && word.rfind("--", 0) == 0) {
    }
    if (!word.empty() && word.rfind("--", 0) != 0 && partsOf(expanded(word, variables)) == ours) return true;
  }
  return false;
}

}  // namespace axt::lindesk
