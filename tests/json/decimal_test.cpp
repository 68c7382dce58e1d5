// Shortest decimals and their reading, checked against the standard
// library's own shortest form where it has one, which is what the library
// wrote before it carried its own.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "json/decimal.h"

namespace axt::json {
namespace {

// std::to_chars' shortest form, with the exponent as JSON writes it.
std::string reference(double value) {
  char buffer[64];
  char* const end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::string text(buffer, end);
  const auto e = text.find('e');
  if (e == std::string::npos) return text;
  std::string exponent = text.substr(e + 1);
  std::string out = text.substr(0, e + 1);
  std::size_t i = 0;
  if (exponent[i] == '+') {
    ++i;
  } else if (exponent[i] == '-') {
    out.push_back('-');
    ++i;
  }
  while (exponent[i] == '0' && i + 1 < exponent.size()) ++i;
  return out + exponent.substr(i);
}

std::string ours(double value) {
  std::string out;
  appendShortestDecimal(out, value);
  return out;
}

void expectSameBothWays(double value) {
  const std::string text = ours(value);
  ASSERT_EQ(text, reference(value)) << std::hexfloat << value;
  const DecimalRead read = readDecimal(text);
  ASSERT_FALSE(read.overflow);
  ASSERT_EQ(std::bit_cast<std::uint64_t>(read.value), std::bit_cast<std::uint64_t>(value)) << text;
}

TEST(DecimalTest, BoundariesAndAwkwardValues) {
  constexpr double kMax = std::numeric_limits<double>::max();
  constexpr double kMinNormal = std::numeric_limits<double>::min();
  constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();
  for (double v : {0.1, 0.2 + 0.1, 1.5, 12.5, 123.456, 1e21, 1e22, 1e23, 1e-7, 1e-5, 0.001, 1e16,
                   9007199254740993.0, 5e-324, 2.2250738585072014e-308, kMax, kMinNormal,
                   kMinSubnormal, 1.7976931348623155e308, 9.999999999999999e22, 0.30000000000000004,
                   123456789012345680.0, 4.35, 2.675, 1e300, 3.0e-310}) {
    expectSameBothWays(v);
    expectSameBothWays(-v);
  }
  EXPECT_EQ(ours(-0.0), "-0");
  EXPECT_EQ(ours(0.0), "0");
}

// Just above a power of two the doubles below lie twice as close together
// as those above: the shortest decimal may then lie above the nearest one.
TEST(DecimalTest, EveryPowerOfTwo) {
  for (int e = -1074; e <= 1023; ++e) expectSameBothWays(std::ldexp(1.0, e));
}

TEST(DecimalTest, RandomDoublesOfEveryMagnitude) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 100000; ++i) {
    const double v = std::bit_cast<double>(random());
    if (!std::isfinite(v)) continue;
    expectSameBothWays(v);
  }
  // Subnormal numbers carry fewer digits than the rest.
  for (int i = 0; i < 20000; ++i) expectSameBothWays(std::bit_cast<double>(random() & 0x000FFFFFFFFFFFFFULL));
  // Short decimals, as coordinates are.
  for (int i = 0; i < 20000; ++i) expectSameBothWays(static_cast<double>(random() % 100000) / 64.0 + 0.25);
}

TEST(DecimalTest, ReadingRoundsCorrectlyAndKeepsTheSignOfUnderflow) {
  for (const char* text : {"0.1", "1e-400", "-1e-400", "2.4703282292062327e-324", "1e308", "123.456e-2",
                           "0.000000000000000000000000000000000000000000001", "17976931348623157e292"}) {
    double expected = 0;
    const auto r = std::from_chars(text, text + std::strlen(text), expected);
    const DecimalRead read = readDecimal(text);
    EXPECT_FALSE(read.overflow) << text;
    if (r.ec == std::errc::result_out_of_range) {
      EXPECT_EQ(read.value, 0.0) << text;
      EXPECT_EQ(std::signbit(read.value), text[0] == '-') << text;
    } else {
      EXPECT_EQ(read.value, expected) << text;
    }
  }
  EXPECT_TRUE(readDecimal("1e309").overflow);
  EXPECT_TRUE(readDecimal("-1" + std::string(400, '0')).overflow);
  // A long text reads to its end, not past it.
  EXPECT_EQ(readDecimal("1." + std::string(500, '0') + "1").value, 1.0);
}

// A host may run in a locale whose decimal point is a comma; JSON may not.
TEST(DecimalTest, TheHostsLocaleDoesNotChangeTheText) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "fr_FR.UTF-8", "de_DE", "ru_RU.UTF-8"}) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
  const std::string text = ours(12.5);
  const double back = readDecimal("12.5").value;
  std::setlocale(LC_NUMERIC, saved.c_str());
  EXPECT_EQ(text, "12.5");
  EXPECT_EQ(back, 12.5);
}

}  // namespace
}  // namespace axt::json
