#include "json/decimal.h"

#include <array>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#if defined(__APPLE__)
#include <xlocale.h>
#endif

namespace axt::json {
namespace {

// printf and strtod follow the locale of the calling thread, and a host may
// well have set one whose decimal point is a comma. The conversions here run
// in the "C" locale, switched for the calling thread only.
class CLocaleScope {
 public:
  CLocaleScope() : previous_(uselocale(cLocale())) {}
  ~CLocaleScope() { uselocale(previous_); }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  static locale_t cLocale() {
    // Made once and kept for the life of the process, like the "C" locale
    // itself.
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
  }
  locale_t previous_;
};

// A candidate: up to 17 significant digits d.ddd and the decimal exponent of
// the first.
struct Decimal {
  std::array<char, 17> digits{};
  int count = 0;
  int exponent = 0;
};

// The nearest decimal of `count` significant digits (printf rounds exactly).
Decimal nearest(double value, int count) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", count - 1, value);
  Decimal d;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.digits[static_cast<std::size_t>(d.count++)] = *p;
  }
  d.exponent = std::atoi(p + 1);
  return d;
}

// The next decimal above `d` with as many digits.
Decimal nextUp(Decimal d) {
  int i = d.count - 1;
  while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') d.digits[static_cast<std::size_t>(i--)] = '0';
  if (i >= 0) {
    ++d.digits[static_cast<std::size_t>(i)];
  } else {
    // 9.99 -> 10.0: one more order of magnitude.
    d.digits[0] = '1';
    ++d.exponent;
  }
  return d;
}

bool readsBackAs(const Decimal& d, double value) {
  char text[40];
  std::size_t n = 0;
  text[n++] = d.digits[0];
  text[n++] = '.';
  for (int i = 1; i < d.count; ++i) text[n++] = d.digits[static_cast<std::size_t>(i)];
  std::snprintf(text + n, sizeof text - n, "e%d", d.exponent);
  return std::strtod(text, nullptr) == value;
}

void dropTrailingZeros(Decimal& d) {
  while (d.count > 1 && d.digits[static_cast<std::size_t>(d.count - 1)] == '0') --d.count;
}

// Whether some decimal of `count` digits reads back as `value`, and the
// nearest such. Just above a power of two, where the doubles below lie
// closer together than those above, the next decimal up may read back where
// the nearest, below, doesn't.
bool shortestOfCount(double value, int count, Decimal& found) {
  Decimal d = nearest(value, count);
  if (readsBackAs(d, value)) {
    found = d;
    return true;
  }
  int exponent = 0;
  if (std::frexp(value, &exponent) == 0.5) {
    Decimal up = nextUp(d);
    if (readsBackAs(up, value)) {
      found = up;
      return true;
    }
  }
  return false;
}

// Subnormal numbers carry fewer digits than any fixed count: whether some
// decimal of n digits reads back grows with n, so n is found by bisection.
Decimal shortestSubnormal(double value) {
  Decimal best;
  int low = 1;
  int high = 17;
  (void)shortestOfCount(value, high, best);
  while (low < high) {
    const int mid = (low + high) / 2;
    Decimal found;
    if (shortestOfCount(value, mid, found)) {
      best = found;
      high = mid;
    } else {
      low = mid + 1;
    }
  }
  dropTrailingZeros(best);
  return best;
}

// The shortest decimal that reads back as `value` (finite, positive), and of
// those the nearest.
//
// A decimal of at most 15 significant digits survives the trip through a
// double and back to 15 digits unchanged. So when some decimal of 15 digits
// or fewer reads back as `value`, it is `value` written to 15 digits without
// its trailing zeros, which one conversion finds. Otherwise 16 or 17 digits
// are needed, and the nearest of 17 digits always reads back. This holds for
// normal numbers only.
Decimal shortest(double value) {
  if (value < std::numeric_limits<double>::min()) return shortestSubnormal(value);
  Decimal d = nearest(value, 15);
  dropTrailingZeros(d);
  if (readsBackAs(d, value)) return d;
  if (shortestOfCount(value, 16, d)) return d;
  d = nearest(value, 17);
  dropTrailingZeros(d);
  return d;
}

int decimalDigits(int n) {
  int count = 1;
  while (n >= 10) {
    n /= 10;
    ++count;
  }
  return count;
}

}  // namespace

void appendShortestDecimal(std::string& out, double value) {
  if (std::signbit(value)) out.push_back('-');
  value = std::fabs(value);
  if (value == 0) {
    out.push_back('0');
    return;
  }
  CLocaleScope scope;
  const Decimal d = shortest(value);
  const int n = d.count;
  const int e = d.exponent;
  const std::string_view digits(d.digits.data(), static_cast<std::size_t>(n));

  // Lengths as std::to_chars weighs them: its exponent has a sign and at
  // least two digits.
  const int fixedLength = e >= n - 1 ? e + 1 : (e >= 0 ? n + 1 : n + 1 - e);
  const int scientificLength = n + (n > 1 ? 1 : 0) + 2 + std::max(2, decimalDigits(std::abs(e)));
  if (fixedLength <= scientificLength) {
    if (e >= n - 1) {
      // An integer too long for its shortest digits: written in full, every
      // digit exact, as the standard library does (36028797018963968, not
      // 36028797018963970). The length is the same.
      char text[320];
      const int length = std::snprintf(text, sizeof text, "%.0f", value);
      out.append(text, static_cast<std::size_t>(length));
    } else if (e >= 0) {
      out.append(digits.substr(0, static_cast<std::size_t>(e + 1)));
      out.push_back('.');
      out.append(digits.substr(static_cast<std::size_t>(e + 1)));
    } else {
      out.append("0.");
      out.append(static_cast<std::size_t>(-e - 1), '0');
      out.append(digits);
    }
    return;
  }
  out.push_back(digits[0]);
  if (n > 1) {
    out.push_back('.');
    out.append(digits.substr(1));
  }
  out.push_back('e');
  out.append(std::to_string(e));
}

DecimalRead readDecimal(std::string_view number) {
  // strtod wants a terminated text, and must not read on past the number.
  std::array<char, 64> small{};
  std::string large;
  const char* text = nullptr;
  if (number.size() < small.size()) {
    std::memcpy(small.data(), number.data(), number.size());
    text = small.data();
  } else {
    large.assign(number);
    text = large.c_str();
  }
  CLocaleScope scope;
  errno = 0;
  DecimalRead read;
  read.value = std::strtod(text, nullptr);
  // ERANGE also comes with results that are merely subnormal; only an
  // infinite one is an overflow, and one that went to zero stays zero.
  if (errno == ERANGE && std::isinf(read.value)) read.overflow = true;
  return read;
}

}  // namespace axt::json
