#include "cf_strings.h"

#include <vector>

#include "text/utf8.h"
#include "utf16.h"

namespace axt::macdesk {

std::string toUtf8(CFStringRef text) {
  if (text == nullptr) return {};
  const CFIndex length = CFStringGetLength(text);
  if (length <= 0) return {};
  std::vector<UniChar> units(static_cast<std::size_t>(length));
  CFStringGetCharacters(text, CFRangeMake(0, length), units.data());
  return utf16ToUtf8(units);
}

CFRef<CFStringRef> makeCFString(std::string_view utf8) {
  const std::string valid = text::toValidUtf8(utf8);
  return CFRef<CFStringRef>::adopt(CFStringCreateWithBytes(kCFAllocatorDefault,
                                                           reinterpret_cast<const UInt8*>(valid.data()),
                                                           static_cast<CFIndex>(valid.size()),
                                                           kCFStringEncodingUTF8, false));
}

}  // namespace axt::macdesk
