// The walk over the candidates for applications' top-level windows, apart
// from the X server that answers it. Window managers put an application's
// window one level below the root (a frame, then the client) or deeper (a
// frame, a wrapper, then the client); the walk goes down until it meets the
// client, and no deeper than any window manager nests.
#pragma once

#include <functional>
#include <vector>

namespace axt::lindesk {

using FrameWalkWindow = unsigned long;  // an X resource id (Xlib's Window)

// Deeper than any window manager nests its clients (two levels, the
// deepest known).
inline constexpr int kMaxFrameDepth = 3;

// Visits each of `tops` (the root's children, bottom to top), and when
// `visit` doesn't accept one (a window manager's frame, not a client's
// window), what `children` says is inside it, depth first and at most
// kMaxFrameDepth levels below the top, until `visit` accepts one.
// `visit(client, frame)` gets the window and the top that holds it.
void walkFrames(const std::vector<FrameWalkWindow>& tops,
                const std::function<std::vector<FrameWalkWindow>(FrameWalkWindow)>& children,
                const std::function<bool(FrameWalkWindow client, FrameWalkWindow frame)>& visit);

}  // namespace axt::lindesk
