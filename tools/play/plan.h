// A scenario after reading and checking: everything the player needs, in the
// simulated desktop's own types, so that building and playing can't fail on
// the file any more.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "simdesk/desktop.h"

namespace play {

// What each kind of step carries. Several step names share a shape.
struct NoArgs {};
struct InitArgs {
  bool callback = true;  // false: the host registers a null callback
};
struct StartArgs {
  std::string configuration;  // passed to the library as it is
};
struct TextArgs {
  std::string text;
};
struct MouseTrackerArgs {
  std::optional<std::string> window;  // empty: pass an object that is not a window
};
struct AppArgs {
  simdesk::Pid pid = 0;
};
struct LaunchArgs {
  simdesk::Pid pid = 0;
  bool finished = true;
};
struct ElementArgs {
  std::string element;
};
struct SelectArgs {
  std::string element;
  simdesk::Range range;
};
struct HotKeyArgs {
  std::uint32_t code = 36;          // Return
  std::uint32_t modifiers = 0x800;  // Option
};
struct PointerArgs {
  simdesk::Point point;
};
struct HostWindowFrameArgs {
  std::string window;
  simdesk::Rect frame;
};
struct CopyArgs {
  std::vector<simdesk::PasteboardItem> items;
};
struct SetArgs {
  std::string element;
  std::string attribute;
  simdesk::AttrValue value;
};
struct SetErrorArgs {
  std::string element;
  std::string attribute;
  simdesk::AXError code = 0;
};

using StepArgs = std::variant<NoArgs, InitArgs, StartArgs, TextArgs, MouseTrackerArgs, AppArgs,
                              LaunchArgs, ElementArgs, SelectArgs, HotKeyArgs, PointerArgs,
                              HostWindowFrameArgs, CopyArgs, SetArgs, SetErrorArgs>;

// A step's arguments in the shape its name has. The reader pairs each step
// name with its shape, so a mismatch can't come from a file; should it
// happen, the step gets defaults.
template <class Args>
const Args& argsOf(const StepArgs& args) {
  static const Args none{};
  const Args* a = std::get_if<Args>(&args);
  return a != nullptr ? *a : none;
}

struct Step {
  double at = 0;     // virtual seconds
  std::string name;  // the "do" member
  StepArgs args;
};

struct Plan {
  bool trusted = true;
  std::vector<simdesk::PasteboardItem> pasteboard;
  bool pasteboardWritable = true;
  std::vector<simdesk::HostWindowSpec> hostWindows;
  std::vector<simdesk::AppSpec> apps;
  std::vector<Step> steps;
  // Ids of the elements that have a text, in file order: the final state
  // reports each of them.
  std::vector<std::string> textElements;
};

}  // namespace play
