#include "translation/posted_keys.h"

#include <memory>

#include "platform/backend_handles.h"
#include "translation/paste_keys.h"

namespace axt::lindesk {

namespace {

using platform::backend::handleAs;
using platform::backend::IdentityHandle;

class SourceHandle final : public IdentityHandle {};

class KeyHandle final : public IdentityHandle {
 public:
  explicit KeyHandle(PostedKey key) : key_(key) {}

  const PostedKey& key() const { return key_; }
  void setFlags(std::uint64_t flags) const { flags_ = flags; }
  std::uint64_t flags() const { return flags_; }

 private:
  PostedKey key_;
  mutable std::uint64_t flags_ = 0;
};

}  // namespace

platform::EventSource newEventSource() { return platform::EventSource(std::make_shared<SourceHandle>()); }

std::optional<platform::KeyEvent> newKeyEvent(std::uint16_t keyCode, bool keyDown) {
  const std::optional<KeySym> keysym = keysymForPostedKey(keyCode);
  if (!keysym) return std::nullopt;
  return platform::KeyEvent(std::make_shared<KeyHandle>(PostedKey{*keysym, keyDown}));
}

std::optional<PostedKey> postedKeyOf(const platform::KeyEvent& event) {
  const auto* key = handleAs<KeyHandle>(event);
  if (key == nullptr) return std::nullopt;
  return key->key();
}

void setPostedFlags(const platform::KeyEvent& event, std::uint64_t flags) {
  if (const auto* key = handleAs<KeyHandle>(event)) key->setFlags(flags);
}

std::optional<std::uint64_t> postedFlagsOf(const platform::KeyEvent& event) {
  const auto* key = handleAs<KeyHandle>(event);
  if (key == nullptr) return std::nullopt;
  return key->flags();
}

}  // namespace axt::lindesk
