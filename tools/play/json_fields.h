// What both scenario readers (the simulated desktop's and --desktop's) share
// about JSON: positions as paths into the document, faults that name them,
// objects with a fixed set of members, readers for the plain values, and
// the reading of a whole document. Both modes thereby word their faults
// alike.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "json/json.h"

namespace play {

// A file the player can't use.
struct ReadError {
  // Where the fault is, as a path into the document ("steps[3].do"), or
  // empty when the text itself can't be read or parsed.
  std::string position;
  std::string message;

  // "FILE: POSITION: MESSAGE" (without a position "FILE: MESSAGE"): the
  // one line the player prints about it.
  std::string describe(const std::string& file) const;
};

// The first fault found ends the reading; it travels up as this exception
// and becomes a ReadError at the reader's entry point (readDocument).
struct Invalid {
  std::string position;
  std::string message;
};

// Throws Invalid; an empty path is the document as a whole.
[[noreturn]] void fail(const std::string& path, std::string message);

// JSON as the player writes it: compact, "/" as itself.
std::string compact(const axt::json::Value& value);

// Text as a JSON string, for messages that name a value from the file.
std::string quoted(std::string_view text);

// A number as the file would write it.
std::string numberText(double d);

// Paths: `path.name` for plain names, `path["odd name"]` for any other so
// the position stays unambiguous and on one line; `path[index]` for items.
std::string memberPath(const std::string& path, std::string_view name);
std::string itemPath(const std::string& path, std::size_t index);

// Fails with "expected EXPECTED, got KIND".
[[noreturn]] void wrongType(const axt::json::Value& v, const std::string& path,
                            const char* expected);

// An object whose members must all be among the allowed ones: a misspelt
// member is an error, not a silently ignored default.
class Fields {
 public:
  Fields(const axt::json::Value& value, std::string path,
         const std::set<std::string_view>& allowed);

  const axt::json::Value* get(std::string_view name) const;
  const axt::json::Value& require(std::string_view name) const;

  // When the member is present, `target` becomes read(value, path); an
  // absent member leaves the default in place.
  template <class T, class Read>
  void readOptional(std::string_view name, T& target, Read read) const {
    if (const axt::json::Value* v = get(name)) target = read(*v, path(name));
  }

  std::string path(std::string_view name) const { return memberPath(path_, name); }
  const std::string& path() const { return path_; }

 private:
  const axt::json::Object* object_ = nullptr;
  std::string path_;
};

// Calls each(item, itemPath) for every item of an array; anything else
// fails, expecting `shape` ("an array of steps").
template <class Each>
void forEachItem(const axt::json::Value& v, const std::string& path, const char* shape, Each each) {
  const axt::json::Array* a = v.asArray();
  if (a == nullptr) wrongType(v, path, shape);
  for (std::size_t i = 0; i < a->size(); ++i) each((*a)[i], itemPath(path, i));
}

// Calls each(name, value, memberPath) for every member of an object, in key
// order; anything else fails, expecting `shape`.
template <class Each>
void forEachMember(const axt::json::Value& v, const std::string& path, const char* shape,
                   Each each) {
  const axt::json::Object* o = v.asObject();
  if (o == nullptr) wrongType(v, path, shape);
  for (const auto& [name, member] : *o) each(name, member, memberPath(path, name));
}

// --- plain values ------------------------------------------------------------

inline constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
inline constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
inline constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kInt64Max = std::numeric_limits<std::int64_t>::max();

bool readBool(const axt::json::Value& v, const std::string& path);
std::string readText(const axt::json::Value& v, const std::string& path);
std::optional<std::string> readTextOrNull(const axt::json::Value& v, const std::string& path);
// A finite number.
double readNumber(const axt::json::Value& v, const std::string& path);
// An integer from min to max; 1e3 counts, 1.5 doesn't.
std::int64_t readInteger(const axt::json::Value& v, const std::string& path, std::int64_t min,
                         std::int64_t max);

// --- documents ---------------------------------------------------------------

// The whole text of a file, or why it can't be had.
std::variant<std::string, ReadError> readFileText(const std::string& path);

// Parses `text` (an object or an array at the top) and returns read(root).
// Total: a syntax error, or the first Invalid that `read` throws, becomes
// the ReadError.
template <class Result, class Read>
std::variant<Result, ReadError> readDocument(std::string_view text, Read read) {
  axt::json::ParseOptions options;
  options.requireContainer = true;
  axt::json::ParseResult parsed = axt::json::parse(text, options);
  if (!parsed) return ReadError{"", parsed.error.description()};
  try {
    return read(*parsed.value);
  } catch (const Invalid& e) {
    return ReadError{e.position, e.message};
  }
}

// readDocument on the text of a file.
template <class Result, class Read>
std::variant<Result, ReadError> readDocumentFile(const std::string& path, Read read) {
  std::variant<std::string, ReadError> text = readFileText(path);
  if (auto* error = std::get_if<ReadError>(&text)) return std::move(*error);
  return readDocument<Result>(std::get<std::string>(text), read);
}

}  // namespace play
