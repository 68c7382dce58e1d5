#include "desktop/window_relative_extents.h"

#include <algorithm>

#include "atspi/applications.h"
#include "atspi/atspi_session.h"
#include "atspi/object_facts.h"
#include "atspi/text_access.h"
#include "glue/gobject_ref.h"
#include "logic/window_place.h"
#include "session/window_places.h"

namespace axt::lindesk {

namespace {

std::optional<platform::Rect> extentsIn(AtspiText* text, std::int64_t offset) {
  GErrorHolder error;
  GBoxed<AtspiRect> r(atspi_text_get_character_extents(text, asOffset(offset), ATSPI_COORD_TYPE_WINDOW, error.out()));
  if (error || !r || (r->width <= 0 && r->height <= 0)) return std::nullopt;
  return platform::Rect{{static_cast<double>(r->x), static_cast<double>(r->y)},
                        {static_cast<double>(r->width), static_cast<double>(r->height)}};
}

// The top-level window the object is in: its ancestor whose parent is the
// application. The walk may leave the object's application (a tree another
// process put into a window of its own): each request is guarded as one of
// the application it goes to.
GRef<AtspiAccessible> windowOf(AtspiSession& session, AtspiAccessible* object) {
  GRef<AtspiAccessible> current = GRef<AtspiAccessible>::retain(object);
  for (int depth = 0; depth < 64 && current; ++depth) {
    GRef<AtspiAccessible> parent;
    {
      const AppRequest request(session, current.get());
      if (request.refused()) return {};
      GErrorHolder error;
      parent = GRef<AtspiAccessible>::adopt(atspi_accessible_get_parent(current.get(), error.out()));
      if (error || !parent) return {};
    }
    const std::optional<AtspiRole> role = guardedRoleOf(session, parent.get());
    if (!role) return {};
    if (*role == ATSPI_ROLE_APPLICATION) return current;
    current = std::move(parent);
  }
  return {};
}

// The window's size as its toolkit gives it: absent when not told.
std::optional<platform::Size> windowSize(AtspiSession& session, AtspiAccessible* window) {
  GRef<AtspiComponent> component = GRef<AtspiComponent>::adopt(atspi_accessible_get_component_iface(window));
  if (!component) return std::nullopt;
  const AppRequest request(session, window);
  if (request.refused()) return std::nullopt;
  GErrorHolder error;
  GBoxed<AtspiRect> size(atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_WINDOW, error.out()));
  if (error || !size || size->width <= 0 || size->height <= 0) return std::nullopt;
  return platform::Size{static_cast<double>(size->width), static_cast<double>(size->height)};
}

// The window's title and size as its toolkit gives them.
ToolkitWindow toolkitWindow(AtspiSession& session, AtspiAccessible* window) {
  ToolkitWindow out;
  if (window == nullptr) return out;
  {
    const AppRequest request(session, window);
    if (request.refused()) return out;
    GErrorHolder error;
    std::string name = takeString(atspi_accessible_get_name(window, error.out()));
    if (!error) out.title = std::move(name);
  }
  if (const std::optional<platform::Size> size = windowSize(session, window)) out.size = *size;
  return out;
}

}  // namespace

std::optional<platform::Point> relativeOriginOf(AtspiAccessible* object, AtspiSession& session,
                                                Applications& applications, WindowPlaces& places) {
  if (!places.placesRelativeWindows()) return std::nullopt;
  const std::optional<platform::Pid> pid = applications.processOf(object);
  if (!pid) return std::nullopt;
  return places.relativeOriginOf(*pid, [&] { return toolkitWindow(session, windowOf(session, object).get()); });
}

std::optional<platform::Rect> windowRelativeBounds(AtspiText* text, CharRange chars, AtspiSession& session,
                                                   Applications& applications, WindowPlaces& places) {
  AtspiAccessible* object = ATSPI_ACCESSIBLE(text);
  platform::Rect box;
  {
    const AppRequest request(session, object);
    if (request.refused()) return std::nullopt;
    const std::optional<platform::Rect> first = extentsIn(text, chars.start);
    if (!first) return std::nullopt;
    box = *first;
    if (chars.end - 1 > chars.start) {
      if (const std::optional<platform::Rect> last = extentsIn(text, chars.end - 1)) {
        const double right = std::max(box.origin.x + box.size.width, last->origin.x + last->size.width);
        const double bottom = std::max(box.origin.y + box.size.height, last->origin.y + last->size.height);
        box.origin.x = std::min(box.origin.x, last->origin.x);
        box.origin.y = std::min(box.origin.y, last->origin.y);
        box.size = {right - box.origin.x, bottom - box.origin.y};
      }
    }
  }
  const std::optional<platform::Pid> pid = applications.processOf(object);
  if (!pid) return std::nullopt;
  GRef<AtspiAccessible> window = windowOf(session, object);
  if (!window) return std::nullopt;
  // An X server's window is placed by the X server; a window it doesn't
  // have, by the compositor where it tells, else left relative to itself.
  const std::vector<XWindowPlace> windows = places.shownWindowsOf(*pid);
  if (windows.empty()) {
    const std::optional<platform::Point> origin =
        places.relativeOriginOf(*pid, [&] { return toolkitWindow(session, window.get()); });
    if (!origin) return std::nullopt;
    box.origin.x += origin->x;
    box.origin.y += origin->y;
    return box;
  }
  const std::optional<platform::Size> content = windowSize(session, window.get());
  if (!content) return std::nullopt;
  const std::optional<XWindowPlace> holding = windowHolding(windows, *content);
  if (!holding) return std::nullopt;
  const platform::Point origin = contentOrigin(*holding, *content);
  box.origin.x += origin.x;
  box.origin.y += origin.y;
  return box;
}

}  // namespace axt::lindesk
