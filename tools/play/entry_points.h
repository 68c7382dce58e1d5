// The library's eight C entry points, as resolved from the loaded library.
#pragma once

#include "axtrack/axtrack.h"

namespace play {

struct EntryPoints {
  void (*initMacAccessibility)(axtrack_callback) = nullptr;
  void (*start)(const char*) = nullptr;
  void (*setText)(const char*) = nullptr;
  void (*focusPreiov)() = nullptr;
  void (*addMouseTracker)(void*) = nullptr;
  bool (*isAccessibiltyEnabled)() = nullptr;
  bool (*showAccessibiltyPermisionPopup)() = nullptr;
  axtrack_main_fn main = nullptr;
};

}  // namespace play
