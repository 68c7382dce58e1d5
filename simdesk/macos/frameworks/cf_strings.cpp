#include "cf_strings.h"

#include <functional>
#include <optional>

#include "text/utf8.h"

namespace simdesk::macos {

namespace text = axt::text;

namespace {

std::u16string utf16Of(std::string_view utf8) {
  std::u16string units;
  text::forEachCharacter(utf8, [&](const text::Decoded& d, std::size_t /*offset*/) {
    const char32_t cp = d.codePoint;
    if (cp >= 0x10000) {
      units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      units.push_back(static_cast<char16_t>(cp));
    }
  });
  return units;
}

// Strict decoding, as CFStringCreateWithBytes does it: ill-formed input
// makes no string.
std::optional<std::u16string> strictUtf16(std::string_view utf8) {
  if (text::firstIllFormed(utf8) != utf8.size()) return std::nullopt;
  return utf16Of(utf8);
}

}  // namespace

CFTypeID StringObject::typeId() {
  static const CFTypeID id = typeNamed("CFString");
  return id;
}

std::string StringObject::utf8() const {
  std::string out;
  for (std::size_t i = 0; i < units_.size(); ++i) {
    const char16_t u = units_[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units_.size() && units_[i + 1] >= 0xDC00 && units_[i + 1] <= 0xDFFF) {
      text::appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
                                (static_cast<char32_t>(units_[i + 1]) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      text::appendUtf8(out, text::kReplacementCharacter);
    } else {
      text::appendUtf8(out, u);
    }
  }
  return out;
}

bool StringObject::equals(const Object& other) const {
  return static_cast<const StringObject&>(other).units_ == units_;
}

std::size_t StringObject::hash() const { return std::hash<std::u16string>{}(units_); }

CFStringRef makeString(std::string_view utf8) {
  return refOf<CFStringRef>(keep(std::make_unique<StringObject>(utf16Of(text::toValidUtf8(utf8)))));
}

CFStringRef constantString(std::string_view utf8) {
  auto* s = keep(std::make_unique<StringObject>(utf16Of(utf8)));
  s->makeImmortal();
  return refOf<CFStringRef>(s);
}

std::string textOf(CFStringRef string, const char* function) { return as<StringObject>(string, function).utf8(); }

}  // namespace simdesk::macos

using simdesk::macos::as;
using simdesk::macos::StringObject;

extern "C" {

CFTypeID CFStringGetTypeID(void) { return StringObject::typeId(); }

CFStringRef CFStringCreateWithBytes(CFAllocatorRef /*allocator*/, const UInt8* bytes, CFIndex numBytes,
                                    CFStringEncoding encoding, Boolean /*isExternalRepresentation*/) {
  if (numBytes < 0 || (bytes == nullptr && numBytes > 0)) {
    simdesk::macos::misuse("CFStringCreateWithBytes", "is handed no bytes or a negative length");
  }
  const std::string_view data(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(numBytes));
  std::optional<std::u16string> units;
  if (encoding == kCFStringEncodingUTF8) {
    units = simdesk::macos::strictUtf16(data);
  } else if (encoding == kCFStringEncodingASCII) {
    bool ascii = true;
    for (const char c : data) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) units = std::u16string(data.begin(), data.end());
  } else {
    simdesk::macos::misuse("CFStringCreateWithBytes", "is asked for an encoding the simulation doesn't have");
  }
  if (!units) return nullptr;
  return simdesk::macos::refOf<CFStringRef>(
      simdesk::macos::keep(std::make_unique<StringObject>(std::move(*units))));
}

CFIndex CFStringGetLength(CFStringRef string) {
  return static_cast<CFIndex>(as<StringObject>(string, "CFStringGetLength").units().size());
}

void CFStringGetCharacters(CFStringRef string, CFRange range, UniChar* buffer) {
  const std::u16string& units = as<StringObject>(string, "CFStringGetCharacters").units();
  if (range.location < 0 || range.length < 0 ||
      static_cast<std::size_t>(range.location) + static_cast<std::size_t>(range.length) > units.size()) {
    simdesk::macos::misuse("CFStringGetCharacters", "is asked for a range beyond the string");
  }
  if (range.length > 0 && buffer == nullptr) simdesk::macos::misuse("CFStringGetCharacters", "has no buffer");
  for (CFIndex i = 0; i < range.length; ++i) {
    buffer[i] = static_cast<UniChar>(units[static_cast<std::size_t>(range.location + i)]);
  }
}

CFStringRef CFCopyTypeIDDescription(CFTypeID type) {
  return simdesk::macos::makeString(simdesk::macos::typeName(type));
}

}  // extern "C"
