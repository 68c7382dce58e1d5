#include "cf_collections.h"

namespace simdesk::macos {

CFTypeID ArrayObject::typeId() {
  static const CFTypeID id = typeNamed("CFArray");
  return id;
}

void ArrayObject::dropContents() {
  for (CFTypeRef v : std::exchange(values_, {})) CFRelease(v);
}

CFTypeID DictionaryObject::typeId() {
  static const CFTypeID id = typeNamed("CFDictionary");
  return id;
}

CFTypeRef DictionaryObject::find(CFTypeRef key) const {
  for (const auto& [k, v] : entries_) {
    if (CFEqual(k, key)) return v;
  }
  return nullptr;
}

void DictionaryObject::dropContents() {
  const auto entries = std::exchange(entries_, {});
  if (!retains_) return;
  for (const auto& [k, v] : entries) {
    CFRelease(k);
    CFRelease(v);
  }
}

}  // namespace simdesk::macos

using simdesk::macos::ArrayObject;
using simdesk::macos::as;
using simdesk::macos::DictionaryObject;
using simdesk::macos::misuse;

extern "C" {

// The standard callbacks: keys and values are retained, compared with
// CFEqual and hashed with CFHash. Only their identity matters here.
const CFDictionaryKeyCallBacks kCFTypeDictionaryKeyCallBacks = {};
const CFDictionaryValueCallBacks kCFTypeDictionaryValueCallBacks = {};

CFTypeID CFArrayGetTypeID(void) { return ArrayObject::typeId(); }

CFIndex CFArrayGetCount(CFArrayRef array) {
  return static_cast<CFIndex>(as<ArrayObject>(array, "CFArrayGetCount").values().size());
}

const void* CFArrayGetValueAtIndex(CFArrayRef array, CFIndex index) {
  const auto& values = as<ArrayObject>(array, "CFArrayGetValueAtIndex").values();
  if (index < 0 || static_cast<std::size_t>(index) >= values.size()) {
    misuse("CFArrayGetValueAtIndex", "is asked for an index beyond the array");
  }
  return values[static_cast<std::size_t>(index)];
}

CFTypeID CFDictionaryGetTypeID(void) { return DictionaryObject::typeId(); }

CFDictionaryRef CFDictionaryCreate(CFAllocatorRef /*allocator*/, const void** keys, const void** values,
                                   CFIndex count, const CFDictionaryKeyCallBacks* keyCallBacks,
                                   const CFDictionaryValueCallBacks* valueCallBacks) {
  if (count < 0 || (count > 0 && (keys == nullptr || values == nullptr))) {
    misuse("CFDictionaryCreate", "is handed no keys or values");
  }
  const bool standard = keyCallBacks == &kCFTypeDictionaryKeyCallBacks &&
                        valueCallBacks == &kCFTypeDictionaryValueCallBacks;
  if (!standard && (keyCallBacks != nullptr || valueCallBacks != nullptr)) {
    misuse("CFDictionaryCreate", "is handed callbacks the simulation doesn't have");
  }
  std::vector<std::pair<CFTypeRef, CFTypeRef>> entries;
  for (CFIndex i = 0; i < count; ++i) {
    CFTypeRef k = keys[i];
    CFTypeRef v = values[i];
    // With the standard callbacks both must be objects, and are kept.
    if (standard) {
      CFRetain(k);
      CFRetain(v);
    }
    entries.emplace_back(k, v);
  }
  return simdesk::macos::refOf<CFDictionaryRef>(
      simdesk::macos::keep(std::make_unique<DictionaryObject>(std::move(entries), standard)));
}

}  // extern "C"
