// The hot key as KDE's global shortcut: the keys named as the service
// names them, a keeper started before anything is registered, an action
// left by a host that is gone taken over, one that a running host or the
// user holds left alone, and only our own presses told, on the main loop.
#include <gtest/gtest.h>
#include <glib.h>
#include <unistd.h>

#include <X11/keysym.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "glue/run_loop.h"
#include "kwin/global_accel.h"
#include "kwin/kwin_hot_keys.h"
#include "kwin/shortcut_keys.h"

namespace axt::lindesk {
namespace {

constexpr int kAltReturn = 0x08000000 | 0x01000004;

TEST(ShortcutKeys, KeysAreNamedAsKdeNamesThem) {
  EXPECT_EQ(kdeShortcut({XK_Return, Mod1Mask}), (KdeShortcut{kAltReturn, "Alt+Return"}));
  // Letters are the upper-case key, modifiers in KDE's order.
  EXPECT_EQ(kdeShortcut({XK_a, ShiftMask | ControlMask | Mod1Mask | Mod4Mask}),
            (KdeShortcut{0x1E000000 | 'A', "Meta+Ctrl+Alt+Shift+A"}));
  EXPECT_EQ(kdeShortcut({XK_F12, 0}), (KdeShortcut{0x0100003B, "F12"}));
  EXPECT_EQ(kdeShortcut({XK_F1, ControlMask}), (KdeShortcut{0x04000000 | 0x01000030, "Ctrl+F1"}));
  EXPECT_EQ(kdeShortcut({XK_KP_Enter, Mod1Mask}), (KdeShortcut{0x08000000 | 0x20000000 | 0x01000005, "Alt+Num+Enter"}));
  // What the service has no name for.
  EXPECT_EQ(kdeShortcut({XK_Return, Mod1Mask | LockMask}), std::nullopt);
  EXPECT_EQ(kdeShortcut({XK_Return, Mod1Mask | Mod2Mask}), std::nullopt);
  EXPECT_EQ(kdeShortcut({XK_Greek_alpha, Mod1Mask}), std::nullopt);
  EXPECT_EQ(kdeShortcut({0, Mod1Mask}), std::nullopt);
}

// The shortcut service as the hot keys see it: who holds which key, which
// actions are registered, and what each request did.
struct FakeService final : GlobalAccelBus {
  bool answers = true;
  std::optional<KeyHolder> holder;
  bool componentHeld = false;
  bool answersTake = true;
  bool refusesKey = false;  // another action takes the key meanwhile
  bool hearable = true;
  std::vector<std::string> requests;
  std::function<void(const std::string&, const std::string&)> pressed;

  KeyHolding holderOf(int key) override {
    requests.push_back("holderOf " + std::to_string(key));
    if (!answers) return {};
    return {true, holder};
  }
  std::optional<bool> componentActive(const std::string& component) override {
    requests.push_back("componentActive " + component);
    if (!answers) return std::nullopt;
    return componentHeld;
  }
  std::optional<std::vector<int>> take(const ShortcutAction& action, int key) override {
    requests.push_back("take " + action.component + " " + action.action + " " + std::to_string(key));
    if (!answers || !answersTake) return std::nullopt;
    if (refusesKey) return std::vector<int>{0};
    return std::vector<int>{key};
  }
  void unregister(const ShortcutAction& action) override {
    requests.push_back("unregister " + action.component + " " + action.action);
  }
  bool listen(std::function<void(const std::string&, const std::string&)> p) override {
    requests.push_back("listen");
    if (!hearable) return false;
    pressed = std::move(p);
    return true;
  }
  std::string busAddress() const override { return "unix:path=/run/bus"; }
};

struct DirectHandling final : Handling {
  void run(const std::function<void()>& block) override { block(); }
};

void turnMainLoop() {
  for (int i = 0; i < 10; ++i) g_main_context_iteration(nullptr, FALSE);
}

struct KWinHotKeysTest : ::testing::Test {
  DirectHandling handling;
  GlibRunLoop runLoop{handling};
  FakeService* service = nullptr;
  std::vector<std::string> kept;  // what each keeper would take back, and on which bus
  bool keeperStarts = true;

  KWinHotKeys make() {
    auto owned = std::make_unique<FakeService>();
    service = owned.get();
    return KWinHotKeys(std::move(owned),
                       [this](const std::string& bus, const ShortcutAction& action) -> OwnedFd {
                         if (!keeperStarts) return {};
                         // The keeper is started before the action is registered.
                         const std::string take = "take " + action.component + " " + action.action + " ";
                         for (const std::string& r : service->requests) EXPECT_NE(r.rfind(take, 0), 0u) << r;
                         kept.push_back(bus + " " + action.component + " " + action.action);
                         return OwnedFd(::dup(0));
                       },
                       runLoop);
  }
};

TEST_F(KWinHotKeysTest, AFreeKeyIsTakenWithItsKeeperAndOnlyOurPressesAreTold) {
  KWinHotKeys hotKeys = make();
  int presses = 0;
  ASSERT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [&] { ++presses; }), GrabOutcome::kGrabbed);
  EXPECT_EQ(kept, std::vector<std::string>{"unix:path=/run/bus axtrack hot-key-Alt+Return"});
  EXPECT_EQ(service->requests.back(), "take axtrack hot-key-Alt+Return " + std::to_string(kAltReturn));

  service->pressed("axtrack", "hot-key-Alt+Return");
  service->pressed("kwin", "hot-key-Alt+Return");
  service->pressed("axtrack", "hot-key-Alt+Space");
  // Told on the main loop, never from inside the signal.
  EXPECT_EQ(presses, 0);
  turnMainLoop();
  EXPECT_EQ(presses, 1);

  // The same keys again are ours already; others need no second listener.
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
  ASSERT_EQ(hotKeys.grab({XK_space, Mod1Mask}, [] {}), GrabOutcome::kGrabbed);
  EXPECT_EQ(std::count(service->requests.begin(), service->requests.end(), "listen"), 1);
}

TEST_F(KWinHotKeysTest, KeysAnotherActionHoldsStayItsOwn) {
  KWinHotKeys hotKeys = make();
  // The user's, or KDE's own.
  service->holder = KeyHolder{"kwin", "Window Operations Menu"};
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
  // Another host's, still running.
  service->holder = KeyHolder{"axtrack", "hot-key-Alt+Return"};
  service->componentHeld = true;
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
  EXPECT_TRUE(kept.empty());
  for (const std::string& r : service->requests) EXPECT_EQ(r.rfind("take", 0), std::string::npos) << r;

  // Taken meanwhile, between the question and the registration: ours goes
  // again.
  service->holder.reset();
  service->refusesKey = true;
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kTaken);
  EXPECT_EQ(service->requests.back(), "unregister axtrack hot-key-Alt+Return");
}

TEST_F(KWinHotKeysTest, AnActionLeftByAHostThatIsGoneIsTakenOver) {
  KWinHotKeys hotKeys = make();
  service->holder = KeyHolder{"axtrack", "hot-key-Alt+Return"};
  service->componentHeld = false;
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kGrabbed);
}

TEST_F(KWinHotKeysTest, NothingIsRegisteredWithoutAKeeperAListenerOrAnAnswer) {
  {
    KWinHotKeys hotKeys = make();
    keeperStarts = false;
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    for (const std::string& r : service->requests) EXPECT_EQ(r.rfind("take", 0), std::string::npos) << r;
    keeperStarts = true;
  }
  {
    KWinHotKeys hotKeys = make();
    service->hearable = false;
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_TRUE(kept.empty());
  }
  {
    KWinHotKeys hotKeys = make();
    service->answers = false;
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_TRUE(kept.empty());
    // A key the service has no name for is never asked about.
    service->requests.clear();
    EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask | LockMask}, [] {}), GrabOutcome::kUnavailable);
    EXPECT_TRUE(service->requests.empty());
  }
}

TEST_F(KWinHotKeysTest, ARegistrationWithoutAnAnswerIsTakenBackAtOnce) {
  KWinHotKeys hotKeys = make();
  service->answersTake = false;
  EXPECT_EQ(hotKeys.grab({XK_Return, Mod1Mask}, [] {}), GrabOutcome::kUnavailable);
  EXPECT_EQ(service->requests.back(), "unregister axtrack hot-key-Alt+Return");
}

}  // namespace
}  // namespace axt::lindesk
