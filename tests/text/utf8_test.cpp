#include <gtest/gtest.h>

#include <string>

#include "json/json.h"
#include "text/utf8.h"

namespace axt::text {
namespace {

const std::string R = "\xef\xbf\xbd";  // U+FFFD

TEST(Utf8Repair, WellFormedTextIsUnchanged) {
  const std::string texts[] = {
      "",
      "plain ASCII, long enough to cover several eight-byte words",
      std::string("with\0nul", 8),
      "\x7f",
      "\xc2\x80 \xdf\xbf",                   // U+0080, U+07FF
      "\xe0\xa0\x80 \xef\xbf\xbf",           // U+0800, U+FFFF
      "\xed\x9f\xbf \xee\x80\x80",           // U+D7FF, U+E000 around the surrogates
      "\xf0\x90\x80\x80 \xf4\x8f\xbf\xbf",   // U+10000, U+10FFFF
      "é€😀 mixed with ASCII",
  };
  for (const std::string& text : texts) EXPECT_EQ(toValidUtf8(text), text);
}

TEST(Utf8Repair, TruncatedSequencesBecomeOneReplacementEach) {
  EXPECT_EQ(toValidUtf8("\xc3"), R);
  EXPECT_EQ(toValidUtf8("\xe2\x82"), R);
  EXPECT_EQ(toValidUtf8("\xf0\x9f\x98"), R);
  EXPECT_EQ(toValidUtf8("a\xe2\x82z"), "a" + R + "z");
  EXPECT_EQ(toValidUtf8("\xf0\x9f\x98\xe2\x82\xac"), R + "€");
  EXPECT_EQ(toValidUtf8("\xe2\x82\xe2\x82"), R + R);
}

TEST(Utf8Repair, StrayContinuationBytes) {
  EXPECT_EQ(toValidUtf8("\x80"), R);
  EXPECT_EQ(toValidUtf8("a\xbf" "b"), "a" + R + "b");
  EXPECT_EQ(toValidUtf8("\x80\x80\x80"), R + R + R);
  EXPECT_EQ(toValidUtf8("\xe2\x82\xac\xac"), "€" + R);
}

TEST(Utf8Repair, OverlongFormsReplaceEveryByte) {
  // No prefix of an overlong form can begin a well-formed sequence.
  EXPECT_EQ(toValidUtf8("\xc0\xaf"), R + R);
  EXPECT_EQ(toValidUtf8("\xc1\xbf"), R + R);
  EXPECT_EQ(toValidUtf8("\xe0\x80\xaf"), R + R + R);
  EXPECT_EQ(toValidUtf8("\xe0\x9f\xbf"), R + R + R);
  EXPECT_EQ(toValidUtf8("\xf0\x80\x80\xaf"), R + R + R + R);
  EXPECT_EQ(toValidUtf8("\xf0\x8f\xbf\xbf"), R + R + R + R);
}

TEST(Utf8Repair, SurrogatesAndValuesAboveTheRange) {
  EXPECT_EQ(toValidUtf8("\xed\xa0\x80"), R + R + R);  // U+D800
  EXPECT_EQ(toValidUtf8("\xed\xbf\xbf"), R + R + R);  // U+DFFF
  EXPECT_EQ(toValidUtf8("\xed\xa0\x80\xed\xb0\x80"), R + R + R + R + R + R);  // a pair, encoded
  EXPECT_EQ(toValidUtf8("\xf4\x90\x80\x80"), R + R + R + R);  // U+110000
  EXPECT_EQ(toValidUtf8("\xf5\x80\x80\x80"), R + R + R + R);
  EXPECT_EQ(toValidUtf8("\xfe\xff"), R + R);
}

TEST(Utf8Repair, FiveAndSixByteForms) {
  EXPECT_EQ(toValidUtf8("\xf8\x88\x80\x80\x80"), R + R + R + R + R);
  EXPECT_EQ(toValidUtf8("\xfc\x84\x80\x80\x80\x80"), R + R + R + R + R + R);
}

TEST(Utf8Repair, MaximalSubpartsInMixedText) {
  // Valid prefixes of a sequence that breaks off count as one fault; a byte
  // that cannot continue starts over.
  EXPECT_EQ(toValidUtf8("\x61\xf1\x80\x80\xe1\x80\xc2\x62\x80\x63\x80\xbf\x64"),
            "a" + R + R + R + "b" + R + "c" + R + R + "d");
  EXPECT_EQ(toValidUtf8("\xf1\x80\x80\x41"), R + "A");
  EXPECT_EQ(toValidUtf8("\xf4\x8f\xbf"), R);
  EXPECT_EQ(toValidUtf8("\xe0\xa0"), R);
  EXPECT_EQ(toValidUtf8("\xe0\xa0\xc0"), R + R);
  EXPECT_EQ(toValidUtf8("caf\xc3\xa9 \xff caf\xe9 \xf0\x9f\x98\x80"), "café " + R + " caf" + R + " 😀");
}

TEST(Utf8Repair, FaultsAtEveryPositionOfLongText) {
  // Valid stretches are skipped eight bytes at a time.
  for (std::size_t at = 0; at <= 30; ++at) {
    const std::string before(at, 'x');
    const std::string after(30 - at, 'x');
    ASSERT_EQ(toValidUtf8(before + "\xff" + after), before + R + after) << at;
    ASSERT_EQ(toValidUtf8(before + "é" + after), before + "é" + after) << at;
  }
}

}  // namespace
}  // namespace axt::text
