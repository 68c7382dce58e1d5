#include "translation/paste_keys.h"

#include <X11/keysym.h>

namespace axt::lindesk {

std::optional<KeySym> keysymForPostedKey(std::uint16_t keyCode) {
  switch (keyCode) {
    case kPostedCommandKey:
      return static_cast<KeySym>(XK_Control_L);
    case kPostedVKey:
      return static_cast<KeySym>(XK_v);
    default:
      return std::nullopt;
  }
}

}  // namespace axt::lindesk
