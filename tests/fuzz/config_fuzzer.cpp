// The configuration reader on arbitrary bytes: the JSON reader and writer,
// the UTF-8 repair that comes before them, and the blocked-field list built
// from the result.
//
// Properties, for every input:
// - nothing crashes, and no sanitizer speaks;
// - the repair equals an independent reference (one U+FFFD per maximal
//   subpart), its output is valid UTF-8, it leaves valid text as it is and
//   repairing twice changes nothing;
// - the reader accepts only valid UTF-8; its error offset lies within the
//   text and the description is "<message> at byte offset <offset>";
// - a number alone reads as the C library's strtoll and strtod read it, and
//   only a number that overflows a double is out of range;
// - whatever it reads is written as compact valid UTF-8 that reads back to
//   an equal value (numbers compared by value: the writer gives integral
//   doubles as integers) and writes again to the very same text, with and
//   without escaped slashes;
// - an object spelt from the input (many members, shared prefixes, repeated
//   and escaped keys) reads back with each distinct key once, the value of
//   its last occurrence, keys in ascending byte order;
// - the blocked-field list is present exactly when the text (after a
//   byte-order mark, which is skipped) is an object of objects, holds those
//   objects, and a text that isn't JSON prints the one line "Error
//   deserializing JSON: " plus the description, nothing else.
#include <cerrno>
#include <cmath>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <iterator>
#include <map>
#include <vector>

#include "check.h"
#include "host/configuration.h"
#include "json/json.h"
#include "json_compare.h"
#include "simdesk/desktop.h"
#include "utf8_oracle.h"
#include "text/utf8.h"

namespace {

using axt::fuzz::check;
using axt::fuzz::fail;
using axt::json::Value;

std::vector<std::string>& lines() {
  static std::vector<std::string> captured;
  return captured;
}

// Equal values, where an integer and a double holding the same integral
// number count as equal.
bool sameNumber(const Value& a, const Value& b) {
  if (a.asInt() && b.asInt()) return *a.asInt() == *b.asInt();
  if (a.asDouble() && b.asDouble()) {
    const double x = *a.asDouble();
    const double y = *b.asDouble();
    return x == y || (std::isnan(x) && std::isnan(y));
  }
  const std::int64_t i = a.asInt() ? *a.asInt() : *b.asInt();
  const double d = a.asDouble() ? *a.asDouble() : *b.asDouble();
  constexpr double kTwoTo63 = 9223372036854775808.0;
  return std::trunc(d) == d && d >= -kTwoTo63 && d < kTwoTo63 && static_cast<std::int64_t>(d) == i;
}

bool sameValue(const Value& a, const Value& b) { return axt::fuzz::sameJson(a, b, sameNumber); }

// No white space outside strings, no raw control characters and, when
// slashes are escaped, no raw slash inside them.
bool compact(std::string_view text, bool escapeSlash) {
  bool inString = false;
  bool escaped = false;
  for (char c : text) {
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      } else if (static_cast<unsigned char>(c) < 0x20 || (escapeSlash && c == '/')) {
        return false;
      }
    } else if (c == '"') {
      inString = true;
    } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      return false;
    }
  }
  return !inString;
}

void checkRepair(std::string_view bytes) {
  const std::string repaired = axt::text::toValidUtf8(bytes);
  const std::string expected = axt::fuzz::referenceRepair(bytes);
  if (repaired != expected) fail("repair differs from the reference (maximal subparts)");
  check(axt::fuzz::isValidUtf8(repaired), "repaired text is valid UTF-8");
  check(axt::text::toValidUtf8(repaired) == repaired, "repair is idempotent");
  if (axt::fuzz::isValidUtf8(bytes)) check(repaired == bytes, "valid text is left as it is");
}

// Numbers read as the C library reads them: integers exactly, others
// correctly rounded, and "out of range" only for what overflows a double.
void checkNumber(std::string_view bytes, const axt::json::ParseResult& result) {
  if (result) {
    const std::string text(bytes);
    if (const std::int64_t* i = result.value->asInt()) {
      errno = 0;
      const long long expected = std::strtoll(text.c_str(), nullptr, 10);
      check(errno == 0 && expected == *i, "an integer reads as strtoll reads it", text);
    } else if (const double* d = result.value->asDouble()) {
      const double expected = std::strtod(text.c_str(), nullptr);
      check(std::memcmp(&expected, d, sizeof expected) == 0, "a number reads as strtod reads it", text);
    }
    return;
  }
  if (result.error.message != "Number out of range") return;
  const std::string text(bytes.substr(result.error.offset));
  errno = 0;
  const double read = std::strtod(text.c_str(), nullptr);
  check(errno == ERANGE && std::isinf(read), "only numbers that overflow are out of range", text);
}

void checkWriteReadsBack(const Value& value, const axt::json::ParseOptions& options) {
  for (bool escapeSlash : {true, false}) {
    const std::string text = axt::json::write(value, {.escapeSlash = escapeSlash});
    check(axt::fuzz::isValidUtf8(text), "written text is valid UTF-8");
    if (!compact(text, escapeSlash)) fail("written text is compact, escapes as promised", text);
    axt::json::ParseResult again = axt::json::parse(text, options);
    if (!again) fail("written text reads back", text + " -> " + again.error.description());
    if (!sameValue(value, *again.value)) fail("written text reads back to an equal value", text);
    const std::string rewritten = axt::json::write(*again.value, {.escapeSlash = escapeSlash});
    if (rewritten != text) fail("writing is stable", text + " vs " + rewritten);
  }
}

void checkParse(std::string_view bytes, const axt::json::ParseOptions& options) {
  axt::json::ParseResult result = axt::json::parse(bytes, options);
  if (!options.requireContainer) checkNumber(bytes, result);
  if (!result) {
    const axt::json::ParseError& e = result.error;
    check(e.offset <= bytes.size(), "error offset lies within the text");
    check(!e.message.empty(), "an error says what is wrong");
    check(e.message.find('\n') == std::string::npos, "an error message is one line");
    check(e.description() == e.message + " at byte offset " + std::to_string(e.offset),
          "error description format");
    return;
  }
  check(axt::fuzz::isValidUtf8(bytes), "the reader accepts only valid UTF-8");
  if (options.requireContainer) {
    check(result.value->isArray() || result.value->isObject(), "top level is a container");
  }
  checkWriteReadsBack(*result.value, options);
}

// An object whose members are spelt by the input: many of them, with
// shared prefixes and repeated keys, some written with escapes. Read back,
// it holds each distinct key once, with the value of its last occurrence,
// in ascending byte order of the keys.
void checkObjectMembers(std::string_view bytes) {
  static constexpr std::string_view kSpellings[][2] = {
      // {as written in JSON, the key it stands for}
      {"a", "a"},
      {"b", "b"},
      {"ab", "ab"},
      {"abc", "abc"},
      {"", ""},
      {"\\u0061", "a"},
      {"\\u00e9", "\xC3\xA9"},
      {"\xC3\xA9", "\xC3\xA9"},
      {"\\ud83d\\ude00", "\xF0\x9F\x98\x80"},
      {"com.example.application.", "com.example.application."},
      {"com.example.application.x", "com.example.application.x"},
      {"com.example.application.y", "com.example.application.y"},
      {"\\/", "/"},
      {"\\u0000", std::string_view("\0", 1)},
      {"z", "z"},
      {"Z", "Z"},
  };
  std::string text = "{";
  std::map<std::string, std::int64_t> expected;
  const std::size_t count = std::min<std::size_t>(bytes.size(), 96);
  for (std::size_t i = 0; i < count; ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const auto& spelling = kSpellings[b % std::size(kSpellings)];
    // The high bits add a suffix, so that keys share long prefixes.
    const std::string suffix = b >= 128 ? std::to_string(b >> 4) : std::string();
    if (i > 0) text += ',';
    text += '"';
    text += spelling[0];
    text += suffix;
    text += "\":";
    text += std::to_string(i);
    expected[std::string(spelling[1]) + suffix] = static_cast<std::int64_t>(i);
  }
  text += '}';
  axt::json::ParseResult parsed = axt::json::parse(text);
  if (!parsed) fail("a generated object reads", text + " -> " + parsed.error.description());
  const axt::json::Object* object = parsed.value->asObject();
  check(object != nullptr && object->size() == expected.size(), "each distinct key once", text);
  auto want = expected.begin();
  for (const auto& [key, value] : *object) {
    check(key == want->first, "keys in ascending byte order", text);
    check(value == Value(want->second), "a repeated key keeps its last value", text);
    check(object->find(key) != object->end() && parsed.value->find(key) != nullptr,
          "every key is found", text);
    ++want;
  }
  for (const auto& [key, value] : expected) {
    const Value* found = parsed.value->find(key);
    check(found != nullptr && *found == Value(value), "lookup finds the last value", text);
  }
  checkWriteReadsBack(*parsed.value, {});
}

void checkConfiguration(std::string_view bytes) {
  lines().clear();
  std::optional<axt::tracker::BlockedFieldList> list = axt::host::parseConfiguration(bytes);
  // A byte-order mark before the text is skipped, as the platform's reader
  // skips it.
  std::string_view text = bytes;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  axt::json::ParseResult parsed = axt::json::parse(text);
  if (!parsed) {
    check(!list, "text that isn't JSON gives no list");
    const std::string expected = "Error deserializing JSON: " + parsed.error.description();
    check(lines().size() == 1 && lines()[0] == expected, "text that isn't JSON prints its error");
    return;
  }
  check(lines().empty(), "JSON text prints nothing");
  const axt::json::Object* top = parsed.value->asObject();
  bool objectOfObjects = top != nullptr;
  if (top != nullptr) {
    for (const auto& [bundleId, entry] : *top) objectOfObjects = objectOfObjects && entry.isObject();
  }
  check(list.has_value() == objectOfObjects, "a list exactly for an object of objects");
  if (!list) return;
  check(list->size() == top->size(), "one entry per member");
  for (const auto& [bundleId, entry] : *top) {
    auto it = list->find(bundleId);
    check(it != list->end() && Value(it->second) == entry, "each entry is the member's object");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  simdesk::Desktop::get().reset();
  simdesk::Desktop::get().setLineSink([](std::string_view line) { lines().emplace_back(line); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  checkRepair(bytes);
  checkParse(bytes, {});
  checkParse(bytes, {.maxDepth = 8, .requireContainer = false});
  checkObjectMembers(bytes);
  checkConfiguration(bytes);
  // What start does with the host's text: repair, then read.
  checkConfiguration(axt::text::toValidUtf8(bytes));
  return 0;
}
