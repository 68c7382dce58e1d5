#include "sway/sway_tree.h"

#include <limits>
#include <optional>
#include <utility>

#include "json/json.h"

namespace axt::lindesk {

namespace {

const std::string* stringMember(const json::Value& node, std::string_view name) {
  const json::Value* v = node.find(name);
  return v != nullptr ? v->asString() : nullptr;
}

std::optional<double> numberMember(const json::Value& node, std::string_view name) {
  const json::Value* v = node.find(name);
  if (v == nullptr) return std::nullopt;
  if (const std::int64_t* i = v->asInt()) return static_cast<double>(*i);
  if (const double* d = v->asDouble()) return *d;
  return std::nullopt;
}

std::optional<platform::Rect> rectMember(const json::Value& node, std::string_view name) {
  const json::Value* v = node.find(name);
  if (v == nullptr || v->asObject() == nullptr) return std::nullopt;
  const std::optional<double> x = numberMember(*v, "x"), y = numberMember(*v, "y");
  const std::optional<double> width = numberMember(*v, "width"), height = numberMember(*v, "height");
  if (!x || !y || !width || !height || *width < 0 || *height < 0) return std::nullopt;
  return platform::Rect{{*x, *y}, {*width, *height}};
}

// `rect` is the container's place on the screen, `window_rect` the
// window's within it.
platform::Rect contentOf(const json::Value& node) {
  const std::optional<platform::Rect> container = rectMember(node, "rect");
  const std::optional<platform::Rect> window = rectMember(node, "window_rect");
  if (!container || !window || window->size.width <= 0 || window->size.height <= 0) return {};
  return {{container->origin.x + window->origin.x, container->origin.y + window->origin.y}, window->size};
}

// A node is a window when it belongs to a process; containers and
// workspaces don't.
void noteWindow(const json::Value& node, std::vector<SwayWindow>& out) {
  const json::Value* pid = node.find("pid");
  if (pid == nullptr || pid->asInt() == nullptr || *pid->asInt() <= 0 ||
      *pid->asInt() > std::numeric_limits<platform::Pid>::max()) {
    return;
  }
  SwayWindow w;
  w.pid = static_cast<platform::Pid>(*pid->asInt());
  // sway names the shell; i3-compatible compositors without it give an X
  // window's number or null.
  if (const std::string* shell = stringMember(node, "shell")) {
    w.x11 = *shell == "xwayland";
  } else if (const json::Value* window = node.find("window")) {
    w.x11 = window->asInt() != nullptr;
  }
  if (!w.x11) {
    if (const std::string* appId = stringMember(node, "app_id")) w.appId = *appId;
  }
  const json::Value* focused = node.find("focused");
  w.focused = focused != nullptr && focused->asBool() != nullptr && *focused->asBool();
  if (const std::string* name = stringMember(node, "name")) w.title = *name;
  w.content = contentOf(node);
  out.push_back(std::move(w));
}

}  // namespace

std::vector<SwayWindow> swayWindows(std::string_view tree) {
  std::vector<SwayWindow> out;
  const json::ParseResult parsed = json::parse(tree);
  if (!parsed || parsed.value->asObject() == nullptr) return out;
  // Depth first, without recursion: the parser bounds the nesting, this
  // walk needs no stack of its own beyond the list.
  std::vector<const json::Value*> pending{&*parsed.value};
  while (!pending.empty()) {
    const json::Value* node = pending.back();
    pending.pop_back();
    noteWindow(*node, out);
    for (std::string_view children : {"floating_nodes", "nodes"}) {
      const json::Value* list = node->find(children);
      const json::Array* array = list != nullptr ? list->asArray() : nullptr;
      if (array == nullptr) continue;
      for (auto it = array->rbegin(); it != array->rend(); ++it) {
        if (it->asObject() != nullptr) pending.push_back(&*it);
      }
    }
  }
  return out;
}

}  // namespace axt::lindesk
