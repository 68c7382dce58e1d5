// Processes a compositor runs beside itself that look like applications on
// the accessibility bus but are parts of the desktop: mutter (GNOME 44 and
// later) draws the frames of X clients' windows in a GTK client of its own,
// whose frame windows turn active along with the window they frame. Its
// activations are the framed application's, never an application of
// their own.
#pragma once

#include <string_view>

namespace axt::lindesk {

// `executable`: the file name of the process's program, or its short name
// (/proc/PID/comm, cut at 15 bytes) where the program can't be read.
bool isCompositorHelper(std::string_view executable);

// The same of a running process, by its program's name; false where the
// process is gone.
bool isCompositorHelperProcess(long pid);

}  // namespace axt::lindesk
