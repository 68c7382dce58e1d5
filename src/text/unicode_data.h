// The Unicode character properties that canonical equivalence needs: combining
// classes and canonical decompositions. The tables behind these functions are
// generated (see tools/unicode/gen_unicode_data.py); regenerate them rather
// than editing unicode_data.cpp.
#pragma once

#include <cstdint>
#include <string_view>

namespace axt::text::unicode {

// The Unicode version the tables were generated from, e.g. "14.0.0".
std::string_view unicodeVersion() noexcept;

// The canonical combining class of `cp`: 0 for starters, for unassigned code
// points and for values beyond U+10FFFF.
std::uint8_t combiningClass(char32_t cp) noexcept;

// The full canonical decomposition of `cp`, already applied recursively, so no
// code point in the result decomposes further (it is not yet in canonical
// order). Empty when `cp` has no canonical decomposition; compatibility
// mappings are never included. Hangul syllables are not in the table either:
// they decompose arithmetically and the caller does that itself.
std::u32string_view canonicalDecomposition(char32_t cp) noexcept;

}  // namespace axt::text::unicode
