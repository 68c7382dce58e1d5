// Core Foundation arrays and dictionaries, immutable, holding references to
// their values (and keys) as the standard callbacks do.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <utility>
#include <vector>

#include "cf_object.h"

namespace simdesk::macos {

class ArrayObject final : public Object {
 public:
  // Takes over one reference to each value.
  explicit ArrayObject(std::vector<CFTypeRef> values) : Object(typeId()), values_(std::move(values)) {}
  static CFTypeID typeId();
  const std::vector<CFTypeRef>& values() const { return values_; }

 protected:
  void dropContents() override;

 private:
  std::vector<CFTypeRef> values_;
};

class DictionaryObject final : public Object {
 public:
  DictionaryObject(std::vector<std::pair<CFTypeRef, CFTypeRef>> entries, bool retains)
      : Object(typeId()), entries_(std::move(entries)), retains_(retains) {}
  static CFTypeID typeId();
  // The value for a key equal to `key` (CFEqual), or null.
  CFTypeRef find(CFTypeRef key) const;

 protected:
  void dropContents() override;

 private:
  std::vector<std::pair<CFTypeRef, CFTypeRef>> entries_;
  bool retains_;
};

}  // namespace simdesk::macos
