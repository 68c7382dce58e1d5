// Owning holders for the C objects the backend handles: GObjects (AT-SPI
// accessibles, rectangles, ranges, ...), GLib allocations and GErrors. Every
// reference the backend keeps or passes around lives in one of these.
#pragma once

#include <glib-object.h>
#include <glib.h>

#include <string>
#include <utility>

namespace axt::lindesk {

// A strong reference to a GObject: copying takes a reference, destruction
// drops it.
template <class T>
class GRef {
 public:
  GRef() = default;
  // Takes over a reference the caller owns (a "transfer full" result).
  static GRef adopt(T* object) {
    GRef r;
    r.object_ = object;
    return r;
  }
  // Takes a reference of its own on a borrowed object.
  static GRef retain(T* object) {
    if (object != nullptr) g_object_ref(object);
    return adopt(object);
  }

  GRef(const GRef& other) : object_(other.object_) {
    if (object_ != nullptr) g_object_ref(object_);
  }
  GRef(GRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GRef& operator=(GRef other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~GRef() {
    if (object_ != nullptr) g_object_unref(object_);
  }

  T* get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T* object_ = nullptr;
};

// A GError owned until the holder goes; pass out() where an API wants a
// GError**.
class GErrorHolder {
 public:
  GErrorHolder() = default;
  GErrorHolder(const GErrorHolder&) = delete;
  GErrorHolder& operator=(const GErrorHolder&) = delete;
  ~GErrorHolder() { clear(); }

  GError** out() {
    clear();
    return &error_;
  }
  const GError* get() const { return error_; }
  explicit operator bool() const { return error_ != nullptr; }
  std::string message() const { return error_ != nullptr && error_->message ? error_->message : ""; }
  void clear() {
    if (error_ != nullptr) g_error_free(error_);
    error_ = nullptr;
  }

 private:
  GError* error_ = nullptr;
};

// A g_malloc'ed C string, copied out and freed at once.
inline std::string takeString(gchar* text) {
  std::string out = text != nullptr ? std::string(text) : std::string();
  g_free(text);
  return out;
}

// A boxed value freed with its own free function (AtspiRect, AtspiRange,
// AtspiPoint are plain g_free'd structs).
template <class T>
class GBoxed {
 public:
  explicit GBoxed(T* value) : value_(value) {}
  GBoxed(const GBoxed&) = delete;
  GBoxed& operator=(const GBoxed&) = delete;
  ~GBoxed() { g_free(value_); }
  T* get() const { return value_; }
  T* operator->() const { return value_; }
  explicit operator bool() const { return value_ != nullptr; }

 private:
  T* value_;
};

}  // namespace axt::lindesk
