#include "sequence/pointer_model.h"

namespace axt::fuzz {

namespace {

// Half-open on the far edges: a point on the right or bottom edge is out.
bool inside(const simdesk::Rect& r, const simdesk::Point& p) {
  return p.x >= r.origin.x && p.x < r.origin.x + r.size.width && p.y >= r.origin.y &&
         p.y < r.origin.y + r.size.height;
}

}  // namespace

void PointerModel::reset() {
  windows_.clear();
  areas_.clear();
  pointer_.reset();
}

void PointerModel::addWindow(const simdesk::HostWindowSpec& window) {
  windows_.push_back(Window{window.id, window.frame, window.contentView});
}

PointerModel::Window* PointerModel::find(const std::string& id) {
  for (Window& w : windows_) {
    if (w.id == id) return &w;
  }
  return nullptr;
}

void PointerModel::resizeWindow(const std::string& id, const simdesk::Rect& frame) {
  // The areas follow the content area, but whether the pointer is in one
  // changes only when the pointer moves.
  if (Window* w = find(id)) w->frame = frame;
}

void PointerModel::trackWindow(const std::string& id) {
  Window* w = find(id);
  if (w == nullptr || !w->contentView) return;
  // An area installed under the pointer starts out inside, with no event.
  const bool under = pointer_ && inside(w->frame, *pointer_);
  areas_.push_back(Area{static_cast<std::size_t>(w - windows_.data()), under});
}

PointerModel::Move PointerModel::movePointer(simdesk::Point p) {
  pointer_ = p;
  Move move;
  for (Area& a : areas_) {
    const bool now = inside(windows_[a.window].frame, p);
    if (now == a.inside) continue;
    a.inside = now;
    ++move.crossings;
    if (now) ++move.entries;
  }
  return move;
}

}  // namespace axt::fuzz
