// Positions in UTF-16 units against AT-SPI's character offsets, where the
// two counts part: characters outside the Basic Multilingual Plane, ranges
// that end inside one, ranges past the text, malformed input.
#include "utf16_offsets.h"

#include <gtest/gtest.h>

#include <string>

namespace axt::lindesk {
namespace {

using platform::Range;

// "a😀b": the emoji is one character and two units.
const std::string kAstral = "a\xF0\x9F\x98\x80" "b";
// "é" (two bytes, one unit), "中" (three bytes, one unit).
const std::string kBmp = "\xC3\xA9\xE4\xB8\xAD";

TEST(Utf16Offsets, CountsCharactersAndUnitsApartOutsideTheBasicPlane) {
  EXPECT_EQ(characterCount(kAstral), 3);
  EXPECT_EQ(utf16Length(kAstral), 4);
  EXPECT_EQ(characterCount(kBmp), 2);
  EXPECT_EQ(utf16Length(kBmp), 2);
  EXPECT_EQ(utf16Length(""), 0);
}

TEST(Utf16Offsets, UnitsBeforeACharacterCountTheEmojiTwice) {
  EXPECT_EQ(unitsBeforeCharacter(kAstral, 0), 0);
  EXPECT_EQ(unitsBeforeCharacter(kAstral, 1), 1);
  EXPECT_EQ(unitsBeforeCharacter(kAstral, 2), 3);
  EXPECT_EQ(unitsBeforeCharacter(kAstral, 3), 4);
  // Past the end: the whole text.
  EXPECT_EQ(unitsBeforeCharacter(kAstral, 99), 4);
}

TEST(Utf16Offsets, AUnitInsideASurrogatePairRoundsEitherWay) {
  EXPECT_EQ(charactersBeforeUnit(kAstral, 2, Rounding::kDown), 1);
  EXPECT_EQ(charactersBeforeUnit(kAstral, 2, Rounding::kUp), 2);
  EXPECT_EQ(charactersBeforeUnit(kAstral, 3, Rounding::kDown), 2);
  EXPECT_EQ(charactersBeforeUnit(kAstral, 3, Rounding::kUp), 2);
}

TEST(Utf16Offsets, RangesAreWidenedToWholeCharacters) {
  // Half of the emoji selects all of it.
  EXPECT_EQ(charRangeOf(kAstral, Range{2, 1}), (CharRange{1, 2}));
  EXPECT_EQ(charRangeOf(kAstral, Range{1, 1}), (CharRange{1, 2}));
  EXPECT_EQ(charRangeOf(kAstral, Range{3, 1}), (CharRange{2, 3}));
  // An empty range stays empty, also at the end.
  EXPECT_EQ(charRangeOf(kAstral, Range{4, 0}), (CharRange{3, 3}));
}

TEST(Utf16Offsets, RangesOutsideTheTextAreRefused) {
  EXPECT_FALSE(charRangeOf(kAstral, Range{-1, 1}));
  EXPECT_FALSE(charRangeOf(kAstral, Range{0, -1}));
  EXPECT_FALSE(charRangeOf(kAstral, Range{4, 1}));
  EXPECT_FALSE(charRangeOf(kAstral, Range{5, 0}));
  // No overflow for a length near the largest number.
  EXPECT_FALSE(charRangeOf(kAstral, Range{1, INT64_MAX}));
  EXPECT_TRUE(charRangeOf(kAstral, Range{0, 4}));
}

TEST(Utf16Offsets, CharacterRangesBecomeUnitRangesInOrder) {
  EXPECT_EQ(unitRangeOf(kAstral, CharRange{1, 3}), (Range{1, 3}));
  EXPECT_EQ(unitRangeOf(kAstral, CharRange{3, 1}), (Range{1, 3}));
  EXPECT_EQ(unitRangeOf(kAstral, CharRange{2, 2}), (Range{3, 0}));
  EXPECT_EQ(unitRangeOf(kAstral, CharRange{-5, 99}), (Range{0, 4}));
}

TEST(Utf16Offsets, RoundTripsEveryPositionOfMixedText) {
  const std::string text = "x" + kAstral + kBmp + "\xF0\x90\x8D\x88" "z";
  const std::int64_t chars = characterCount(text);
  for (std::int64_t c = 0; c <= chars; ++c) {
    const std::int64_t u = unitsBeforeCharacter(text, c);
    EXPECT_EQ(charactersBeforeUnit(text, u, Rounding::kDown), c) << c;
    EXPECT_EQ(charactersBeforeUnit(text, u, Rounding::kUp), c) << c;
  }
}

TEST(Utf16Offsets, ByteOffsetsFollowCharacters) {
  EXPECT_EQ(byteOffsetOfCharacter(kAstral, 0), 0u);
  EXPECT_EQ(byteOffsetOfCharacter(kAstral, 1), 1u);
  EXPECT_EQ(byteOffsetOfCharacter(kAstral, 2), 5u);
  EXPECT_EQ(byteOffsetOfCharacter(kAstral, 9), kAstral.size());
}

TEST(Utf16Offsets, MalformedBytesCountAsTheLibraryDecodesThemAndNeverOverrun) {
  // A lone continuation byte; a truncated three-byte sequence (one
  // character: it could still have gone on); an overlong lead and the
  // continuation after it (one each); a byte that starts nothing.
  const std::string bad = "\x80" "a\xE4\xB8" "\xC0\xAF" "\xFF";
  EXPECT_EQ(characterCount(bad), 6);
  EXPECT_EQ(utf16Length(bad), 6);
  EXPECT_EQ(byteOffsetOfCharacter(bad, 6), bad.size());
  EXPECT_EQ(byteOffsetOfCharacter(bad, 99), bad.size());
  // Truncated four-byte sequence at the very end: one character.
  const std::string cut = "ab\xF0\x9F\x98";
  EXPECT_EQ(characterCount(cut), 3);
  EXPECT_EQ(charRangeOf(cut, Range{2, 1}), (CharRange{2, 3}));
  EXPECT_EQ(charRangeOf(cut, Range{2, 2}), std::nullopt);
  EXPECT_EQ(substringOfChars(cut, CharRange{2, 3}), "\xF0\x9F\x98");
}

}  // namespace
}  // namespace axt::lindesk
