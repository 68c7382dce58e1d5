#include "json_fields.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace play {

using axt::json::Value;

std::string ReadError::describe(const std::string& file) const {
  return file + ": " + (position.empty() ? "" : position + ": ") + message;
}

void fail(const std::string& path, std::string message) {
  throw Invalid{path.empty() ? std::string("top level") : path, std::move(message)};
}

std::string compact(const Value& value) {
  return axt::json::write(value, axt::json::WriteOptions{.escapeSlash = false});
}

std::string quoted(std::string_view text) { return compact(Value(text)); }

std::string numberText(double d) { return compact(Value(d)); }

namespace {

// Member names that can stand after a dot.
bool plainName(std::string_view name) {
  if (name.empty()) return false;
  for (char c : name) {
    bool ok =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

const char* kindName(const Value& v) {
  switch (v.kind()) {
    case Value::Kind::kNull:
      return "null";
    case Value::Kind::kBool:
      return "a Boolean";
    case Value::Kind::kInt:
    case Value::Kind::kDouble:
      return "a number";
    case Value::Kind::kString:
      return "text";
    case Value::Kind::kArray:
      return "an array";
    case Value::Kind::kObject:
      return "an object";
  }
  return "a value";
}

}  // namespace

std::string memberPath(const std::string& path, std::string_view name) {
  if (!plainName(name)) return path + "[" + quoted(name) + "]";
  if (path.empty()) return std::string(name);
  return path + "." + std::string(name);
}

std::string itemPath(const std::string& path, std::size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

void wrongType(const Value& v, const std::string& path, const char* expected) {
  fail(path, std::string("expected ") + expected + ", got " + kindName(v));
}

// --- Fields ------------------------------------------------------------------

Fields::Fields(const Value& value, std::string path, const std::set<std::string_view>& allowed)
    : path_(std::move(path)) {
  object_ = value.asObject();
  if (object_ == nullptr) wrongType(value, path_, "an object");
  for (const auto& [name, member] : *object_) {
    if (allowed.count(name) == 0) fail(memberPath(path_, name), "unknown member");
  }
}

const Value* Fields::get(std::string_view name) const {
  auto it = object_->find(name);
  return it == object_->end() ? nullptr : &it->second;
}

const Value& Fields::require(std::string_view name) const {
  const Value* v = get(name);
  if (v == nullptr) fail(path(name), "required member missing");
  return *v;
}

// --- plain values ------------------------------------------------------------

bool readBool(const Value& v, const std::string& path) {
  const bool* b = v.asBool();
  if (b == nullptr) wrongType(v, path, "a Boolean");
  return *b;
}

std::string readText(const Value& v, const std::string& path) {
  const std::string* s = v.asString();
  if (s == nullptr) wrongType(v, path, "text");
  return *s;
}

std::optional<std::string> readTextOrNull(const Value& v, const std::string& path) {
  if (v.isNull()) return std::nullopt;
  const std::string* s = v.asString();
  if (s == nullptr) wrongType(v, path, "text or null");
  return *s;
}

double readNumber(const Value& v, const std::string& path) {
  std::optional<double> d = v.number();
  if (!d) wrongType(v, path, "a number");
  if (!std::isfinite(*d)) fail(path, "number out of range");
  return *d;
}

std::int64_t readInteger(const Value& v, const std::string& path, std::int64_t min,
                         std::int64_t max) {
  std::int64_t result = 0;
  if (const std::int64_t* i = v.asInt()) {
    result = *i;
  } else if (const double* d = v.asDouble()) {
    // 1e3 is an integer too; anything with a fraction or too large is not.
    if (!(std::isfinite(*d) && std::trunc(*d) == *d && *d >= -9.2e18 && *d <= 9.2e18)) {
      fail(path, "expected an integer, got " + numberText(*d));
    }
    result = static_cast<std::int64_t>(*d);
  } else {
    wrongType(v, path, "an integer");
  }
  if (result < min || result > max) {
    if (min == 0 && max == kInt64Max) {
      fail(path, "expected a non-negative integer, got " + std::to_string(result));
    }
    fail(path, "expected an integer from " + std::to_string(min) + " to " + std::to_string(max) +
                   ", got " + std::to_string(result));
  }
  return result;
}

// --- documents ---------------------------------------------------------------

std::variant<std::string, ReadError> readFileText(const std::string& path) {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadError{"", std::string("can't open: ") + std::strerror(errno)};
  std::string text;
  char buffer[65536];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, n);
  if (std::ferror(file.get())) {
    return ReadError{"", std::string("can't read: ") + std::strerror(errno)};
  }
  return text;
}

}  // namespace play
