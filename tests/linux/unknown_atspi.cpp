// Preloaded into the test host (LD_PRELOAD) by bus_restart.sh: the version
// call of a libatspi release whose layout the library has not checked, so
// that the library must not carry libatspi's objects over to a new bus.
#include <glib.h>

extern "C" __attribute__((visibility("default"))) void atspi_get_version(gint* major, gint* minor, gint* micro) {
  *major = 2;
  *minor = 99;
  *micro = 0;
}
