/* A GTK 3 host: loads the library, starts tracking and shows what it
 * reports: every event as it comes (time, name, JSON), the current
 * selection's text and its rectangle on screen, and a field with a button
 * that replaces the selection in the other application.
 *
 *   gtk-host [LIBRARY]
 *
 * LIBRARY defaults to the one the build found installed. The library is
 * loaded with RTLD_LOCAL, so that its short entry-point names (start, main,
 * setText) never meet GTK's or the host's own; GTK's main loop is GLib's
 * default main context, which is where the library does its work.
 *
 * Every widget the window shows carries an accessible id, so that a test (or
 * an assistive tool) can read the window back over the accessibility bus. */
#include <axtrack/axtrack.h>
#include <dlfcn.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <json-glib/json-glib.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#ifndef AXTRACK_LIBRARY_PATH
#define AXTRACK_LIBRARY_PATH "libaxtrack.so.0"
#endif

/* The name under which the library knows its host. */
#define HOST_APPLICATION_NAME "Quillarbor"

/* The window keeps the latest events only: a day of selecting would
 * otherwise grow the list without end. */
#define MAX_EVENT_ROWS 500

typedef void (*init_fn)(axtrack_callback callback);
typedef void (*start_fn)(const char *configuration);
typedef void (*set_text_fn)(const char *text);
typedef void (*add_mouse_tracker_fn)(void *window);

static struct {
  init_fn init;
  start_fn start;
  set_text_fn set_text;
  add_mouse_tracker_fn add_mouse_tracker;
  axtrack_main_fn finish;
} library;

/* The callback carries no user data, so the widgets it updates live here. */
static struct {
  GtkWidget *window;
  GtkWidget *events;
  GtkWidget *events_scroll;
  GtkWidget *application;
  GtkWidget *selection;
  GtkWidget *rectangle;
  GtkWidget *replacement;
  GtkWidget *replace;
  GtkWidget *status;
  gint64 started;
  guint event_rows;
} ui;

static void *entry_point(void *handle, const char *name) {
  void *symbol = dlsym(handle, name);
  if (symbol == NULL) fprintf(stderr, "gtk-host: the library has no %s\n", name);
  return symbol;
}

static int load_library(const char *path) {
  void *handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (handle == NULL) {
    fprintf(stderr, "gtk-host: %s\n", dlerror());
    return 0;
  }
  /* POSIX's way from dlsym's object pointer to a function pointer. */
  *(void **)&library.init = entry_point(handle, "initMacAccessibility");
  *(void **)&library.start = entry_point(handle, "start");
  *(void **)&library.set_text = entry_point(handle, "setText");
  *(void **)&library.add_mouse_tracker = entry_point(handle, "addMouseTracker");
  *(void **)&library.finish = entry_point(handle, "main");
  return library.init != NULL && library.start != NULL && library.set_text != NULL &&
         library.add_mouse_tracker != NULL && library.finish != NULL;
}

static void name_for_assistive_tools(GtkWidget *widget, const char *id) {
  atk_object_set_accessible_id(gtk_widget_get_accessible(widget), id);
}

static void set_label(GtkWidget *label, const char *text) {
  gtk_label_set_text(GTK_LABEL(label), text != NULL ? text : "");
}

/* ------------------------------------------------------------ events */

static void append_event_row(const char *notification, const char *json) {
  double seconds = (double)(g_get_monotonic_time() - ui.started) / G_USEC_PER_SEC;
  char *line = g_strdup_printf("%.3f  %s  %s", seconds, notification, json);
  GtkWidget *row = gtk_label_new(line);
  GtkAdjustment *scroll;
  gtk_label_set_xalign(GTK_LABEL(row), 0.0f);
  gtk_label_set_ellipsize(GTK_LABEL(row), PANGO_ELLIPSIZE_END);
  gtk_widget_set_tooltip_text(row, json);
  gtk_container_add(GTK_CONTAINER(ui.events), row);
  gtk_widget_show(row);
  g_free(line);
  if (++ui.event_rows > MAX_EVENT_ROWS) {
    GtkListBoxRow *oldest = gtk_list_box_get_row_at_index(GTK_LIST_BOX(ui.events), 0);
    gtk_widget_destroy(GTK_WIDGET(oldest));
    ui.event_rows--;
  }
  /* Follow the newest event, as a log does. */
  scroll = gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(ui.events_scroll));
  gtk_adjustment_set_value(scroll, gtk_adjustment_get_upper(scroll));
}

static gint64 member_int(JsonObject *object, const char *name) {
  JsonNode *node = json_object_get_member(object, name);
  /* Coordinates the platform couldn't give come as null. */
  return node != NULL && JSON_NODE_HOLDS_VALUE(node) ? (gint64)json_node_get_double(node) : 0;
}

static const char *member_text(JsonObject *object, const char *name) {
  JsonNode *node = json_object_get_member(object, name);
  return node != NULL && JSON_NODE_HOLDS_VALUE(node) ? json_node_get_string(node) : NULL;
}

static JsonObject *member_object(JsonObject *object, const char *name) {
  JsonNode *node = json_object_get_member(object, name);
  return node != NULL && JSON_NODE_HOLDS_OBJECT(node) ? json_node_get_object(node) : NULL;
}

static void show_selection(JsonObject *data) {
  JsonObject *position, *size;
  char *rectangle;
  if (json_object_has_member(data, "message")) {
    /* A selection without a rectangle: the library says why instead. */
    set_label(ui.selection, "");
    set_label(ui.rectangle, member_text(data, "message"));
    return;
  }
  if (!json_object_has_member(data, "selected_text")) return;
  set_label(ui.selection, member_text(data, "selected_text"));
  position = member_object(data, "position");
  size = member_object(data, "size");
  if (position == NULL || size == NULL) return;
  rectangle = g_strdup_printf("x %" G_GINT64_FORMAT ", y %" G_GINT64_FORMAT ", %" G_GINT64_FORMAT
                              " × %" G_GINT64_FORMAT "%s",
                              member_int(position, "x"), member_int(position, "y"), member_int(size, "width"),
                              member_int(size, "height"),
                              json_object_get_boolean_member_with_default(data, "is_editable", FALSE)
                                  ? ", editable"
                                  : ", read-only");
  set_label(ui.rectangle, rectangle);
  g_free(rectangle);
}

static void show_application(JsonObject *data) {
  const char *name = member_text(data, "name");
  const char *bundle = member_text(data, "bundle_id");
  char *text = g_strdup_printf("%s (%s)", name != NULL ? name : "?", bundle != NULL ? bundle : "?");
  set_label(ui.application, text);
  g_free(text);
  set_label(ui.selection, "");
  set_label(ui.rectangle, "");
}

static void on_event(const char *notification, const char *json) {
  JsonNode *root;
  append_event_row(notification, json);
  root = json_from_string(json, NULL);
  if (root == NULL || !JSON_NODE_HOLDS_OBJECT(root)) {
    if (root != NULL) json_node_unref(root);
    return;
  }
  if (strcmp(notification, "app_changed") == 0) {
    show_application(json_node_get_object(root));
  } else if (strcmp(notification, "text_select") == 0 || strcmp(notification, "ui_reized") == 0 ||
             strcmp(notification, "alt_enter_pressed") == 0) {
    show_selection(json_node_get_object(root));
  } else if (strcmp(notification, "caret") == 0) {
    set_label(ui.selection, "");
    set_label(ui.rectangle, "");
  }
  json_node_unref(root);
}

/* ------------------------------------------------------------ replacing */

static gboolean replace_now(gpointer text) {
  char *status;
  /* Blocks about 1.2 s: the library brings the other application to the
   * front, pastes and puts the clipboard back. */
  library.set_text(text);
  status = g_strdup_printf("Replaced the selection with %ld characters.", (long)g_utf8_strlen(text, -1));
  set_label(ui.status, status);
  g_free(status);
  gtk_widget_set_sensitive(ui.replace, TRUE);
  return G_SOURCE_REMOVE;
}

static void on_replace(GtkWidget *widget, gpointer unused) {
  const char *text = gtk_entry_get_text(GTK_ENTRY(ui.replacement));
  (void)widget;
  (void)unused;
  if (!gtk_widget_get_sensitive(ui.replace)) return;
  gtk_widget_set_sensitive(ui.replace, FALSE);
  set_label(ui.status, "Replacing…");
  /* setText holds the main loop while it works; from a low-priority idle
   * the window has drawn the status first. */
  g_idle_add_full(G_PRIORITY_LOW, replace_now, g_strdup(text), g_free);
}

/* ------------------------------------------------------------ window */

static GtkWidget *caption(const char *text) {
  GtkWidget *label = gtk_label_new(text);
  gtk_label_set_xalign(GTK_LABEL(label), 1.0f);
  gtk_style_context_add_class(gtk_widget_get_style_context(label), "dim-label");
  return label;
}

static GtkWidget *value_label(const char *id) {
  GtkWidget *label = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
  gtk_widget_set_hexpand(label, TRUE);
  name_for_assistive_tools(label, id);
  return label;
}

static void build_window(void) {
  GtkWidget *box = gtk_box_new(GTK_ORIENTATION_VERTICAL, 8);
  GtkWidget *grid = gtk_grid_new();
  GtkWidget *frame = gtk_frame_new("Events");
  GtkWidget *row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);

  ui.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
  gtk_window_set_title(GTK_WINDOW(ui.window), "axtrack GTK host");
  gtk_window_set_default_size(GTK_WINDOW(ui.window), 620, 420);
  gtk_container_set_border_width(GTK_CONTAINER(box), 10);
  g_signal_connect(ui.window, "destroy", G_CALLBACK(gtk_main_quit), NULL);

  gtk_grid_set_row_spacing(GTK_GRID(grid), 4);
  gtk_grid_set_column_spacing(GTK_GRID(grid), 8);
  ui.application = value_label("application");
  ui.selection = value_label("selection-text");
  ui.rectangle = value_label("selection-rectangle");
  gtk_grid_attach(GTK_GRID(grid), caption("Application"), 0, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), ui.application, 1, 0, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), caption("Selection"), 0, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), ui.selection, 1, 1, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), caption("Rectangle"), 0, 2, 1, 1);
  gtk_grid_attach(GTK_GRID(grid), ui.rectangle, 1, 2, 1, 1);
  gtk_box_pack_start(GTK_BOX(box), grid, FALSE, FALSE, 0);

  ui.events = gtk_list_box_new();
  gtk_list_box_set_selection_mode(GTK_LIST_BOX(ui.events), GTK_SELECTION_NONE);
  name_for_assistive_tools(ui.events, "events");
  ui.events_scroll = gtk_scrolled_window_new(NULL, NULL);
  gtk_container_add(GTK_CONTAINER(ui.events_scroll), ui.events);
  gtk_container_add(GTK_CONTAINER(frame), ui.events_scroll);
  gtk_box_pack_start(GTK_BOX(box), frame, TRUE, TRUE, 0);

  ui.replacement = gtk_entry_new();
  gtk_entry_set_placeholder_text(GTK_ENTRY(ui.replacement), "Replacement text");
  gtk_widget_set_hexpand(ui.replacement, TRUE);
  name_for_assistive_tools(ui.replacement, "replacement");
  ui.replace = gtk_button_new_with_label("Replace selection");
  name_for_assistive_tools(ui.replace, "replace");
  g_signal_connect(ui.replace, "clicked", G_CALLBACK(on_replace), NULL);
  g_signal_connect(ui.replacement, "activate", G_CALLBACK(on_replace), NULL);
  gtk_box_pack_start(GTK_BOX(row), ui.replacement, TRUE, TRUE, 0);
  gtk_box_pack_start(GTK_BOX(row), ui.replace, FALSE, FALSE, 0);
  gtk_box_pack_start(GTK_BOX(box), row, FALSE, FALSE, 0);

  ui.status = gtk_label_new("");
  gtk_label_set_xalign(GTK_LABEL(ui.status), 0.0f);
  name_for_assistive_tools(ui.status, "status");
  gtk_box_pack_start(GTK_BOX(box), ui.status, FALSE, FALSE, 0);

  gtk_container_add(GTK_CONTAINER(ui.window), box);
}

int main(int argc, char **argv) {
  const char *path;
  GdkWindow *own;
  /* The library watches the pointer on X11 window ids: under Wayland the
   * window must be an X11 one too (XWayland). */
  gdk_set_allowed_backends("x11");
  /* GTK's accessibility bridge puts this process on the accessibility bus
   * like any other application, under its program name. The library leaves
   * its host out of what it follows by its process, whatever its name; the
   * demo takes the host application's name all the same, which its check
   * finds it by. */
  g_set_prgname(HOST_APPLICATION_NAME);
  gtk_init(&argc, &argv);
  path = argc > 1 ? argv[1] : AXTRACK_LIBRARY_PATH;
  if (!load_library(path)) return 1;
  ui.started = g_get_monotonic_time();

  build_window();
  gtk_widget_show_all(ui.window);
  gtk_widget_grab_focus(ui.replacement);

  library.init(on_event);
  library.start("{}");
  /* The pointer entering the window is reported as mouse_hoverd; leaving it
   * brings the tracked application back to the front. */
  own = gtk_widget_get_window(ui.window);
  library.add_mouse_tracker((void *)(uintptr_t)gdk_x11_window_get_xid(own));

  gtk_main();
  library.finish(0, NULL);
  return 0;
}
