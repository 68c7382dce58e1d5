#include "atspi/application_revival.h"

#include <sys/time.h>

namespace axt::lindesk {

namespace {

// Fills an emptied application object as libatspi fills a new one: its
// connection, an empty table of its objects, and nothing known yet of its
// cache or toolkit.
void reviveApplication(AtspiApplication* app, DBusConnection* bus) {
  if (app == nullptr || bus == nullptr) return;
  if (app->bus != nullptr && dbus_connection_get_is_connected(app->bus) != 0) return;
  if (app->bus != nullptr) dbus_connection_unref(app->bus);
  app->bus = dbus_connection_ref(bus);
  // What it knew of its objects was of the application that had the name.
  if (app->hash != nullptr) g_hash_table_unref(app->hash);
  app->hash = g_hash_table_new_full(g_str_hash, g_str_equal, g_free, g_object_unref);
  app->cache = ATSPI_CACHE_UNDEFINED;
  for (gchar** text : {&app->toolkit_name, &app->toolkit_version, &app->atspi_version}) {
    g_free(*text);
    *text = nullptr;
  }
  // The wall clock, as libatspi stamps a new application and reads the
  // stamp back (its grace for one that is starting up).
  gettimeofday(&app->time_added, nullptr);
}

}  // namespace

void ApplicationRevival::remember(AtspiApplication* app) {
  if (app != nullptr && known_.count(app) == 0) known_.emplace(app, GRef<AtspiApplication>::retain(app));
}

void ApplicationRevival::noteSeen(AtspiAccessible* accessible, DBusConnection* bus) {
  if (accessible == nullptr) return;
  reviveApplication(accessible->parent.app, bus);
  remember(accessible->parent.app);
}

void ApplicationRevival::busLost(AtspiAccessible* desktop) {
  // The desktop's list is libatspi's own, already there: reading it asks
  // nothing of the dead bus.
  if (desktop == nullptr) return;
  remember(desktop->parent.app);
  if (desktop->children == nullptr) return;
  for (guint i = 0; i < desktop->children->len; ++i) {
    auto* child = static_cast<AtspiAccessible*>(g_ptr_array_index(desktop->children, i));
    if (child != nullptr) remember(child->parent.app);
  }
}

void ApplicationRevival::revive(DBusConnection* bus) {
  for (auto& [app, ref] : known_) reviveApplication(app, bus);
}

}  // namespace axt::lindesk
