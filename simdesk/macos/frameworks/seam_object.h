// A framework object standing for one of the simulated desktop's
// references, which decides its identity (CFEqual, CFHash) as the system's
// objects do theirs.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <cstddef>
#include <utility>

#include "cf_object.h"

namespace simdesk::macos {

template <class Seam, const char* Name>
class SeamObject : public Object {
 public:
  explicit SeamObject(Seam ref) : Object(typeId()), ref_(std::move(ref)) {}
  static CFTypeID typeId() {
    static const CFTypeID id = typeNamed(Name);
    return id;
  }
  const Seam& ref() const { return ref_; }
  bool equals(const Object& other) const override { return static_cast<const SeamObject&>(other).ref_ == ref_; }
  std::size_t hash() const override { return ref_.hash(); }

 protected:
  void dropContents() override { ref_ = Seam(); }

 private:
  Seam ref_;
};

}  // namespace simdesk::macos
