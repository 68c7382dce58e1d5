// Compact JSON text. Everything is appended to one string; strings are
// copied in runs of bytes that need no escape, found eight bytes at a time.
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>

#include "json/decimal.h"
#include "json/json.h"

namespace axt::json {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Non-zero when some byte of the word is zero.
constexpr std::uint64_t hasZeroByte(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

// Non-zero when some byte of the word needs an escape: a control character,
// '"', '\\' and, when asked, '/'. Bytes of 0x80 and above never do.
inline std::uint64_t needsEscape(std::uint64_t word, bool escapeSlash) {
  std::uint64_t hit = (word - kOnes * 0x20) & ~word & kHighBits;  // byte < 0x20
  hit |= hasZeroByte(word ^ (kOnes * '"'));
  hit |= hasZeroByte(word ^ (kOnes * '\\'));
  if (escapeSlash) hit |= hasZeroByte(word ^ (kOnes * '/'));
  return hit;
}

// For each byte: 0 when it is copied as it is, otherwise the letter of its
// short escape, or 'u' for the \u00XX form.
constexpr std::array<char, 256> makeEscapeTable() {
  std::array<char, 256> table{};
  for (int c = 0; c < 0x20; ++c) table[c] = 'u';
  table['\b'] = 'b';
  table['\f'] = 'f';
  table['\n'] = 'n';
  table['\r'] = 'r';
  table['\t'] = 't';
  table['"'] = '"';
  table['\\'] = '\\';
  table['/'] = '/';
  return table;
}
constexpr std::array<char, 256> kEscape = makeEscapeTable();

void writeString(std::string& out, std::string_view text, bool escapeSlash) {
  const char* p = text.data();
  const char* const end = p + text.size();
  out.push_back('"');
  while (p < end) {
    const char* run = p;
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if (needsEscape(word, escapeSlash) != 0) break;
      p += 8;
    }
    while (p < end) {
      const char e = kEscape[static_cast<unsigned char>(*p)];
      if (e != 0 && (e != '/' || escapeSlash)) break;
      ++p;
    }
    out.append(run, static_cast<std::size_t>(p - run));
    if (p == end) break;

    const auto c = static_cast<unsigned char>(*p++);
    const char e = kEscape[c];
    if (e == 'u') {
      static constexpr char kHex[] = "0123456789abcdef";
      const char escape[6] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
      out.append(escape, sizeof escape);
    } else {
      const char escape[2] = {'\\', e};
      out.append(escape, sizeof escape);
    }
  }
  out.push_back('"');
}

void writeInt(std::string& out, std::int64_t value) {
  char buffer[24];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void writeDouble(std::string& out, double value) {
  if (!std::isfinite(value)) {
    out.append("null");
    return;
  }
  // Integral values that a double holds exactly are written as integers, so
  // a coordinate of 300.0 reads "300" (and -0.0 reads "0").
  constexpr double kExactLimit = 9007199254740992.0;  // 2^53
  if (std::trunc(value) == value && std::fabs(value) < kExactLimit) {
    writeInt(out, static_cast<std::int64_t>(value));
    return;
  }
  appendShortestDecimal(out, value);
}

void writeValue(std::string& out, const Value& value, bool escapeSlash) {
  switch (value.kind()) {
    case Value::Kind::kNull:
      out.append("null");
      return;
    case Value::Kind::kBool:
      if (*value.asBool()) {
        out.append("true");
      } else {
        out.append("false");
      }
      return;
    case Value::Kind::kInt:
      writeInt(out, *value.asInt());
      return;
    case Value::Kind::kDouble:
      writeDouble(out, *value.asDouble());
      return;
    case Value::Kind::kString:
      writeString(out, *value.asString(), escapeSlash);
      return;
    case Value::Kind::kArray: {
      out.push_back('[');
      bool first = true;
      for (const Value& element : *value.asArray()) {
        if (!first) out.push_back(',');
        first = false;
        writeValue(out, element, escapeSlash);
      }
      out.push_back(']');
      return;
    }
    case Value::Kind::kObject: {
      out.push_back('{');
      bool first = true;
      // Objects keep their keys in byte order, which is the order we promise.
      for (const auto& [key, member] : *value.asObject()) {
        if (!first) out.push_back(',');
        first = false;
        writeString(out, key, escapeSlash);
        out.push_back(':');
        writeValue(out, member, escapeSlash);
      }
      out.push_back('}');
      return;
    }
  }
}

}  // namespace

void writeTo(std::string& out, const Value& value, const WriteOptions& options) {
  writeValue(out, value, options.escapeSlash);
}

std::string write(const Value& value, const WriteOptions& options) {
  std::string out;
  // Event data is a few hundred bytes; one allocation covers most of it.
  out.reserve(256);
  writeValue(out, value, options.escapeSlash);
  return out;
}

}  // namespace axt::json
