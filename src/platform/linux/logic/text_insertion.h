// What inserting text over the accessibility bus needs to know of the
// text. AT-SPI's insertion takes a length beside the text, and the toolkits
// don't agree on its unit: GTK, and the toolkits over ATK, count UTF-8
// bytes; Qt cuts the text to that many UTF-16 code units (and pads a longer
// count with nulls). Engines that ignore the length take either. Nor do
// they agree on what an offset counts: characters (code points) for GTK
// and ATK, UTF-16 code units for Qt, whose offsets are its strings'.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace axt::lindesk {

struct InsertionMeasure {
  std::int64_t characters = 0;  // how far the toolkit's offsets move
  std::int64_t lengthArgument = 0;  // the length the toolkit expects beside the text
};

// Absent for text that isn't valid UTF-8, holds a null (the bus's strings
// end at one), or is too long for the bus's 32-bit lengths: nothing is
// inserted then.
std::optional<InsertionMeasure> measureInsertion(std::string_view utf8, std::string_view toolkitName);

}  // namespace axt::lindesk
