// An owning holder for a Core Foundation reference (and the types built on
// it: accessibility elements, observers, text markers, event sources and
// events). The create/copy rule decides how a reference comes in: a
// function named Create or Copy hands over a reference the caller owns
// (adopt), any other (Get) lends one the caller must retain to keep
// (retain). Copying the holder retains, destruction releases.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <utility>

namespace axt::macdesk {

template <class T>
class CFRef {
 public:
  CFRef() = default;
  // Takes over a reference from a Create or Copy function.
  static CFRef adopt(T ref) {
    CFRef r;
    r.ref_ = ref;
    return r;
  }
  // Takes a reference of its own on a borrowed object (a Get function).
  static CFRef retain(T ref) {
    if (ref != nullptr) CFRetain(ref);
    return adopt(ref);
  }

  CFRef(const CFRef& other) : ref_(other.ref_) {
    if (ref_ != nullptr) CFRetain(ref_);
  }
  CFRef(CFRef&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
  CFRef& operator=(CFRef other) noexcept {
    std::swap(ref_, other.ref_);
    return *this;
  }
  ~CFRef() {
    if (ref_ != nullptr) CFRelease(ref_);
  }

  T get() const { return ref_; }
  explicit operator bool() const { return ref_ != nullptr; }

  // For a Copy function's out parameter: drops what is held and gives the
  // place the function writes its new reference to, which the holder then
  // owns.
  T* out() {
    *this = CFRef();
    return &ref_;
  }

 private:
  T ref_ = nullptr;
};

}  // namespace axt::macdesk
