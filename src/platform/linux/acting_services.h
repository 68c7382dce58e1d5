// What the library does on the user's behalf that this backend doesn't do
// yet: synthesised paste keystrokes, the clipboard and hover tracking of
// the host's windows. Each answers as a platform that refuses quietly, so
// that the library's calls stay harmless: no keystroke reaches another
// application (a paste without our text on the clipboard would insert the
// user's clipboard instead), and the pasteboard is a private store.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace axt::lindesk {

class InertKeyboard final : public platform::Keyboard {
 public:
  std::optional<platform::EventSource> createEventSource(std::int32_t stateId) override;
  std::optional<platform::KeyEvent> createKeyboardEvent(const std::optional<platform::EventSource>& source,
                                                        std::uint16_t keyCode, bool keyDown) override;
  void setFlags(const platform::KeyEvent& event, std::uint64_t flags) override;
  void post(std::uint32_t tap, const platform::KeyEvent& event) override;
};

class PrivatePasteboard final : public platform::Pasteboard {
 public:
  std::int64_t changeCount() override { return changeCount_; }
  std::vector<platform::PasteboardItem> items() override { return items_; }
  std::optional<std::string> stringForType(std::string_view type) override;
  std::int64_t clearContents() override;
  bool writeItems(const std::vector<platform::PasteboardItem>& items) override;

 private:
  std::vector<platform::PasteboardItem> items_;
  std::int64_t changeCount_ = 0;
};

class NoHostWindows final : public platform::Windows {
 public:
  std::optional<platform::Window> windowFromObject(void* object) override;
  std::optional<platform::Rect> contentViewBounds(const platform::Window& window) override;
  void setDelegate(const platform::Window& window, std::weak_ptr<platform::Responder> delegate) override;
  platform::TrackingArea createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                            std::weak_ptr<platform::Responder> owner) override;
  void addTrackingArea(const platform::Window& window, const platform::TrackingArea& area) override;
};

}  // namespace axt::lindesk
