// A value made on first use and never destroyed: its destructor doesn't run
// at the process's exit. For what other libraries still call into, or hold
// parts of, while the process's exit handlers run.
#pragma once

#include <new>
#include <utility>

namespace axt::lindesk {

template <class T>
class NeverDestroyed {
 public:
  template <class... Args>
  explicit NeverDestroyed(Args&&... args) {
    ::new (static_cast<void*>(storage_)) T(std::forward<Args>(args)...);
  }
  NeverDestroyed(const NeverDestroyed&) = delete;
  NeverDestroyed& operator=(const NeverDestroyed&) = delete;

  T& get() { return *std::launder(reinterpret_cast<T*>(storage_)); }

 private:
  alignas(T) unsigned char storage_[sizeof(T)];
};

}  // namespace axt::lindesk
