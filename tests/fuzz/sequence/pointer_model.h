// What the fuzzer expects of the pointer and the host's tracked windows:
// which tracking areas are installed, which of them the pointer is in, and
// so which pointer moves make the library hand over "mouse_hoverd". Those
// hand-overs happen inside the hover tracker, out of the fuzzer's sight, so
// they are predicted here and the prediction is checked against the
// desktop's queue and the library's pending slot.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "simdesk/desktop.h"

namespace axt::fuzz {

class PointerModel {
 public:
  void reset();
  void addWindow(const simdesk::HostWindowSpec& window);
  void resizeWindow(const std::string& id, const simdesk::Rect& frame);
  // addMouseTracker on the window with this id: an area is installed when
  // the window has a content view.
  void trackWindow(const std::string& id);

  struct Move {
    std::size_t crossings = 0;  // areas entered or left: one queued item each
    std::size_t entries = 0;    // areas entered
  };
  Move movePointer(simdesk::Point p);

 private:
  struct Window {
    std::string id;
    simdesk::Rect frame;
    bool contentView = true;
  };
  struct Area {
    std::size_t window = 0;
    bool inside = false;
  };
  Window* find(const std::string& id);

  std::vector<Window> windows_;
  std::vector<Area> areas_;  // in installation order
  std::optional<simdesk::Point> pointer_;
};

}  // namespace axt::fuzz
