// Owning holders for the C objects the backend handles: GObjects (AT-SPI
// accessibles, interfaces, state sets, ...), GLib allocations (strings,
// boxed structs, arrays, variants, sources) and GErrors. Every reference
// the backend keeps or passes around lives in one of these.
#pragma once

#include <glib-object.h>
#include <glib.h>

#include <memory>
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

  // Handed to a request as it is made, which the holder times.
  GError** out() {
    clear();
    asked_ = g_get_monotonic_time();
    return &error_;
  }
  // Microseconds since the holder was last handed to a request.
  gint64 sinceAsked() const { return g_get_monotonic_time() - asked_; }
  const GError* get() const { return error_; }
  explicit operator bool() const { return error_ != nullptr; }
  void clear() {
    if (error_ != nullptr) g_error_free(error_);
    error_ = nullptr;
  }

 private:
  GError* error_ = nullptr;
  gint64 asked_ = 0;
};

struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
struct GArrayDeleter {
  void operator()(GArray* a) const { g_array_free(a, TRUE); }
};
struct GVariantDeleter {
  void operator()(GVariant* v) const { g_variant_unref(v); }
};
// A source leaves its context with its holder.
struct GSourceDeleter {
  void operator()(GSource* s) const {
    g_source_destroy(s);
    g_source_unref(s);
  }
};

using GCharPtr = std::unique_ptr<gchar, GFreeDeleter>;
using GArrayPtr = std::unique_ptr<GArray, GArrayDeleter>;
using GVariantPtr = std::unique_ptr<GVariant, GVariantDeleter>;
using GSourcePtr = std::unique_ptr<GSource, GSourceDeleter>;

// A boxed value that is a plain g_free'd struct (AtspiRect, AtspiRange,
// AtspiPoint).
template <class T>
using GBoxed = std::unique_ptr<T, GFreeDeleter>;

// A g_malloc'ed C string, copied out and freed at once.
inline std::string takeString(gchar* text) {
  const GCharPtr owned(text);
  return owned != nullptr ? std::string(owned.get()) : std::string();
}

}  // namespace axt::lindesk
