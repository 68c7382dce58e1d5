// The exported C interface. Each symbol forwards to the module operation of
// the same name; nothing may leave through it as a C++ exception.
#include "axtrack/axtrack.h"

#include "host/operations.h"
#include "window/window_tracker.h"

namespace {

template <class F, class R>
R guarded(F&& f, R fallback) noexcept {
  try {
    return f();
  } catch (...) {
    return fallback;
  }
}

template <class F>
void guarded(F&& f) noexcept {
  try {
    f();
  } catch (...) {
  }
}

}  // namespace

extern "C" {

AXTRACK_EXPORT void initMacAccessibility(axtrack_callback callback) {
  guarded([&] { axt::host::initMacAccessibility(callback); });
}

AXTRACK_EXPORT void start(const char* configuration) {
  guarded([&] { axt::host::start(configuration); });
}

AXTRACK_EXPORT void setText(const char* text) {
  guarded([&] { axt::host::setText(text); });
}

AXTRACK_EXPORT void focusPreiov(void) {
  guarded([] { axt::host::focusPrivous(); });
}

AXTRACK_EXPORT void addMouseTracker(void* window) {
  guarded([&] { axt::window::addMouseTracker(window); });
}

AXTRACK_EXPORT bool isAccessibiltyEnabled(void) {
  return guarded([] { return axt::host::isAccessibiltyEnabled(); }, false);
}

AXTRACK_EXPORT bool showAccessibiltyPermisionPopup(void) {
  return guarded([] { return axt::host::showAccessibiltyPermisionPopup(); }, false);
}

// The library's own main: a host program reaches it through dlsym.
AXTRACK_EXPORT int32_t main(int32_t argc, char** argv) {
  return guarded([&] { return axt::host::main(argc, argv); }, 0);
}

}  // extern "C"
