// The index must answer every conversion exactly as reading the text does,
// and stay so through the edits the application reports.
#include "astral_index.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace axt::lindesk {
namespace {

// Characters of one to four bytes, and a lone continuation byte.
const char* const kPieces[] = {"a", "\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF0\x9D\x84\x9E", "\x80", "\n"};

std::string randomText(std::mt19937& random, int characters) {
  std::string s;
  std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kPieces)) - 1);
  for (int i = 0; i < characters; ++i) s += kPieces[pick(random)];
  return s;
}

void expectSameAsText(const AstralIndex& index, const std::string& text) {
  ASSERT_EQ(index.characters(), characterCount(text));
  ASSERT_EQ(index.units(), utf16Length(text));
  for (std::int64_t c = -1; c <= index.characters() + 1; ++c) {
    ASSERT_EQ(index.unitsBefore(c), unitsBeforeCharacter(text, std::max<std::int64_t>(c, 0))) << c;
  }
  for (std::int64_t u = -1; u <= index.units() + 1; ++u) {
    for (Rounding r : {Rounding::kDown, Rounding::kUp}) {
      ASSERT_EQ(index.charactersBefore(u, r), charactersBeforeUnit(text, u, r)) << u;
    }
    for (std::int64_t length : {0, 1, 2, 5}) {
      ASSERT_EQ(index.charRangeOf(platform::Range{u, length}), charRangeOf(text, platform::Range{u, length}))
          << u << "+" << length;
    }
  }
  for (std::int64_t a = 0; a <= index.characters(); a += 3) {
    const CharRange r{a, index.characters() - a / 2};
    const platform::Range mine = index.unitRangeOf(r);
    const platform::Range theirs = lindesk::unitRangeOf(text, r);
    ASSERT_EQ(mine.location, theirs.location);
    ASSERT_EQ(mine.length, theirs.length);
  }
}

TEST(AstralIndex, AnswersAsTheTextDoes) {
  std::mt19937 random(7);
  expectSameAsText(AstralIndex::of(""), "");
  for (int round = 0; round < 40; ++round) {
    const std::string text = randomText(random, round);
    expectSameAsText(AstralIndex::of(text), text);
  }
}

TEST(AstralIndex, FollowsInsertionsAndDeletions) {
  std::mt19937 random(11);
  std::string text = randomText(random, 30);
  AstralIndex index = AstralIndex::of(text);
  for (int step = 0; step < 60; ++step) {
    const std::int64_t total = characterCount(text);
    const std::int64_t at = std::uniform_int_distribution<std::int64_t>(0, total)(random);
    if (step % 2 == 0) {
      const std::string piece = randomText(random, step % 5);
      text.insert(byteOffsetOfCharacter(text, at), piece);
      index.insert(at, piece);
    } else {
      const std::int64_t count = std::uniform_int_distribution<std::int64_t>(0, 4)(random);
      const std::size_t from = byteOffsetOfCharacter(text, at);
      text.erase(from, byteOffsetOfCharacter(text, at + count) - from);
      index.erase(at, count);
    }
    expectSameAsText(index, text);
  }
}

TEST(AstralIndex, EditsBeyondTheTextAreClamped) {
  AstralIndex index = AstralIndex::of("ab\xF0\x9F\x98\x80");
  index.insert(99, "\xF0\x9F\x98\x80");  // at the end
  index.erase(-5, 1);                   // the first character
  index.erase(2, 99);                   // to the end
  expectSameAsText(index, "b\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace axt::lindesk
