// Decimal text of binary floating-point numbers, on functions every C library
// has: the standard library's shortest-form std::to_chars and std::from_chars
// for double are missing from some (older macOS releases, libc++), and JSON
// must read and write the same on every platform the library runs on.
#pragma once

#include <string>
#include <string_view>

namespace axt::json {

// Appends the shortest decimal that reads back as `value` (finite), laid out
// as std::to_chars would: fixed or scientific, whichever is shorter, fixed on
// a tie; the exponent without a plus sign or leading zeros ("1e21",
// "1.5e-7").
void appendShortestDecimal(std::string& out, double value);

struct DecimalRead {
  double value = 0;
  // The magnitude is beyond the largest double (the value is then infinite).
  bool overflow = false;
};

// Reads a number in JSON's syntax (the caller has checked it), correctly
// rounded; a magnitude below the smallest double reads as zero of the sign.
DecimalRead readDecimal(std::string_view number);

}  // namespace axt::json
