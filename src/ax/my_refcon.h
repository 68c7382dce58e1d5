// A box for one strong reference to any object, for hosts and callbacks that
// need to pass an owned object through an untyped context pointer. No
// registration of the library uses it.
#pragma once

#include <memory>
#include <utility>

namespace axt::ax {

class MyRefcon {
 public:
  explicit MyRefcon(std::shared_ptr<void> data) : data_(std::move(data)) {}
  virtual ~MyRefcon() = default;

  virtual const std::shared_ptr<void>& data() const { return data_; }
  virtual void setData(std::shared_ptr<void> data) { data_ = std::move(data); }

 private:
  std::shared_ptr<void> data_;
};

}  // namespace axt::ax
