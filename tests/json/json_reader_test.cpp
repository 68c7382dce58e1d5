#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <utility>

#include "json/json.h"
#include "text/utf8.h"

namespace axt::json {
namespace {

using Fault = std::pair<std::size_t, std::string>;

// Offset and message of the error, or the text "parsed" when there is none.
Fault faultOf(std::string_view text, const ParseOptions& options = {}) {
  ParseResult result = parse(text, options);
  if (result) return {0, "parsed"};
  return {result.error.offset, result.error.message};
}

Value parsed(std::string_view text, const ParseOptions& options = {}) {
  ParseResult result = parse(text, options);
  EXPECT_TRUE(result) << text << ": " << result.error.description();
  return result ? *result.value : Value("<failed>");
}

// A scalar on its own, without the container the top level needs.
Value scalar(std::string_view text) {
  ParseOptions options;
  options.requireContainer = false;
  return parsed(text, options);
}

Fault scalarFault(std::string_view text) {
  ParseOptions options;
  options.requireContainer = false;
  return faultOf(text, options);
}

TEST(JsonReader, Literals) {
  EXPECT_EQ(parsed("[true,false,null]"), Value(Array{true, false, Value()}));
  EXPECT_EQ(faultOf("[tru]"), Fault(4, "Unexpected character ']'"));
  EXPECT_EQ(faultOf("[nul"), Fault(4, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[True]"), Fault(1, "Unexpected character 'T'"));
  EXPECT_EQ(faultOf("[NaN]"), Fault(1, "Unexpected character 'N'"));
  EXPECT_EQ(faultOf("[Infinity]"), Fault(1, "Unexpected character 'I'"));
  EXPECT_EQ(faultOf("[-Infinity]"), Fault(2, "Expected a digit after '-'"));
  EXPECT_EQ(faultOf("[truex]"), Fault(5, "Expected ',' or ']' after array element"));
}

TEST(JsonReader, Containers) {
  Value v = parsed(R"( { "a" : [ 1 , { } , [ ] ] , "b" : { "c" : "d" } } )");
  EXPECT_EQ(v, Value(Object{{"a", Array{1, Object{}, Array{}}}, {"b", Object{{"c", "d"}}}}));
  EXPECT_EQ(parsed("[]"), Value(Array{}));
  EXPECT_EQ(parsed("{}"), Value(Object{}));
  EXPECT_EQ(parsed("[[],[[]]]"), Value(Array{Value(Array{}), Value(Array{Value(Array{})})}));
}

TEST(JsonReader, LastOfRepeatedKeysWins) {
  EXPECT_EQ(parsed(R"({"a":1,"b":2,"a":{"x":3}})"), Value(Object{{"a", Object{{"x", 3}}}, {"b", 2}}));
  EXPECT_EQ(parsed(R"({"a":[1,2],"a":"s"})"), Value(Object{{"a", "s"}}));
}

TEST(JsonReader, OnlyFourWhitespaceCharacters) {
  EXPECT_EQ(parsed(" \t\r\n[ \t\r\n1 \t\r\n] \t\r\n"), Value(Array{1}));
  EXPECT_EQ(faultOf("[1,\x0b 2]"), Fault(3, "Unexpected character U+000B"));
  EXPECT_EQ(faultOf("\f[]"), Fault(0, "Unexpected character U+000C"));
  EXPECT_EQ(faultOf("[\xc2\xa0]"), Fault(1, "Unexpected character U+00A0"));
  EXPECT_EQ(faultOf("\xef\xbb\xbf[]"), Fault(0, "Unexpected character U+FEFF"));
}

TEST(JsonReader, TopLevelMustBeAContainerWhenAsked) {
  EXPECT_EQ(faultOf("  42"), Fault(2, "Top level must be an object or an array"));
  EXPECT_EQ(faultOf("\"s\""), Fault(0, "Top level must be an object or an array"));
  EXPECT_EQ(faultOf("null"), Fault(0, "Top level must be an object or an array"));
  EXPECT_EQ(scalar("42"), Value(42));
  EXPECT_EQ(scalar(" \"s\" "), Value("s"));
  EXPECT_EQ(scalar("null"), Value());
}

TEST(JsonReader, NothingButWhitespaceAfterTheValue) {
  EXPECT_EQ(faultOf("{} {}"), Fault(3, "Unexpected data after the value"));
  EXPECT_EQ(faultOf("[1]]"), Fault(3, "Unexpected data after the value"));
  EXPECT_EQ(faultOf(std::string_view("[1]\0", 4)), Fault(3, "Unexpected data after the value"));
  EXPECT_EQ(scalarFault("1 2"), Fault(2, "Unexpected data after the value"));
}

TEST(JsonReader, EndOfInputAnywhere) {
  EXPECT_EQ(faultOf(""), Fault(0, "Unexpected end of input"));
  EXPECT_EQ(faultOf("   "), Fault(3, "Unexpected end of input"));
  EXPECT_EQ(faultOf("["), Fault(1, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[1"), Fault(2, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[1,"), Fault(3, "Unexpected end of input"));
  EXPECT_EQ(faultOf("{"), Fault(1, "Unexpected end of input"));
  EXPECT_EQ(faultOf(R"({"a")"), Fault(4, "Unexpected end of input"));
  EXPECT_EQ(faultOf(R"({"a":)"), Fault(5, "Unexpected end of input"));
  EXPECT_EQ(faultOf(R"({"a":1)"), Fault(6, "Unexpected end of input"));
  EXPECT_EQ(faultOf(R"({"a":1,)"), Fault(7, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[-"), Fault(2, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[1."), Fault(3, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[1e"), Fault(3, "Unexpected end of input"));
  EXPECT_EQ(faultOf("[1e-"), Fault(4, "Unexpected end of input"));
}

TEST(JsonReader, StructureErrors) {
  EXPECT_EQ(faultOf("[1,]"), Fault(3, "Trailing comma before ']'"));
  EXPECT_EQ(faultOf(R"({"a":1,})"), Fault(7, "Trailing comma before '}'"));
  EXPECT_EQ(faultOf("[,1]"), Fault(1, "Unexpected character ','"));
  EXPECT_EQ(faultOf("[1 2]"), Fault(3, "Expected ',' or ']' after array element"));
  EXPECT_EQ(faultOf("[1:2]"), Fault(2, "Expected ',' or ']' after array element"));
  EXPECT_EQ(faultOf(R"({"a" 1})"), Fault(5, "Expected ':' after object key"));
  EXPECT_EQ(faultOf(R"({"a"=1})"), Fault(4, "Expected ':' after object key"));
  EXPECT_EQ(faultOf(R"({"a":1 "b":2})"), Fault(7, "Expected ',' or '}' after object member"));
  EXPECT_EQ(faultOf(R"({"a":1])"), Fault(6, "Expected ',' or '}' after object member"));
  EXPECT_EQ(faultOf("[1}"), Fault(2, "Expected ',' or ']' after array element"));
  EXPECT_EQ(faultOf("{1:2}"), Fault(1, "Expected a string as object key"));
  EXPECT_EQ(faultOf("{a:2}"), Fault(1, "Expected a string as object key"));
  EXPECT_EQ(faultOf(R"({"a":1,2:3})"), Fault(7, "Expected a string as object key"));
  EXPECT_EQ(faultOf("{'a':1}"), Fault(1, "Expected a string as object key"));
  EXPECT_EQ(faultOf("['a']"), Fault(1, "Unexpected character '''"));
  EXPECT_EQ(faultOf("[1]// note"), Fault(3, "Unexpected data after the value"));
  EXPECT_EQ(faultOf("[/* note */1]"), Fault(1, "Unexpected character '/'"));
  EXPECT_EQ(faultOf("[\x01]"), Fault(1, "Unexpected character U+0001"));
  EXPECT_EQ(faultOf("[\x7f]"), Fault(1, "Unexpected character U+007F"));
  EXPECT_EQ(faultOf("[\xf0\x9f\x98\x80]"), Fault(1, "Unexpected character U+1F600"));
}

TEST(JsonReader, Integers) {
  EXPECT_EQ(scalar("0"), Value(0));
  EXPECT_EQ(scalar("-0"), Value(0));
  EXPECT_EQ(scalar("7"), Value(7));
  EXPECT_EQ(scalar("-1234567890"), Value(std::int64_t{-1234567890}));
  EXPECT_EQ(scalar("9223372036854775807"), Value(std::numeric_limits<std::int64_t>::max()));
  EXPECT_EQ(scalar("-9223372036854775808"), Value(std::numeric_limits<std::int64_t>::min()));
  // Integral literals beyond 64 bits become doubles.
  EXPECT_EQ(scalar("9223372036854775808"), Value(9223372036854775808.0));
  EXPECT_EQ(scalar("-9223372036854775809"), Value(-9223372036854775809.0));
  EXPECT_EQ(scalar("123456789012345678901234567890"), Value(1.2345678901234568e29));
}

TEST(JsonReader, FractionsAndExponentsAreDoubles) {
  EXPECT_EQ(scalar("1.0"), Value(1.0));
  EXPECT_EQ(scalar("1e2"), Value(100.0));
  EXPECT_EQ(scalar("1E2"), Value(100.0));
  EXPECT_EQ(scalar("1e+2"), Value(100.0));
  EXPECT_EQ(scalar("-2.5e-3"), Value(-0.0025));
  EXPECT_EQ(scalar("0.1"), Value(0.1));
  EXPECT_EQ(scalar("5e-324"), Value(5e-324));
  EXPECT_EQ(scalar("1.7976931348623157e308"), Value(std::numeric_limits<double>::max()));
  EXPECT_EQ(scalar("0e999999999999"), Value(0.0));
  // Too small to represent: zero with its sign.
  Value tiny = scalar("-1e-400");
  ASSERT_NE(tiny.asDouble(), nullptr);
  EXPECT_EQ(*tiny.asDouble(), 0.0);
  EXPECT_TRUE(std::signbit(*tiny.asDouble()));
  EXPECT_EQ(scalar("0.000001e-320"), Value(0.0));
  EXPECT_EQ(scalar("123e-99999999999999999999"), Value(0.0));
}

TEST(JsonReader, NumberErrors) {
  EXPECT_EQ(scalarFault("01"), Fault(0, "Leading zeros are not allowed"));
  EXPECT_EQ(scalarFault("-007"), Fault(1, "Leading zeros are not allowed"));
  EXPECT_EQ(faultOf("[00.5]"), Fault(1, "Leading zeros are not allowed"));
  EXPECT_EQ(scalarFault("+1"), Fault(0, "Unexpected character '+'"));
  EXPECT_EQ(scalarFault(".5"), Fault(0, "Unexpected character '.'"));
  EXPECT_EQ(scalarFault("-x"), Fault(1, "Expected a digit after '-'"));
  EXPECT_EQ(scalarFault("1.e5"), Fault(2, "Expected a digit after '.'"));
  EXPECT_EQ(scalarFault("1.x"), Fault(2, "Expected a digit after '.'"));
  EXPECT_EQ(scalarFault("1e"), Fault(2, "Unexpected end of input"));
  EXPECT_EQ(scalarFault("1ex"), Fault(2, "Expected a digit in the exponent"));
  EXPECT_EQ(scalarFault("1e+-1"), Fault(3, "Expected a digit in the exponent"));
  EXPECT_EQ(faultOf("[1, 1e400]"), Fault(4, "Number out of range"));
  EXPECT_EQ(faultOf("[-1.5e309]"), Fault(1, "Number out of range"));
  EXPECT_EQ(faultOf("[1.7976931348623159e308]"), Fault(1, "Number out of range"));
  EXPECT_EQ(faultOf("[0.0001e99999999999999999999]"), Fault(1, "Number out of range"));
  EXPECT_EQ(scalarFault("0x10"), Fault(1, "Unexpected data after the value"));
}

TEST(JsonReader, StringEscapes) {
  EXPECT_EQ(scalar(R"("\" \\ \/ \b \f \n \r \t")"), Value("\" \\ / \b \f \n \r \t"));
  EXPECT_EQ(scalar(R"("\u0041\u00e9\u20AC\uFFFF")"), Value("Aé€\xef\xbf\xbf"));
  EXPECT_EQ(scalar(R"("a\u0000b")"), Value(std::string("a\0b", 3)));
  EXPECT_EQ(scalar(R"("\ud83d\ude00 \uD83D\uDE00")"), Value("😀 😀"));
  EXPECT_EQ(scalar(R"("\udbff\udfff")"), Value("\xf4\x8f\xbf\xbf"));
  EXPECT_EQ(scalar(R"("\ud800\udc00")"), Value("\xf0\x90\x80\x80"));
  EXPECT_EQ(scalar(R"("\ud7ff\ue000")"), Value("\xed\x9f\xbf\xee\x80\x80"));
  // Raw UTF-8 and escapes interleaved, across several eight-byte words.
  EXPECT_EQ(scalar("\"caf\xc3\xa9\\tcr\xc3\xa8me \xe2\x82\xac\\\\ \\u00e9\xf0\x9f\x98\x80 and more text\""),
            Value("café\tcrème €\\ é😀 and more text"));
}

TEST(JsonReader, StringErrors) {
  EXPECT_EQ(faultOf(R"(["ab\x"])"), Fault(4, "Invalid escape sequence"));
  EXPECT_EQ(faultOf(R"(["\'"])"), Fault(2, "Invalid escape sequence"));
  EXPECT_EQ(faultOf(R"(["\U0041"])"), Fault(2, "Invalid escape sequence"));
  EXPECT_EQ(faultOf(R"(["\u12g4"])"), Fault(2, "Invalid \\u escape"));
  EXPECT_EQ(faultOf(R"(["\u12"])"), Fault(2, "Invalid \\u escape"));
  EXPECT_EQ(faultOf(R"(["x\ud800"])"), Fault(3, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ud800x"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ud800\n"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ud800\u0041"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ud800\ud800"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ud800\uzzzz"])"), Fault(8, "Invalid \\u escape"));
  EXPECT_EQ(faultOf(R"(["\udc00"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf(R"(["\ude00\ud83d"])"), Fault(2, "Unpaired surrogate in \\u escape"));
  EXPECT_EQ(faultOf("[\"a\nb\"]"), Fault(3, "Unescaped control character U+000A in string"));
  EXPECT_EQ(faultOf("[\"\t\"]"), Fault(2, "Unescaped control character U+0009 in string"));
  EXPECT_EQ(faultOf(std::string_view("[\"\0\"]", 5)), Fault(2, "Unescaped control character U+0000 in string"));
  EXPECT_EQ(parsed("[\"\x7f\"]"), Value(Array{"\x7f"}));
  EXPECT_EQ(faultOf("[\"abc"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"(["abc\)"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"(["\u00)"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"(["\ud800)"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"(["\ud800\)"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"(["\ud800\udc)"), Fault(1, "Unterminated string"));
  EXPECT_EQ(faultOf(R"({"key)"), Fault(1, "Unterminated string"));
}

TEST(JsonReader, StringsFindTheirEndAtAnyPosition) {
  // Plain runs are scanned eight bytes at a time; every special byte must
  // stop the scan wherever it falls.
  const std::string body(24, 'x');
  for (std::size_t at = 0; at <= body.size(); ++at) {
    // The body with `middle` put in at the position under test.
    auto with = [&](const std::string& middle) { return body.substr(0, at) + middle + body.substr(at); };
    EXPECT_EQ(parsed("[\"" + with("\\n") + "\"]"), Value(Array{with("\n")}));
    EXPECT_EQ(parsed("[\"" + with("é") + "\"]"), Value(Array{with("é")}));
    EXPECT_EQ(faultOf("[\"" + with("\x1f") + "\"]"),
              Fault(2 + at, "Unescaped control character U+001F in string"));
    EXPECT_EQ(faultOf("[\"" + with("\xff") + "\"]"), Fault(2 + at, "Ill-formed UTF-8"));
    EXPECT_EQ(parsed("[\"" + body.substr(0, at) + "\"]"), Value(Array{body.substr(0, at)}));
  }
}

TEST(JsonReader, InputMustBeWellFormedUtf8) {
  EXPECT_EQ(parsed("[\"é€😀\"]"), Value(Array{"é€😀"}));
  EXPECT_EQ(faultOf("[\"ab\xc3\"]"), Fault(4, "Ill-formed UTF-8"));          // truncated
  EXPECT_EQ(faultOf("[\"ab\xe2\x82"), Fault(4, "Ill-formed UTF-8"));          // truncated at the end
  EXPECT_EQ(faultOf("[\"\xc0\xaf\"]"), Fault(2, "Ill-formed UTF-8"));        // overlong
  EXPECT_EQ(faultOf("[\"\xe0\x80\xaf\"]"), Fault(2, "Ill-formed UTF-8"));    // overlong
  EXPECT_EQ(faultOf("[\"\xed\xa0\x80\"]"), Fault(2, "Ill-formed UTF-8"));    // surrogate
  EXPECT_EQ(faultOf("[\"\xf4\x90\x80\x80\"]"), Fault(2, "Ill-formed UTF-8")); // above U+10FFFF
  EXPECT_EQ(faultOf("[\"a\x80\"]"), Fault(3, "Ill-formed UTF-8"));           // lone continuation
  EXPECT_EQ(faultOf("[\"\xf8\x88\x80\x80\x80\"]"), Fault(2, "Ill-formed UTF-8"));
  EXPECT_EQ(faultOf("[\xff]"), Fault(1, "Ill-formed UTF-8"));
  EXPECT_EQ(faultOf("{\"a\xff\":1}"), Fault(3, "Ill-formed UTF-8"));
}

TEST(JsonReader, AgreesWithTheRepairOnWhatIsWellFormed) {
  // Every two-byte combination, and three-byte ones with a telling third
  // byte: the reader accepts exactly the text that repair leaves alone.
  const unsigned char thirds[] = {0x41, 0x7f, 0x80, 0xbf, 0xc0};
  for (int a = 0x80; a < 0x100; ++a) {
    for (int b = 0; b < 0x100; ++b) {
      for (int t = 0; t <= 5; ++t) {
        std::string bytes = {static_cast<char>(a), static_cast<char>(b)};
        if (t < 5) bytes.push_back(static_cast<char>(thirds[t]));
        // Bytes that end or break a string have their own errors.
        bool special = false;
        for (char c : bytes) special |= static_cast<unsigned char>(c) < 0x20 || c == '"' || c == '\\';
        if (special) continue;
        const bool wellFormed = text::toValidUtf8(bytes) == bytes;
        const bool accepted = static_cast<bool>(parse("[\"" + bytes + "\"]"));
        ASSERT_EQ(accepted, wellFormed) << std::hex << a << " " << b << " " << t;
      }
    }
  }
}

TEST(JsonReader, NestingUpToTheLimit) {
  const std::string deep = std::string(512, '[') + std::string(512, ']');
  EXPECT_TRUE(parse(deep));
  const std::string tooDeep = std::string(513, '[') + std::string(513, ']');
  EXPECT_EQ(faultOf(tooDeep), Fault(512, "Nesting deeper than 512 levels"));

  ParseOptions three;
  three.maxDepth = 3;
  EXPECT_TRUE(parse(R"({"a":[{"b":1}],"c":[[]]})", three));
  EXPECT_EQ(faultOf(R"({"a":[{"b":[]}]})", three), Fault(11, "Nesting deeper than 3 levels"));
  EXPECT_EQ(faultOf(R"([[[{}]]])", three), Fault(3, "Nesting deeper than 3 levels"));
}

TEST(JsonReader, VeryDeepNestingFailsWithoutExhaustingTheStack) {
  EXPECT_EQ(faultOf(std::string(100000, '[')), Fault(512, "Nesting deeper than 512 levels"));
  std::string objects;
  for (int i = 0; i < 100000; ++i) objects += "{\"a\":";
  EXPECT_EQ(faultOf(objects), Fault(512 * 5, "Nesting deeper than 512 levels"));
  std::string mixed;
  for (int i = 0; i < 50000; ++i) mixed += "[{\"k\":";
  EXPECT_EQ(faultOf(mixed), Fault(256 * 6, "Nesting deeper than 512 levels"));
}

TEST(JsonReader, ErrorDescription) {
  ParseResult result = parse("[1,]");
  ASSERT_FALSE(result);
  EXPECT_EQ(result.error.description(), "Trailing comma before ']' at byte offset 3");
  EXPECT_EQ((ParseError{0, "Unexpected end of input"}).description(),
            "Unexpected end of input at byte offset 0");
}

}  // namespace
}  // namespace axt::json
