#include "acting_services.h"

#include <memory>

namespace axt::lindesk {

namespace {

// A handle that is only itself.
class Token final : public platform::Handle {
 public:
  bool equals(const platform::Handle& other) const override { return &other == this; }
  std::size_t hash() const override { return std::hash<const void*>{}(this); }
};

}  // namespace

std::optional<platform::EventSource> InertKeyboard::createEventSource(std::int32_t) {
  return platform::EventSource(std::make_shared<Token>());
}

std::optional<platform::KeyEvent> InertKeyboard::createKeyboardEvent(const std::optional<platform::EventSource>&,
                                                                     std::uint16_t, bool) {
  return platform::KeyEvent(std::make_shared<Token>());
}

void InertKeyboard::setFlags(const platform::KeyEvent&, std::uint64_t) {}

void InertKeyboard::post(std::uint32_t, const platform::KeyEvent&) {}

std::optional<std::string> PrivatePasteboard::stringForType(std::string_view type) {
  for (const auto& item : items_) {
    for (const auto& [t, data] : item.types) {
      if (t == type) return data;
    }
  }
  return std::nullopt;
}

std::int64_t PrivatePasteboard::clearContents() {
  items_.clear();
  return ++changeCount_;
}

bool PrivatePasteboard::writeItems(const std::vector<platform::PasteboardItem>& items) {
  items_.insert(items_.end(), items.begin(), items.end());
  return true;
}

std::optional<platform::Window> NoHostWindows::windowFromObject(void*) { return std::nullopt; }

std::optional<platform::Rect> NoHostWindows::contentViewBounds(const platform::Window&) { return std::nullopt; }

void NoHostWindows::setDelegate(const platform::Window&, std::weak_ptr<platform::Responder>) {}

platform::TrackingArea NoHostWindows::createTrackingArea(const platform::Rect&, std::uint32_t,
                                                         std::weak_ptr<platform::Responder>) {
  return platform::TrackingArea(std::make_shared<Token>());
}

void NoHostWindows::addTrackingArea(const platform::Window&, const platform::TrackingArea&) {}

}  // namespace axt::lindesk
