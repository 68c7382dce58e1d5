// Which application id a process's windows give it. GTK names the
// application on each of its top-level windows (_GTK_APPLICATION_ID); the
// windows of one process may differ in whether they carry it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace axt::lindesk {

using ApplicationIdWindow = unsigned long;  // an X resource id (Xlib's Window)

// The first non-empty id among the process's visible windows, in their
// order, each read by `idOf` until one is found: empty when it has windows
// and none carries one, absent while it shows none (a window may still
// bring one, so nothing is concluded).
std::optional<std::string> applicationIdAmong(
    const std::vector<ApplicationIdWindow>& windows,
    const std::function<std::optional<std::string>(ApplicationIdWindow)>& idOf);

}  // namespace axt::lindesk
