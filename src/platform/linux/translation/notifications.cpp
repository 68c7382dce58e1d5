#include "translation/notifications.h"

namespace axt::lindesk {

std::string_view notificationOf(HeardKind kind) {
  switch (kind) {
    case HeardKind::kFocusGained:
      return kFocusedElementChanged;
    case HeardKind::kSelection:
      return kSelectedTextChanged;
    case HeardKind::kWindowMoved:
      return kWindowMoved;
    case HeardKind::kWindowResized:
      return kWindowResized;
    default:
      return {};
  }
}

bool isSupportedNotification(std::string_view notification) {
  return notification == kFocusedElementChanged || notification == kSelectedTextChanged ||
         isWindowGeometryNotification(notification);
}

bool isWindowGeometryNotification(std::string_view notification) {
  return notification == kWindowMoved || notification == kWindowResized;
}

}  // namespace axt::lindesk
