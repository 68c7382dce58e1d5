// Strict JSON reader. It keeps its own stack of open containers instead of
// recursing, so the nesting limit, not the thread's stack, bounds the depth.
// Values are built in place: each member or element is created first and the
// parser then fills it, rather than parsing into temporaries and moving them.
// An object takes its members in the order the text lists them and sorts
// them once, when it closes.
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "json/decimal.h"
#include "json/json.h"
#include "text/utf8.h"

namespace axt::json {

// The reader's way into an object: members are appended as they come and put
// in order, the last of repeated keys winning, once the object is complete.
class ObjectBuilder {
 public:
  static Object::value_type& append(Object& object) {
    std::vector<Object::value_type>& members = object.members_;
    // Most objects have a few members: one allocation covers them.
    if (members.capacity() == 0) members.reserve(kFirstCapacity);
    return members.emplace_back();
  }
  static void finish(Object& object) { object.settle(); }

 private:
  static constexpr std::size_t kFirstCapacity = 4;
};

std::string ParseError::description() const {
  std::string text = message;
  text.append(" at byte offset ");
  text.append(std::to_string(offset));
  return text;
}

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

constexpr std::uint64_t hasZeroByte(std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; }

// Non-zero when some byte of the word ends a plain run inside a string: a
// control character, '"', '\\' or any byte of a multi-byte sequence.
inline std::uint64_t endsPlainRun(std::uint64_t word) {
  std::uint64_t hit = (word - kOnes * 0x20) & ~word & kHighBits;  // byte < 0x20
  hit |= hasZeroByte(word ^ (kOnes * '"'));
  hit |= hasZeroByte(word ^ (kOnes * '\\'));
  hit |= word & kHighBits;
  return hit;
}

constexpr std::array<bool, 256> makePlainTable() {
  std::array<bool, 256> table{};
  for (int c = 0x20; c < 0x80; ++c) table[c] = true;
  table['"'] = false;
  table['\\'] = false;
  return table;
}
constexpr std::array<bool, 256> kPlain = makePlainTable();

// The first byte at or after p that is not plain ASCII string content.
inline const char* skipPlain(const char* p, const char* end) {
  if constexpr (std::endian::native == std::endian::little) {
    while (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, sizeof word);
      // The lowest flagged byte is exact; only bytes above it may be flagged
      // wrongly, and the first special byte is the lowest in memory.
      if (const std::uint64_t hit = endsPlainRun(word); hit != 0) {
        return p + std::countr_zero(hit) / 8;
      }
      p += 8;
    }
  }
  while (p < end && kPlain[static_cast<unsigned char>(*p)]) ++p;
  return p;
}

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }

inline int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string hex(std::uint32_t value, int digits) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = kHex[value & 0xF];
  return text;
}

std::string codePointName(char32_t cp) {
  return "U+" + hex(static_cast<std::uint32_t>(cp), cp > 0xFFFFF ? 6 : cp > 0xFFFF ? 5 : 4);
}

class Parser {
 public:
  Parser(std::string_view text, const ParseOptions& options)
      : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()), options_(options) {}

  ParseResult run();

 private:
  struct Frame {
    Array* array;  // exactly one of the two is set
    Object* object;
  };

  bool fail(const char* at, std::string message) {
    error_.offset = static_cast<std::size_t>(at - begin_);
    error_.message = std::move(message);
    return false;
  }
  bool failEnd() { return fail(end_, "Unexpected end of input"); }
  bool failUnexpected(const char* at);

  void skipWhitespace() {
    while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
  }

  // Parses the value at p_ into slot. A container is left open on the stack
  // with its first slot (if any) in *next; scalars and empty containers are
  // complete and set *next to null.
  bool parseValue(Value& slot, Value*& next);
  bool openObject(Value& slot, Value*& next);
  bool openArray(Value& slot, Value*& next);
  // After a key's opening quote: the key, the colon, and the member slot.
  bool beginMember(Object& object, Value*& next);
  bool parseString(std::string& out);
  bool parseEscape(const char* quote, std::string& out);
  bool parseNumber(Value& slot);
  bool parseLiteral(const char* word, std::size_t length);
  bool checkDepth() {
    if (stack_.size() < options_.maxDepth) return true;
    return fail(p_, "Nesting deeper than " + std::to_string(options_.maxDepth) + " levels");
  }

  const char* const begin_;
  const char* p_;
  const char* const end_;
  const ParseOptions& options_;
  std::vector<Frame> stack_;
  ParseError error_;
};

bool Parser::failUnexpected(const char* at) {
  if (at >= end_) return failEnd();
  const auto c = static_cast<unsigned char>(*at);
  if (c >= 0x20 && c < 0x7F) return fail(at, std::string("Unexpected character '") + *at + "'");
  if (c < 0x80) return fail(at, "Unexpected character " + codePointName(c));
  const text::Decoded d = text::decodeAt(std::string_view(at, static_cast<std::size_t>(end_ - at)), 0);
  if (!d.wellFormed) return fail(at, "Ill-formed UTF-8");
  return fail(at, "Unexpected character " + codePointName(d.codePoint));
}

ParseResult Parser::run() {
  ParseResult result;
  Value root;
  skipWhitespace();
  if (p_ == end_) {
    failEnd();
    result.error = std::move(error_);
    return result;
  }
  if (options_.requireContainer && *p_ != '{' && *p_ != '[') {
    // Name the real fault when the text doesn't start with a value at all.
    if (std::string_view("\"-0123456789tfn").find(*p_) == std::string_view::npos) {
      failUnexpected(p_);
    } else {
      fail(p_, "Top level must be an object or an array");
    }
    result.error = std::move(error_);
    return result;
  }

  Value* next = nullptr;
  bool ok = parseValue(root, next);
  while (ok) {
    if (next != nullptr) {
      // A slot waits for its value.
      skipWhitespace();
      ok = parseValue(*next, next);
      continue;
    }
    // A value is complete: continue the innermost open container.
    if (stack_.empty()) break;
    skipWhitespace();
    Frame& top = stack_.back();
    if (top.object != nullptr) {
      if (p_ < end_ && *p_ == ',') {
        ++p_;
        skipWhitespace();
        if (p_ < end_ && *p_ == '"') {
          ok = beginMember(*top.object, next);
        } else if (p_ < end_ && *p_ == '}') {
          ok = fail(p_, "Trailing comma before '}'");
        } else if (p_ == end_) {
          ok = failEnd();
        } else {
          ok = fail(p_, "Expected a string as object key");
        }
      } else if (p_ < end_ && *p_ == '}') {
        ++p_;
        ObjectBuilder::finish(*top.object);
        stack_.pop_back();
      } else if (p_ == end_) {
        ok = failEnd();
      } else {
        ok = fail(p_, "Expected ',' or '}' after object member");
      }
    } else {
      if (p_ < end_ && *p_ == ',') {
        ++p_;
        skipWhitespace();
        if (p_ < end_ && *p_ == ']') {
          ok = fail(p_, "Trailing comma before ']'");
        } else {
          next = &top.array->emplace_back();
        }
      } else if (p_ < end_ && *p_ == ']') {
        ++p_;
        stack_.pop_back();
      } else if (p_ == end_) {
        ok = failEnd();
      } else {
        ok = fail(p_, "Expected ',' or ']' after array element");
      }
    }
  }
  if (ok) {
    skipWhitespace();
    if (p_ != end_) ok = fail(p_, "Unexpected data after the value");
  }
  if (ok) {
    result.value = std::move(root);
  } else {
    result.error = std::move(error_);
  }
  return result;
}

bool Parser::parseValue(Value& slot, Value*& next) {
  next = nullptr;
  if (p_ == end_) return failEnd();
  switch (*p_) {
    case '{':
      return openObject(slot, next);
    case '[':
      return openArray(slot, next);
    case '"': {
      // Value only hands out its string read-only; the slot itself is ours
      // and not const, so filling it directly is sound and saves a move of
      // every string.
      slot = Value(std::string());
      return parseString(const_cast<std::string&>(*slot.asString()));
    }
    case 't':
      if (!parseLiteral("true", 4)) return false;
      slot = Value(true);
      return true;
    case 'f':
      if (!parseLiteral("false", 5)) return false;
      slot = Value(false);
      return true;
    case 'n':
      if (!parseLiteral("null", 4)) return false;
      slot = Value();
      return true;
    case '-':
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
      return parseNumber(slot);
    default:
      return failUnexpected(p_);
  }
}

bool Parser::openObject(Value& slot, Value*& next) {
  if (!checkDepth()) return false;
  ++p_;
  slot = Value(Object{});
  Object& object = *slot.asObject();
  skipWhitespace();
  if (p_ < end_ && *p_ == '}') {
    ++p_;
    return true;
  }
  stack_.push_back(Frame{nullptr, &object});
  if (p_ < end_ && *p_ == '"') return beginMember(object, next);
  if (p_ == end_) return failEnd();
  return fail(p_, "Expected a string as object key");
}

bool Parser::openArray(Value& slot, Value*& next) {
  if (!checkDepth()) return false;
  ++p_;
  slot = Value(Array{});
  Array& array = *slot.asArray();
  skipWhitespace();
  if (p_ < end_ && *p_ == ']') {
    ++p_;
    return true;
  }
  stack_.push_back(Frame{&array, nullptr});
  next = &array.emplace_back();
  return true;
}

bool Parser::beginMember(Object& object, Value*& next) {
  // The key is read straight into its place. The member's value stays put
  // while it is parsed: nothing is added to this object until it is done.
  Object::value_type& member = ObjectBuilder::append(object);
  if (!parseString(member.first)) return false;
  skipWhitespace();
  if (p_ == end_) return failEnd();
  if (*p_ != ':') return fail(p_, "Expected ':' after object key");
  ++p_;
  next = &member.second;
  return true;
}

bool Parser::parseString(std::string& out) {
  const char* const quote = p_;
  ++p_;
  // Plain text, valid multi-byte sequences included, is copied in one piece
  // when the string ends or an escape interrupts it.
  const char* run = p_;
  for (;;) {
    p_ = skipPlain(p_, end_);
    if (p_ == end_) return fail(quote, "Unterminated string");

    const auto c = static_cast<unsigned char>(*p_);
    if (c == '"') {
      out.append(run, static_cast<std::size_t>(p_ - run));
      ++p_;
      return true;
    }
    if (c == '\\') {
      out.append(run, static_cast<std::size_t>(p_ - run));
      if (!parseEscape(quote, out)) return false;
      run = p_;
    } else if (c < 0x20) {
      return fail(p_, "Unescaped control character " + codePointName(c) + " in string");
    } else {
      const std::size_t length =
          text::wellFormedLength(std::string_view(p_, static_cast<std::size_t>(end_ - p_)), 0);
      if (length == 0) return fail(p_, "Ill-formed UTF-8");
      p_ += length;
    }
  }
}

bool Parser::parseEscape(const char* quote, std::string& out) {
  const char* const backslash = p_;
  // Reads the four hex digits after "\u" at `at`; -1 with the error set.
  auto readHex4 = [&](const char* at) -> long {
    long value = 0;
    for (int i = 0; i < 4; ++i) {
      if (at + i >= end_) return -1;
      const int digit = hexValue(at[i]);
      if (digit < 0) return -2;
      value = value * 16 + digit;
    }
    return value;
  };
  if (end_ - p_ < 2) return fail(quote, "Unterminated string");
  const char kind = p_[1];
  p_ += 2;
  switch (kind) {
    case '"':
      out.push_back('"');
      return true;
    case '\\':
      out.push_back('\\');
      return true;
    case '/':
      out.push_back('/');
      return true;
    case 'b':
      out.push_back('\b');
      return true;
    case 'f':
      out.push_back('\f');
      return true;
    case 'n':
      out.push_back('\n');
      return true;
    case 'r':
      out.push_back('\r');
      return true;
    case 't':
      out.push_back('\t');
      return true;
    case 'u':
      break;
    default:
      return fail(backslash, "Invalid escape sequence");
  }

  const long unit = readHex4(p_);
  if (unit == -1) return fail(quote, "Unterminated string");
  if (unit < 0) return fail(backslash, "Invalid \\u escape");
  p_ += 4;
  if (unit >= 0xDC00 && unit <= 0xDFFF) return fail(backslash, "Unpaired surrogate in \\u escape");
  if (unit < 0xD800 || unit > 0xDBFF) {
    text::appendUtf8(out, static_cast<char32_t>(unit));
    return true;
  }
  // A high surrogate must be followed at once by an escaped low surrogate.
  if (p_ == end_ || (*p_ == '\\' && end_ - p_ < 2)) return fail(quote, "Unterminated string");
  if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') {
    return fail(backslash, "Unpaired surrogate in \\u escape");
  }
  const long low = readHex4(p_ + 2);
  if (low == -1) return fail(quote, "Unterminated string");
  if (low < 0) return fail(p_, "Invalid \\u escape");
  if (low < 0xDC00 || low > 0xDFFF) return fail(backslash, "Unpaired surrogate in \\u escape");
  p_ += 6;
  text::appendUtf8(out, static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
  return true;
}

bool Parser::parseLiteral(const char* word, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (p_ + i >= end_) return failEnd();
    if (p_[i] != word[i]) return failUnexpected(p_ + i);
  }
  p_ += length;
  return true;
}

bool Parser::parseNumber(Value& slot) {
  const char* const start = p_;
  const bool negative = *p_ == '-';
  if (negative) ++p_;
  if (p_ == end_) return failEnd();
  if (!isDigit(*p_)) return fail(p_, "Expected a digit after '-'");

  const char* const intDigits = p_;
  if (*p_ == '0') {
    ++p_;
    if (p_ < end_ && isDigit(*p_)) return fail(p_ - 1, "Leading zeros are not allowed");
  } else {
    while (p_ < end_ && isDigit(*p_)) ++p_;
  }
  const char* const intEnd = p_;
  bool integral = true;
  if (p_ < end_ && *p_ == '.') {
    integral = false;
    ++p_;
    if (p_ == end_) return failEnd();
    if (!isDigit(*p_)) return fail(p_, "Expected a digit after '.'");
    while (p_ < end_ && isDigit(*p_)) ++p_;
  }
  if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
    integral = false;
    ++p_;
    if (p_ < end_ && (*p_ == '+' || *p_ == '-')) ++p_;
    if (p_ == end_) return failEnd();
    if (!isDigit(*p_)) return fail(p_, "Expected a digit in the exponent");
    while (p_ < end_ && isDigit(*p_)) ++p_;
  }

  if (integral) {
    // Accumulate as a negative number: its range is the larger one.
    std::int64_t value = 0;
    bool fits = true;
    for (const char* d = intDigits; d < intEnd; ++d) {
      const int digit = *d - '0';
      if (value < (std::numeric_limits<std::int64_t>::min() + digit) / 10) {
        fits = false;
        break;
      }
      value = value * 10 - digit;
    }
    if (fits && !negative && value == std::numeric_limits<std::int64_t>::min()) fits = false;
    if (fits) {
      slot = Value(negative ? value : -value);
      return true;
    }
  }

  const DecimalRead read = readDecimal(std::string_view(start, static_cast<std::size_t>(p_ - start)));
  if (read.overflow) return fail(start, "Number out of range");
  const double value = read.value;
  slot = Value(value);
  return true;
}

}  // namespace

ParseResult parse(std::string_view text, const ParseOptions& options) {
  return Parser(text, options).run();
}

}  // namespace axt::json
