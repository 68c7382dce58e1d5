#include "logic/frame_walk.h"

namespace axt::lindesk {

namespace {

bool visitBelow(FrameWalkWindow window, FrameWalkWindow frame, int depth,
                const std::function<std::vector<FrameWalkWindow>(FrameWalkWindow)>& children,
                const std::function<bool(FrameWalkWindow, FrameWalkWindow)>& visit) {
  if (visit(window, frame)) return true;
  if (depth >= kMaxFrameDepth) return false;
  for (FrameWalkWindow inner : children(window)) {
    if (visitBelow(inner, frame, depth + 1, children, visit)) return true;
  }
  return false;
}

}  // namespace

void walkFrames(const std::vector<FrameWalkWindow>& tops,
                const std::function<std::vector<FrameWalkWindow>(FrameWalkWindow)>& children,
                const std::function<bool(FrameWalkWindow client, FrameWalkWindow frame)>& visit) {
  for (FrameWalkWindow top : tops) (void)visitBelow(top, top, 0, children, visit);
}

}  // namespace axt::lindesk
