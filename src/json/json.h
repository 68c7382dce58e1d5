// JSON for event data and configuration, on the standard library alone.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace axt::json {

class Value;
class ObjectBuilder;
using Array = std::vector<Value>;

// The members of a JSON object, kept in one vector sorted by key (byte order),
// each key once. Lookup is a binary search; iteration runs in key order,
// which is the order the writer promises. Objects are mostly small and built
// once, so a flat vector beats a tree: one allocation instead of one per
// member, and members lie next to each other.
//
// It answers the part of the map interface the code base uses, with the same
// meaning. Keys must not be changed through an iterator: that would break the
// order that lookup relies on.
class Object {
 public:
  using key_type = std::string;
  using mapped_type = Value;
  using value_type = std::pair<std::string, Value>;
  using size_type = std::size_t;
  using iterator = std::vector<value_type>::iterator;
  using const_iterator = std::vector<value_type>::const_iterator;
  using reverse_iterator = std::vector<value_type>::reverse_iterator;
  using const_reverse_iterator = std::vector<value_type>::const_reverse_iterator;

  Object() = default;
  // Of repeated keys the first is kept, as a map built from the same list
  // would.
  Object(std::initializer_list<value_type> members);

  iterator begin();
  iterator end();
  const_iterator begin() const;
  const_iterator end() const;
  reverse_iterator rbegin();
  reverse_iterator rend();
  const_reverse_iterator rbegin() const;
  const_reverse_iterator rend() const;
  bool empty() const;
  size_type size() const;

  iterator find(std::string_view key);
  const_iterator find(std::string_view key) const;
  size_type count(std::string_view key) const;
  // The member's value; std::out_of_range when there is none.
  Value& at(std::string_view key);
  const Value& at(std::string_view key) const;
  // The member's value, added as null when there is none.
  Value& operator[](std::string_view key);

  // Adds the member unless the key is taken; an existing member stays as it
  // is. The iterator points at the member with that key.
  std::pair<iterator, bool> emplace(std::string key, Value value);
  // Adds the members whose keys aren't taken yet; of keys repeated in the
  // range the first counts.
  template <class InputIt>
  void insert(InputIt first, InputIt last);
  // Adds the member, or replaces the value of the one with that key.
  std::pair<iterator, bool> insert_or_assign(std::string key, Value value);

  // Hands over the members in key order and leaves the object empty.
  std::vector<value_type> release();

  friend bool operator==(const Object& a, const Object& b);

 private:
  // The reader appends members as they come and settles them at the end.
  friend class ObjectBuilder;

  // Sorts the members by key and drops all but the last of repeated keys.
  void settle();
  // The first member whose key is not less than the given one.
  iterator lowerBound(std::string_view key);
  const_iterator lowerBound(std::string_view key) const;

  std::vector<value_type> members_;
};

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

// Object's inline members need Value complete.
inline Object::iterator Object::begin() { return members_.begin(); }
inline Object::iterator Object::end() { return members_.end(); }
inline Object::const_iterator Object::begin() const { return members_.begin(); }
inline Object::const_iterator Object::end() const { return members_.end(); }
inline Object::reverse_iterator Object::rbegin() { return members_.rbegin(); }
inline Object::reverse_iterator Object::rend() { return members_.rend(); }
inline Object::const_reverse_iterator Object::rbegin() const { return members_.rbegin(); }
inline Object::const_reverse_iterator Object::rend() const { return members_.rend(); }
inline bool Object::empty() const { return members_.empty(); }
inline Object::size_type Object::size() const { return members_.size(); }
inline std::vector<Object::value_type> Object::release() { return std::exchange(members_, {}); }

inline Object::iterator Object::lowerBound(std::string_view key) {
  return std::lower_bound(members_.begin(), members_.end(), key,
                          [](const value_type& member, std::string_view k) { return member.first < k; });
}

inline Object::const_iterator Object::lowerBound(std::string_view key) const {
  return std::lower_bound(members_.begin(), members_.end(), key,
                          [](const value_type& member, std::string_view k) { return member.first < k; });
}

inline Object::iterator Object::find(std::string_view key) {
  auto it = lowerBound(key);
  return it != members_.end() && it->first == key ? it : members_.end();
}

inline Object::const_iterator Object::find(std::string_view key) const {
  auto it = lowerBound(key);
  return it != members_.end() && it->first == key ? it : members_.end();
}

template <class InputIt>
void Object::insert(InputIt first, InputIt last) {
  for (; first != last; ++first) {
    const auto& key = first->first;
    auto at = lowerBound(key);
    if (at == members_.end() || at->first != key) members_.insert(at, value_type(*first));
  }
}

inline Object::size_type Object::count(std::string_view key) const { return find(key) == end() ? 0 : 1; }

inline bool operator==(const Object& a, const Object& b) { return a.members_ == b.members_; }

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

}  // namespace axt::json
