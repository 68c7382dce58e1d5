#include "pasteboard.h"

#import <AppKit/AppKit.h>

#include "ns_strings.h"

namespace axt::macdesk {

namespace {

NSPasteboard* general() { return NSPasteboard.generalPasteboard; }

std::string bytesOf(NSData* data) {
  return std::string(static_cast<const char*>(data.bytes), static_cast<std::size_t>(data.length));
}

}  // namespace

std::int64_t AppKitPasteboard::changeCount() { return general().changeCount; }

std::vector<platform::PasteboardItem> AppKitPasteboard::items() {
  std::vector<platform::PasteboardItem> out;
  for (NSPasteboardItem* item in general().pasteboardItems) {
    platform::PasteboardItem copy;
    for (NSPasteboardType type in item.types) {
      NSData* data = [item dataForType:type];
      if (data != nil) copy.types.emplace_back(fromNSString(type), bytesOf(data));
    }
    out.push_back(std::move(copy));
  }
  return out;
}

std::optional<std::string> AppKitPasteboard::stringForType(std::string_view type) {
  NSString* text = [general() stringForType:toNSString(type)];
  if (text == nil) return std::nullopt;
  return fromNSString(text);
}

std::int64_t AppKitPasteboard::clearContents() { return [general() clearContents]; }

bool AppKitPasteboard::writeItems(const std::vector<platform::PasteboardItem>& items) {
  NSMutableArray<NSPasteboardItem*>* objects = [NSMutableArray arrayWithCapacity:items.size()];
  bool whole = true;
  for (const platform::PasteboardItem& item : items) {
    NSPasteboardItem* written = [[NSPasteboardItem alloc] init];
    for (const auto& [type, data] : item.types) {
      NSData* bytes = [NSData dataWithBytes:data.data() length:data.size()];
      if (![written setData:bytes forType:toNSString(type)]) whole = false;
    }
    [objects addObject:written];
  }
  return [general() writeObjects:objects] && whole;
}

}  // namespace axt::macdesk
