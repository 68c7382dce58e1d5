// Core Foundation strings: UTF-16 code units, as the system keeps them.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>
#include <string_view>

#include "cf_object.h"

namespace simdesk::macos {

class StringObject final : public Object {
 public:
  explicit StringObject(std::u16string units) : Object(typeId()), units_(std::move(units)) {}
  static CFTypeID typeId();

  const std::u16string& units() const { return units_; }
  std::string utf8() const;

  bool equals(const Object& other) const override;
  std::size_t hash() const override;

 protected:
  void dropContents() override { units_.clear(); }

 private:
  std::u16string units_;
};

// A new string (one reference, the caller's) from well-formed UTF-8.
CFStringRef makeString(std::string_view utf8);
// A string constant of the frameworks.
CFStringRef constantString(std::string_view utf8);
// The UTF-8 text of a string handed in by the code above.
std::string textOf(CFStringRef string, const char* function);

}  // namespace simdesk::macos
