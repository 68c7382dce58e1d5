// Canonical equivalence where the comparison with Python's unicodedata
// (the test text.unicode_data, over every code point that decomposes or
// combines and random texts) doesn't look: the order of marks, ill-formed
// bytes, views that end inside a character, long runs of marks.
#include "text/canonical_equivalence.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>


namespace axt::text {
namespace {

std::string hex(std::string_view text) {
  std::string out;
  for (char c : text) {
    char buf[4];
    std::snprintf(buf, sizeof buf, "%02X ", static_cast<unsigned char>(c));
    out += buf;
  }
  return out;
}

// Equivalence is symmetric, so every pair is checked both ways round.
testing::AssertionResult equivalent(std::string_view a, std::string_view b) {
  if (canonicallyEqual(a, b) && canonicallyEqual(b, a)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "[" << hex(a) << "] and [" << hex(b) << "] differ";
}

testing::AssertionResult distinct(std::string_view a, std::string_view b) {
  if (!canonicallyEqual(a, b) && !canonicallyEqual(b, a)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "[" << hex(a) << "] and [" << hex(b) << "] match";
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

TEST(CanonicalEquivalence, Singletons) {
  EXPECT_TRUE(equivalent("\u212A", "K"));
  EXPECT_TRUE(equivalent("\u037E", ";"));
  EXPECT_TRUE(equivalent("\u2126", "\u03A9"));
  // One side pure ASCII, the other not: the fast path must not decide this.
  EXPECT_TRUE(equivalent("\u212Aelvin", "Kelvin"));
  EXPECT_TRUE(distinct("\u212Aelvin", "kelvin"));
}

TEST(CanonicalEquivalence, MarksOfDifferentClassesReorder) {
  // Acute (230) and dot below (220) commute.
  EXPECT_TRUE(equivalent("a\u0301\u0323", "a\u0323\u0301"));
  EXPECT_TRUE(equivalent("\u00E1\u0323", "\u1EA1\u0301"));
  EXPECT_TRUE(equivalent("\u1EAD", "\u00E2\u0323"));
  // A run of marks with no starter before it, at the start of a text.
  EXPECT_TRUE(equivalent("\u0301\u0323x", "\u0323\u0301x"));
  // Reordering spans the decompositions of neighbouring code points.
  EXPECT_TRUE(equivalent("\u1F82\u0323", "\u03B1\u0323\u0313\u0300\u0345"));
}

TEST(CanonicalEquivalence, MarksOfTheSameClassKeepTheirOrder) {
  EXPECT_TRUE(distinct("a\u0301\u0300", "a\u0300\u0301"));
  EXPECT_TRUE(distinct("\u00E1\u0300", "\u00E0\u0301"));
  // The same class with a different class between them still keep order.
  EXPECT_TRUE(distinct("a\u0301\u0323\u0300", "a\u0300\u0323\u0301"));
}

TEST(CanonicalEquivalence, MarksNeverCrossAStarter) {
  EXPECT_TRUE(distinct("a\u0301b\u0323", "a\u0323b\u0301"));
  EXPECT_TRUE(distinct("e\u0301", "\u0301e"));
  // U+FFFD from a bad byte is a starter like any other.
  EXPECT_TRUE(distinct("e\x80\u0301", "e\u0301\x80"));
}

TEST(CanonicalEquivalence, LongRunsOfMarksSortStably) {
  // Long enough that an unstable sort would scramble marks of equal class.
  std::string aboveFirst = "o";
  std::string belowFirst = "o";
  std::string belowFirstSwapped = "o";
  std::string above;
  std::string below;
  for (int i = 0; i < 20; ++i) {
    above += i % 2 == 0 ? "\u0300" : "\u0301";  // class 230
    below += i % 2 == 0 ? "\u0316" : "\u0317";  // class 220
  }
  for (int i = 0; i < 20; ++i) {
    aboveFirst += above.substr(2 * i, 2) + below.substr(2 * i, 2);
  }
  belowFirst += below + above;
  EXPECT_TRUE(equivalent(aboveFirst, belowFirst));

  belowFirstSwapped += below + "\u0301\u0300" + above.substr(4);
  EXPECT_TRUE(distinct(aboveFirst, belowFirstSwapped));
}

TEST(CanonicalEquivalence, NearMisses) {
  EXPECT_TRUE(distinct("\u00E9", "e"));
  EXPECT_TRUE(distinct("\u00E9", "\u00E8"));
  EXPECT_TRUE(distinct("e\u0301", "e\u0301\u0301"));
  EXPECT_TRUE(distinct("\u00C5", "A"));
  EXPECT_TRUE(distinct("\u00E9x", "\u00E9"));
  EXPECT_TRUE(distinct("abc", "abd"));
  EXPECT_TRUE(distinct("ab", "abc"));
  EXPECT_TRUE(distinct("A", "a"));  // no case folding
  EXPECT_TRUE(distinct(std::string_view("a\0b", 3), std::string_view("a\0c", 3)));
}

TEST(CanonicalEquivalence, IllFormedBytesReadAsReplacementCharacters) {
  EXPECT_TRUE(equivalent("\x80", kReplacement));          // stray continuation
  EXPECT_TRUE(equivalent("\xFF", kReplacement));          // never a lead byte
  EXPECT_TRUE(equivalent("\xC3", kReplacement));          // truncated at the end
  EXPECT_TRUE(equivalent("\xF0\x9F\x98", kReplacement));  // one maximal subpart
  const std::string two = std::string(kReplacement) + std::string(kReplacement);
  const std::string three = two + std::string(kReplacement);
  EXPECT_TRUE(equivalent("\xC0\xAF", two));  // overlong "/" is not "/"
  EXPECT_TRUE(distinct("\xC0\xAF", "/"));
  EXPECT_TRUE(equivalent("\xE0\x80", two));          // overlong three-byte lead
  EXPECT_TRUE(equivalent("\xED\xA0\x80", three));    // encoded surrogate
  EXPECT_TRUE(equivalent("\xF4\x90\x80\x80", two + two));  // past U+10FFFF
  EXPECT_TRUE(distinct("\xC3", "\xC3\xC3"));
  // The byte that breaks a sequence starts the next character.
  EXPECT_TRUE(equivalent("\xC3" "e\u0301", std::string(kReplacement) + "\u00E9"));
}

TEST(CanonicalEquivalence, NeverReadsPastTheView) {
  const std::string bytes = "\u00E9";  // C3 A9
  const std::string_view truncated(bytes.data(), 1);
  EXPECT_TRUE(equivalent(truncated, kReplacement));
  EXPECT_TRUE(distinct(truncated, "\u00E9"));
}

}  // namespace
}  // namespace axt::text
