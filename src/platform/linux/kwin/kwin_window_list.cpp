#include "kwin/kwin_window_list.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace axt::lindesk {

std::string windowListScript(long pid, std::uint64_t token, const AnswerAddress& address) {
  auto quoted = [](const std::string& s) { return "\"" + s + "\""; };
  // One line per window: x11,active,surface x,y,w,h,frame x,y,w,h,title,
  // the title percent-encoded so that nothing in it ends a line or a field.
  return "(function () {\n"
         "  const pid = " +
         std::to_string(pid) +
         ";\n"
         "  const newer = typeof workspace.windowList === \"function\";\n"
         "  const list = newer ? workspace.windowList() : workspace.clientList();\n"
         "  const active = newer ? workspace.activeWindow : workspace.activeClient;\n"
         "  const r = (g) => [g.x, g.y, g.width, g.height].map(Math.round).join(\",\");\n"
         "  let out = \"\";\n"
         "  for (let i = 0; i < list.length; i++) {\n"
         "    const w = list[i];\n"
         "    if (w.pid !== pid || !(w.normalWindow || w.dialog) || w.minimized) continue;\n"
         // An X window has its X id; a Wayland one has none (KWin 6) or 0.
         // A title with a lone surrogate can't be encoded: the window goes
         // without one rather than the whole answer lost.
         "    let title = \"\";\n"
         "    try { title = encodeURIComponent(w.caption || \"\"); } catch (e) {}\n"
         "    out += (w.windowId ? 1 : 0) + \",\" + (w === active ? 1 : 0) + \",\" + r(w.bufferGeometry) + \",\" +\n"
         "        r(w.frameGeometry) + \",\" + title + \"\\n\";\n"
         "  }\n"
         "  callDBus(" +
         quoted(address.busName) + ", " + quoted(address.path) + ", " + quoted(address.interface) + ", " +
         quoted(address.method) + ", \"" + std::to_string(token) +
         "\", out);\n"
         "})();\n";
}

namespace {

std::optional<long> number(std::string_view field) {
  long value = 0;
  const char* end = field.data() + field.size();
  const auto [at, error] = std::from_chars(field.data(), end, value);
  if (error != std::errc() || at != end) return std::nullopt;
  return value;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// encodeURIComponent's text back; absent for a malformed escape.
std::optional<std::string> decoded(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '%') {
      out += field[i];
      continue;
    }
    if (i + 2 >= field.size()) return std::nullopt;
    const int high = hexDigit(field[i + 1]);
    const int low = hexDigit(field[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

std::optional<KWinWindow> windowOf(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (fields.size() < 10) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) return std::nullopt;
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
  std::optional<long> n[10];
  for (int i = 0; i < 10; ++i) {
    n[i] = number(fields[i]);
    if (!n[i]) return std::nullopt;
  }
  std::optional<std::string> title = decoded(line.substr(start));
  if (!title) return std::nullopt;
  auto rect = [&](int i) {
    return platform::Rect{{static_cast<double>(*n[i]), static_cast<double>(*n[i + 1])},
                          {static_cast<double>(*n[i + 2]), static_cast<double>(*n[i + 3])}};
  };
  KWinWindow w;
  w.x11 = *n[0] != 0;
  w.focused = *n[1] != 0;
  w.surface = rect(2);
  w.frame = rect(6);
  w.title = std::move(*title);
  return w;
}

}  // namespace

std::vector<KWinWindow> kwinWindows(std::string_view answer) {
  std::vector<KWinWindow> windows;
  while (!answer.empty()) {
    const std::size_t end = answer.find('\n');
    const std::string_view line = answer.substr(0, end);
    if (std::optional<KWinWindow> w = windowOf(line)) windows.push_back(std::move(*w));
    if (end == std::string_view::npos) break;
    answer.remove_prefix(end + 1);
  }
  return windows;
}

}  // namespace axt::lindesk
