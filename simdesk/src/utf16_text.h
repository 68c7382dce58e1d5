// A view of UTF-8 text indexed the way the accessibility interface counts:
// in UTF-16 code units. A character outside the basic plane takes two units;
// a byte that isn't valid UTF-8 counts as one unit of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/values.h"

namespace simdesk::detail {

using axt::platform::Range;

class Utf16Text {
 public:
  explicit Utf16Text(std::string_view utf8);

  std::int64_t length() const { return static_cast<std::int64_t>(trailing_.size()); }
  // Whether unit i is the second half of a surrogate pair.
  bool splitsPair(std::int64_t i) const;
  bool isNewline(std::int64_t i) const;

  // A range inside the text, widened so that it never splits a character: its
  // start moves back and its end forward to whole characters; an empty range
  // inside a pair moves back to the pair's start.
  Range widened(Range inside) const;
  // Any range clamped into the text (location into [0, length], length into
  // what is left), then widened.
  Range clamped(Range any) const;
  // Whether a range lies inside the text: no negative part, no end past it.
  bool contains(Range r) const;

  // The UTF-8 bytes of the units [from, to), both on character boundaries.
  std::string slice(std::int64_t from, std::int64_t to) const;
  // The text with the units [from, to) replaced by `insert`.
  std::string replaced(std::int64_t from, std::int64_t to, std::string_view insert) const;

 private:
  std::size_t byteAt(std::int64_t unit) const;

  std::string_view text_;
  std::vector<std::size_t> unitByte_;  // byte offset of the character holding each unit, plus the end
  std::vector<bool> trailing_;
};

}  // namespace simdesk::detail
