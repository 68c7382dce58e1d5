#include "text/canonical_equivalence.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

#include "text/unicode_data.h"
#include "text/utf8.h"

namespace axt::text {
namespace {

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Reads the code point starting at `pos` and moves `pos` past it; an
// ill-formed subpart reads as U+FFFD.
char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
  const Decoded d = decodeAt(text, pos);
  pos += d.length;
  return d.codePoint;
}

// Hangul syllables are an arithmetic arrangement of leading consonant, vowel
// and optional trailing consonant jamo, so they are not listed in the tables.
constexpr char32_t kSyllableBase = 0xAC00;
constexpr char32_t kLeadingBase = 0x1100;
constexpr char32_t kVowelBase = 0x1161;
constexpr char32_t kTrailingBase = 0x11A7;
constexpr char32_t kVowelCount = 21;
constexpr char32_t kTrailingCount = 28;
constexpr char32_t kSyllableCount = 19 * kVowelCount * kTrailingCount;

// Reads a text as its canonical decomposition, one segment at a time: a
// segment is a starter with the non-starters that follow it (or, at the very
// start of a text, non-starters alone), and canonical reordering never moves
// a mark across a starter. Comparing segment by segment therefore compares
// the whole decompositions, and stops at the first difference without
// decomposing the rest.
class DecomposedSegments {
 public:
  explicit DecomposedSegments(std::string_view text) : text_(text) {}
  DecomposedSegments(const DecomposedSegments&) = delete;
  DecomposedSegments& operator=(const DecomposedSegments&) = delete;

  // Replaces `segment` with the next segment, marks in canonical order.
  // Returns false once the text is exhausted.
  bool next(std::u32string& segment) {
    segment.clear();
    while (refill()) {
      const char32_t cp = pending_.front();
      if (!segment.empty() && unicode::combiningClass(cp) == 0) break;
      segment.push_back(cp);
      pending_.remove_prefix(1);
    }
    if (segment.empty()) return false;

    const auto marks = segment.begin() + (unicode::combiningClass(segment.front()) == 0 ? 1 : 0);
    std::stable_sort(marks, segment.end(), [](char32_t x, char32_t y) {
      return unicode::combiningClass(x) < unicode::combiningClass(y);
    });
    return true;
  }

 private:
  // Makes sure `pending_` holds decomposed code points; false at the end.
  bool refill() {
    if (!pending_.empty()) return true;
    if (pos_ >= text_.size()) return false;

    const char32_t cp = decodeUtf8(text_, pos_);
    if (cp >= kSyllableBase && cp < kSyllableBase + kSyllableCount) {
      const char32_t index = cp - kSyllableBase;
      const char32_t trailing = index % kTrailingCount;
      scratch_[0] = kLeadingBase + index / (kVowelCount * kTrailingCount);
      scratch_[1] = kVowelBase + (index % (kVowelCount * kTrailingCount)) / kTrailingCount;
      scratch_[2] = kTrailingBase + trailing;
      pending_ = std::u32string_view(scratch_.data(), trailing == 0 ? 2 : 3);
      return true;
    }
    pending_ = unicode::canonicalDecomposition(cp);
    if (pending_.empty()) {
      scratch_[0] = cp;
      pending_ = std::u32string_view(scratch_.data(), 1);
    }
    return true;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::array<char32_t, 3> scratch_{};  // backs `pending_` when it is not a table entry
  std::u32string_view pending_;        // decomposed, not yet handed out
};

}  // namespace

bool canonicallyEqual(std::string_view a, std::string_view b) {
  if (a == b) return true;
  // Every ASCII character is its own decomposition and a starter.
  if (isAscii(a) && isAscii(b)) return false;

  DecomposedSegments left(a);
  DecomposedSegments right(b);
  std::u32string leftSegment;
  std::u32string rightSegment;
  for (;;) {
    const bool hasLeft = left.next(leftSegment);
    const bool hasRight = right.next(rightSegment);
    if (hasLeft != hasRight) return false;
    if (!hasLeft) return true;
    if (leftSegment != rightSegment) return false;
  }
}

}  // namespace axt::text
