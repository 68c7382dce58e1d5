// JSON for event data and configuration, on the standard library alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace axt::json {

class Value;
using Object = std::map<std::string, Value, std::less<>>;
using Array = std::vector<Value>;

// A JSON value. Numbers keep whether they were integral so that 5 is written
// as 5, not 5.0.
class Value {
 public:
  enum class Kind { kNull, kBool, kInt, kDouble, kString, kArray, kObject };

  Value() = default;
  Value(std::nullptr_t) {}
  Value(bool b) : v_(b) {}
  Value(int i) : v_(static_cast<std::int64_t>(i)) {}
  Value(std::int64_t i) : v_(i) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}
  Value(Array a) : v_(std::move(a)) {}
  Value(Object o) : v_(std::move(o)) {}
  template <class T>
  Value(const std::optional<T>& o) {
    if (o) *this = Value(*o);
  }

  Kind kind() const { return static_cast<Kind>(v_.index()); }
  bool isNull() const { return kind() == Kind::kNull; }
  bool isBool() const { return kind() == Kind::kBool; }
  bool isNumber() const { return kind() == Kind::kInt || kind() == Kind::kDouble; }
  bool isString() const { return kind() == Kind::kString; }
  bool isArray() const { return kind() == Kind::kArray; }
  bool isObject() const { return kind() == Kind::kObject; }

  // Accessors return null when the value is of another kind.
  const bool* asBool() const { return std::get_if<bool>(&v_); }
  const std::int64_t* asInt() const { return std::get_if<std::int64_t>(&v_); }
  const double* asDouble() const { return std::get_if<double>(&v_); }
  const std::string* asString() const { return std::get_if<std::string>(&v_); }
  const Array* asArray() const { return std::get_if<Array>(&v_); }
  const Object* asObject() const { return std::get_if<Object>(&v_); }
  Array* asArray() { return std::get_if<Array>(&v_); }
  Object* asObject() { return std::get_if<Object>(&v_); }
  // Any number as a double.
  std::optional<double> number() const;

  // Member lookup on an object; null when absent or not an object.
  const Value* find(std::string_view key) const;

  friend bool operator==(const Value&, const Value&) = default;

 private:
  std::variant<std::nullptr_t, bool, std::int64_t, double, std::string, Array, Object> v_;
};

struct WriteOptions {
  // Write "/" as "\/" (the form hosts already receive).
  bool escapeSlash = true;
};

// Compact text, object keys in sorted order, integral numbers without a
// fraction, other numbers in shortest round-trip form, non-finite numbers as
// null, control characters escaped, everything else as UTF-8. Strings are
// expected to be valid UTF-8.
std::string write(const Value& value, const WriteOptions& options = {});
void writeTo(std::string& out, const Value& value, const WriteOptions& options = {});

struct ParseOptions {
  // Containers nested deeper than this are an error, not a stack overflow.
  std::size_t maxDepth = 512;
  // Top level must be an array or an object.
  bool requireContainer = true;
};

struct ParseError {
  std::size_t offset = 0;   // byte offset of the fault
  std::string message;      // what is wrong
  // "<message> at byte offset <offset>"
  std::string description() const;
};

struct ParseResult {
  std::optional<Value> value;
  ParseError error;  // meaningful when value is empty
  explicit operator bool() const { return value.has_value(); }
};

// Strict RFC 8259 reader. Input must be UTF-8; ill-formed bytes are an error.
ParseResult parse(std::string_view text, const ParseOptions& options = {});

// Text as it arrives through the C interface: ill-formed UTF-8 sequences are
// replaced by U+FFFD (maximal subparts, as the Unicode standard recommends).
std::string toValidUtf8(std::string_view bytes);

}  // namespace axt::json
