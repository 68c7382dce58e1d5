// The random desktop a sequence plays on, and the random values its actions
// take, decoded from the fuzzer's input.
#pragma once

#include "fuzz_input.h"

#include <string>
#include <vector>

#include "simdesk/desktop.h"

namespace axt::fuzz {

struct Scene {
  bool trusted = true;
  std::vector<simdesk::PasteboardItem> pasteboard;
  std::vector<simdesk::HostWindowSpec> windows;
  std::vector<simdesk::AppSpec> apps;  // 1 to 3, pids 10, 11, 12
  std::vector<std::string> elements;   // every element id, "e0", "e1", ...
};

// One to three applications with a few elements each (text in several
// scripts, emoji, combining marks, now and then ill-formed bytes; odd
// selections; fixed answers and error codes), zero to two host windows and
// a pasteboard.
Scene decodeScene(FuzzInput& in);

// Text as other applications or the host might have it.
std::string randomText(FuzzInput& in, std::size_t maxPieces = 6);
std::string pickElement(FuzzInput& in, const Scene& scene);
simdesk::Pid pickPid(FuzzInput& in, const Scene& scene);
std::string pickAttribute(FuzzInput& in);
simdesk::AXError pickErrorCode(FuzzInput& in);
simdesk::AttrValue randomAttrValue(FuzzInput& in, const Scene& scene);
simdesk::Range randomRange(FuzzInput& in);
simdesk::Rect randomFrame(FuzzInput& in);
std::vector<simdesk::PasteboardItem> randomItems(FuzzInput& in);
// A pointer position, most of the time inside or at the edge of a window.
simdesk::Point randomPointer(FuzzInput& in, const Scene& scene);
// A configuration text for start: mostly a blocked-field list naming the
// scene's applications and attributes, sometimes a broken or odd one.
std::string randomConfiguration(FuzzInput& in, const Scene& scene);

}  // namespace axt::fuzz
