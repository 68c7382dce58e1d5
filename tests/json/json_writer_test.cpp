#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "json/json.h"

namespace axt::json {
namespace {

std::string str(const Value& v, bool escapeSlash = true) {
  WriteOptions options;
  options.escapeSlash = escapeSlash;
  return write(v, options);
}

// The escaping rule in its plainest form, to check the fast path against.
std::string referenceEscape(const std::string& text, bool escapeSlash) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '/': out += escapeSlash ? "\\/" : "/"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

TEST(JsonWriter, Scalars) {
  EXPECT_EQ(str(Value()), "null");
  EXPECT_EQ(str(Value(nullptr)), "null");
  EXPECT_EQ(str(true), "true");
  EXPECT_EQ(str(false), "false");
  EXPECT_EQ(str(0), "0");
  EXPECT_EQ(str(-42), "-42");
  EXPECT_EQ(str(std::numeric_limits<std::int64_t>::max()), "9223372036854775807");
  EXPECT_EQ(str(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
  EXPECT_EQ(str(""), "\"\"");
}

TEST(JsonWriter, EscapesQuoteBackslashAndControlCharacters) {
  EXPECT_EQ(str("a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(str("\b\f\n\r\t"), R"("\b\f\n\r\t")");
  EXPECT_EQ(str(std::string("\0\x01\x1f", 3)), R"("\u0000\u0001\u001f")");
  EXPECT_EQ(str("\x0b"), R"("\u000b")");
  // DEL and everything from 0x20 up that is not special stay raw.
  EXPECT_EQ(str("\x7f ~"), "\"\x7f ~\"");
}

TEST(JsonWriter, SlashIsEscapedUnlessTurnedOff) {
  EXPECT_EQ(str("a/b//"), R"("a\/b\/\/")");
  EXPECT_EQ(str("a/b//", false), R"("a/b//")");
  EXPECT_EQ(str(Object{{"k/", "v/"}}), R"({"k\/":"v\/"})");
  EXPECT_EQ(str(Object{{"k/", "v/"}}, false), R"({"k/":"v/"})");
}

TEST(JsonWriter, NonAsciiStaysRawUtf8) {
  EXPECT_EQ(str("é € 😀"), "\"é € 😀\"");
}

TEST(JsonWriter, EscapesAtEveryPositionOfLongStrings) {
  // The writer copies runs of eight bytes at a time; a special byte must be
  // found wherever it falls in the word, and in the tail after the last word.
  const std::string specials[] = {"\"", "\\", "/", "\n", "\x01", "\x1f", "\x7f", "\xc3\xa9", " "};
  for (bool escapeSlash : {true, false}) {
    for (const std::string& special : specials) {
      for (std::size_t at = 0; at <= 40; ++at) {
        const std::string text = std::string(at, 'a') + special + std::string(40 - at, 'a');
        ASSERT_EQ(str(text, escapeSlash), referenceEscape(text, escapeSlash))
            << "special " << int(static_cast<unsigned char>(special[0])) << " at " << at;
      }
    }
  }
  std::string all;
  for (int c = 0; c < 128; ++c) all.push_back(static_cast<char>(c));
  EXPECT_EQ(str(all), referenceEscape(all, true));
  EXPECT_EQ(str(all, false), referenceEscape(all, false));
}

TEST(JsonWriter, IntegralDoublesHaveNoFraction) {
  EXPECT_EQ(str(5.0), "5");
  EXPECT_EQ(str(300.0), "300");
  EXPECT_EQ(str(-17.0), "-17");
  EXPECT_EQ(str(0.0), "0");
  EXPECT_EQ(str(-0.0), "0");
  EXPECT_EQ(str(9007199254740991.0), "9007199254740991");    // 2^53 - 1
  EXPECT_EQ(str(-9007199254740991.0), "-9007199254740991");
}

TEST(JsonWriter, OtherDoublesInShortestRoundTripForm) {
  EXPECT_EQ(str(0.1), "0.1");
  EXPECT_EQ(str(512.5), "512.5");
  EXPECT_EQ(str(-2.75), "-2.75");
  EXPECT_EQ(str(1.0 / 3.0), "0.3333333333333333");
  EXPECT_EQ(str(1e300), "1e300");
  EXPECT_EQ(str(-1e300), "-1e300");
  EXPECT_EQ(str(5e-324), "5e-324");
  EXPECT_EQ(str(1.5e-7), "1.5e-7");
  EXPECT_EQ(str(1e21), "1e21");
  EXPECT_EQ(str(std::numeric_limits<double>::max()), "1.7976931348623157e308");
  // From 2^53 on, integral doubles are no longer all exact: shortest form.
  EXPECT_EQ(str(9007199254740992.0), "9007199254740992");
  EXPECT_EQ(str(9007199254740994.0), "9007199254740994");
  EXPECT_EQ(str(1e20), "1e20");
  EXPECT_EQ(str(18446744073709551616.0), "18446744073709551616");
}

TEST(JsonWriter, NonFiniteNumbersAreNull) {
  EXPECT_EQ(str(std::nan("")), "null");
  EXPECT_EQ(str(std::numeric_limits<double>::infinity()), "null");
  EXPECT_EQ(str(-std::numeric_limits<double>::infinity()), "null");
  EXPECT_EQ(str(Object{{"x", std::nan("")}, {"y", 1.0}}), R"({"x":null,"y":1})");
}

TEST(JsonWriter, WrittenTextParsesToTheSameValue) {
  Value v = Object{{"selected_text", "line one\nline \"two\" / é \x01"},
                   {"is_editable", true},
                   {"position", Object{{"x", 512.5}, {"y", -3.25}}},
                   {"size", Object{{"width", 96}, {"height", 16}}},
                   {"bundle_id", Value()},
                   {"list", Array{Array{Array{}}, std::numeric_limits<std::int64_t>::min()}}};
  for (bool escapeSlash : {true, false}) {
    ParseResult back = parse(str(v, escapeSlash));
    ASSERT_TRUE(back) << back.error.description();
    EXPECT_EQ(*back.value, v);
  }
}

}  // namespace
}  // namespace axt::json
