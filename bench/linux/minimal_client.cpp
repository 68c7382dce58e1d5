#include "minimal_client.h"

#include <atspi/atspi-constants.h>
#include <glib-unix.h>

#include <cstdlib>
#include <utility>

#include "json/json.h"

namespace axbench {

namespace json = axt::json;

namespace {

// As the library gathers the caret move and the selection change that one
// action brings into one notification.
constexpr guint kGatherMs = 10;

std::string keyOf(const ObjectRef& o) { return o.bus + o.path; }

bool has(std::uint64_t states, AtspiStateType state) { return ((states >> state) & 1U) != 0; }

bool isTextRole(std::uint32_t role) {
  return role == ATSPI_ROLE_TEXT || role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_PARAGRAPH ||
         role == ATSPI_ROLE_DOCUMENT_TEXT || role == ATSPI_ROLE_TERMINAL || role == ATSPI_ROLE_PASSWORD_TEXT;
}

// A text field or a text area: the roles whose selection is reported.
bool isTextField(std::uint32_t role, std::uint64_t states) {
  return isTextRole(role) && has(states, ATSPI_STATE_EDITABLE);
}

// A text area: the only role the hot key answers in.
bool isTextArea(std::uint32_t role, std::uint64_t states) {
  return isTextField(role, states) && role != ATSPI_ROLE_ENTRY && role != ATSPI_ROLE_PASSWORD_TEXT &&
         (has(states, ATSPI_STATE_MULTI_LINE) || !has(states, ATSPI_STATE_SINGLE_LINE));
}

// The first COUNT characters of UTF-8 text, and how many it has.
std::string firstCharacters(const std::string& text, std::size_t count, std::size_t& total) {
  std::size_t bytes = text.size();
  total = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (total == count) bytes = i;
    ++total;
  }
  return text.substr(0, bytes);
}

json::Object rectangle(double x, const Extents& r) {
  return json::Object{{"position", json::Object{{"x", x}, {"y", static_cast<double>(r.y)}}},
                      {"size", json::Object{{"width", static_cast<double>(r.width)},
                                            {"height", static_cast<double>(r.height)}}}};
}

}  // namespace

MinimalClient::~MinimalClient() {
  for (guint source : {busSource_, x11Source_, gatherSource_}) {
    if (source != 0) g_source_remove(source);
  }
}

bool MinimalClient::start(std::string& error) {
  if (!bus_.connect(error)) return false;
  const bool listening =
      bus_.listen("object:state-changed:focused", "org.a11y.atspi.Event.Object", "StateChanged") &&
      bus_.listen("object:text-caret-moved", "org.a11y.atspi.Event.Object", "TextCaretMoved") &&
      bus_.listen("object:text-selection-changed", "org.a11y.atspi.Event.Object", "TextSelectionChanged") &&
      bus_.listen("window:activate", "org.a11y.atspi.Event.Window", "Activate");
  if (!listening) {
    error = "the registry refused the events";
    return false;
  }
  if (!x11_.open() || !x11_.grabAltReturn()) {
    error = "no X server, or Alt+Return can't be grabbed";
    return false;
  }
  busSource_ = g_unix_fd_add(bus_.fd(), G_IO_IN, onBus, this);
  x11Source_ = g_unix_fd_add(x11_.fd(), G_IO_IN, onX11, this);
  return true;
}

gboolean MinimalClient::onBus(gint, GIOCondition, gpointer self) {
  static_cast<MinimalClient*>(self)->dispatchBus();
  return G_SOURCE_CONTINUE;
}

gboolean MinimalClient::onX11(gint, GIOCondition, gpointer self) {
  auto* client = static_cast<MinimalClient*>(self);
  for (int n = client->x11_.takePresses(); n > 0; --n) client->hotKey();
  client->dispatchBus();
  return G_SOURCE_CONTINUE;
}

gboolean MinimalClient::onGathered(gpointer self) {
  auto* client = static_cast<MinimalClient*>(self);
  client->gatherSource_ = 0;
  if (std::optional<ObjectRef> o = std::exchange(client->changed_, std::nullopt)) client->selectionChanged(*o);
  client->dispatchBus();
  return G_SOURCE_REMOVE;
}

// Also after a handler's calls: signals that came meanwhile wait in
// libdbus's queue, not on the socket.
void MinimalClient::dispatchBus() {
  bus_.dispatch([this](const BusEvent& e) { hear(e); });
}

void MinimalClient::hear(const BusEvent& e) {
  if (e.interface == "org.a11y.atspi.Event.Window" && e.member == "Activate") {
    if (e.source.bus == frontmost_) return;
    frontmost_ = e.source.bus;
    const Application& app = applicationOf(frontmost_);
    send("app_changed", json::write(json::Object{
                            {"bundle_id", app.identifier}, {"name", app.name}, {"role", "AXApplication"}}));
    return;
  }
  if (e.member == "StateChanged") {
    if (e.detail != "focused" || e.detail1 != 1) return;
    const bool moved = focused_ && focused_->bus == e.source.bus && !(*focused_ == e.source);
    focused_ = e.source;
    // A focus that comes with an application's activation is no move of the
    // user's within it.
    if (!moved || e.source.bus != frontmost_) return;
    const Application& app = applicationOf(frontmost_);
    send("focused_changed", json::write(json::Object{{"bundle_id", app.identifier}, {"name", app.name}}));
    return;
  }
  if (e.member == "TextCaretMoved") carets_[keyOf(e.source)] = e.detail1;
  if (e.member != "TextCaretMoved" && e.member != "TextSelectionChanged") return;
  changed_ = e.source;
  if (gatherSource_ == 0) gatherSource_ = g_timeout_add(kGatherMs, onGathered, this);
}

const MinimalClient::Application& MinimalClient::applicationOf(const std::string& bus) {
  auto it = applications_.find(bus);
  if (it != applications_.end()) return it->second;
  Application app;
  const std::optional<std::uint32_t> pid = bus_.processOf(bus);
  app.identifier = pid ? x11_.identifierOf(*pid) : std::string();
  app.name = bus_.applicationName(bus).value_or(std::string());
  if (app.name.empty()) app.name = app.identifier;
  return applications_.emplace(bus, std::move(app)).first->second;
}

std::uint32_t MinimalClient::roleOf(const ObjectRef& o) {
  const std::string key = keyOf(o);
  auto it = roles_.find(key);
  if (it != roles_.end()) return it->second;
  const std::uint32_t role = bus_.role(o).value_or(ATSPI_ROLE_INVALID);
  roles_.emplace(key, role);
  return role;
}

void MinimalClient::selectionChanged(const ObjectRef& o) {
  const std::optional<std::pair<int, int>> range = bus_.selection(o);
  if (!range) return;
  if (range->first == range->second) {
    send("caret", "{}");
    return;
  }
  const std::optional<std::uint64_t> states = bus_.states(o);
  if (!states || !isTextField(roleOf(o), *states)) return;
  if (std::optional<std::string> data = snapshot(o, *range)) send("text_select", *data);
}

// The selected text with its rectangle (x without its sign, as the library
// reports a range's bounds) and the application's name and identifier.
std::optional<std::string> MinimalClient::snapshot(const ObjectRef& o, std::pair<int, int> range) {
  const std::optional<std::string> text = bus_.text(o, range.first, range.second);
  const std::optional<Extents> rect = bus_.rangeExtents(o, range.first, range.second);
  if (!text || !rect || rect->height == 0) return std::nullopt;
  const Application& app = applicationOf(o.bus);
  json::Object data = rectangle(std::abs(static_cast<double>(rect->x)), *rect);
  data.insert_or_assign("selected_text", *text);
  data.insert_or_assign("is_editable", true);
  data.insert_or_assign("bundle_id", app.identifier);
  data.insert_or_assign("name", app.name);
  return json::write(data);
}

void MinimalClient::hotKey() {
  if (!focused_) return;
  const ObjectRef o = *focused_;
  const std::optional<std::uint64_t> states = bus_.states(o);
  if (!states || !isTextArea(roleOf(o), *states)) return;
  const std::optional<std::pair<int, int>> range = bus_.selection(o);
  if (!range) return;
  if (range->first != range->second) {
    if (std::optional<std::string> data = snapshot(o, *range)) send("alt_enter_pressed", *data);
    return;
  }
  int caret = range->first;
  if (auto it = carets_.find(keyOf(o)); it != carets_.end()) {
    caret = it->second;
  } else if (std::optional<int> offset = bus_.caretOffset(o)) {
    caret = *offset;
  }
  // One character past the caret tells whether the caret is at the end.
  const std::optional<std::string> head = bus_.text(o, 0, caret + 1);
  if (!head || head->empty()) return;
  std::size_t total = 0;
  const std::string before = firstCharacters(*head, static_cast<std::size_t>(caret), total);
  const int probe = static_cast<std::size_t>(caret) >= total ? caret - 1 : caret;
  const std::optional<Extents> rect = bus_.rangeExtents(o, probe, probe + 1);
  json::Object data = rect ? rectangle(static_cast<double>(rect->x), *rect)
                           : json::Object{{"position", json::Object{{"x", nullptr}, {"y", nullptr}}},
                                          {"size", json::Object{{"width", nullptr}, {"height", nullptr}}}};
  data.insert_or_assign("selected_text", before);
  data.insert_or_assign("is_editable", true);
  send("alt_enter_pressed", json::write(data));
}

}  // namespace axbench
