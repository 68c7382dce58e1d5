#include "session/no_session.h"

#include <functional>
#include <memory>
#include <utility>

#include "platform/backend_handles.h"

namespace axt::lindesk {

namespace {

class NoHotKeys final : public SessionHotKeys {
 public:
  GrabOutcome grab(const KeyCombination& /*keys*/, std::function<void()> /*pressed*/) override {
    return GrabOutcome::kUnavailable;
  }
};

class NoKeyTyping final : public SessionKeyTyping {
 public:
  bool canType(KeySym /*keysym*/) override { return false; }
  void type(KeySym /*keysym*/, bool /*down*/) override {}
  bool reachesFocusedApplication() override { return false; }
};

class NoWindowActivation final : public WindowActivation {
 public:
  bool activate(platform::Pid /*pid*/, const FrameTitles& /*frameTitles*/) override { return false; }
};

class NoWindowPlaces final : public WindowPlaces {
 public:
  std::optional<std::string> applicationIdOf(platform::Pid /*pid*/) override { return std::nullopt; }
  std::vector<XWindowPlace> shownWindowsOf(platform::Pid /*pid*/) override { return {}; }
  std::optional<platform::Pid> activeProcess() override { return std::nullopt; }
};

class NoWindowMoves final : public WindowMoves {
 public:
  void onChange(std::function<void(platform::Pid, bool, bool)> /*changed*/) override {}
  void follow(platform::Pid /*pid*/) override {}
};

class NoBusAddressWatch final : public BusAddressWatch {
 public:
  void watch(std::function<void()> /*published*/) override {}
};

class NoClipboard final : public SessionClipboard {
 public:
  std::int64_t changeCount() override { return changeCount_; }
  std::vector<platform::PasteboardItem> items() override { return {}; }
  std::optional<std::string> stringForType(std::string_view /*type*/) override { return std::nullopt; }
  // The library's own clear changes the content it sees, owner or not.
  std::int64_t clearContents() override { return ++changeCount_; }
  bool writeItems(const std::vector<platform::PasteboardItem>& /*items*/) override { return false; }

 private:
  std::int64_t changeCount_ = 0;
};

class NoHostWindows final : public SessionHostWindows {
 public:
  std::optional<platform::Window> windowFromObject(void* /*object*/) override { return std::nullopt; }
  std::optional<platform::Rect> contentViewBounds(const platform::Window& /*window*/) override { return std::nullopt; }
  void setDelegate(const platform::Window& /*window*/, std::weak_ptr<platform::Responder> /*delegate*/) override {}
  // An area is made as on any session: it is added to no window.
  platform::TrackingArea createTrackingArea(const platform::Rect& rect, std::uint32_t options,
                                            std::weak_ptr<platform::Responder> owner) override {
    return platform::TrackingArea(
        std::make_shared<platform::backend::TrackingAreaHandle>(rect, options, std::move(owner)));
  }
  void addTrackingArea(const platform::Window& /*window*/, const platform::TrackingArea& /*area*/) override {}
};

}  // namespace

SessionWays noSessionWays() {
  SessionWays ways;
  ways.hotKeys = std::make_unique<NoHotKeys>();
  ways.keyTyping = std::make_unique<NoKeyTyping>();
  ways.activation = std::make_unique<NoWindowActivation>();
  ways.places = std::make_unique<NoWindowPlaces>();
  ways.moves = std::make_unique<NoWindowMoves>();
  ways.clipboard = std::make_unique<NoClipboard>();
  ways.hostWindows = std::make_unique<NoHostWindows>();
  ways.busAddress = std::make_unique<NoBusAddressWatch>();
  return ways;
}

}  // namespace axt::lindesk
