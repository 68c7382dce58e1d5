// Equality of texts read from other applications. Two applications may spell
// the same text with different code points ("é" precomposed, or "e" followed
// by a combining acute), so byte equality would miss matches that a person
// sees as plainly the same.
#pragma once

#include <string_view>

namespace axt::text {

// True when `a` and `b`, read as UTF-8, are canonically equivalent: their
// canonical decompositions, with combining marks in canonical order, are the
// same code points. Compatibility variants (ligatures, full-width forms) are
// distinct texts. Ill-formed bytes read as U+FFFD, one per maximal ill-formed
// subsequence, so any input is accepted.
bool canonicallyEqual(std::string_view a, std::string_view b);

}  // namespace axt::text
