// UTF-8 as the library reads it everywhere: one decoder, one rule for
// ill-formed bytes. Each maximal ill-formed subpart (the lead byte and as many
// following bytes as could still have continued a well-formed sequence, at
// least one) counts as one U+FFFD, as the Unicode standard recommends. Text
// from the host, from other applications and from files therefore reads the
// same wherever it is decoded.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace axt::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

struct Decoded {
  char32_t codePoint = 0;    // U+FFFD for an ill-formed subpart
  std::size_t length = 0;    // bytes consumed, at least 1
  bool wellFormed = false;
};

// Decodes the sequence that starts at `pos` (which must be inside `bytes`).
Decoded decodeAt(std::string_view bytes, std::size_t pos) noexcept;

// Length of the well-formed sequence starting at `pos`, or 0 when the bytes
// there are ill-formed (overlong forms, surrogates, values above U+10FFFF,
// stray continuation bytes, truncated sequences).
std::size_t wellFormedLength(std::string_view bytes, std::size_t pos) noexcept;

// Offset of the first ill-formed byte, or the size when there is none.
std::size_t firstIllFormed(std::string_view bytes) noexcept;

// The text with each maximal ill-formed subpart replaced by U+FFFD. Valid
// input, by far the common case, costs one scan and one copy.
std::string toValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of `cp` (which must be a scalar value).
void appendUtf8(std::string& out, char32_t cp);

// Calls `visit(const Decoded&, std::size_t offset)` for each character of
// `bytes` in order, ill-formed subparts as U+FFFD.
template <class Visit>
void forEachCharacter(std::string_view bytes, Visit&& visit) {
  for (std::size_t pos = 0; pos < bytes.size();) {
    const Decoded d = decodeAt(bytes, pos);
    visit(d, pos);
    pos += d.length;
  }
}

}  // namespace axt::text
