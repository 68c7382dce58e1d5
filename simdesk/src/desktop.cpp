// The control side of the simulated desktop: what tests and the scenario
// player do to it, and what they read back.
#include "simdesk/desktop.h"

#include <cmath>
#include <new>

#include "handles.h"
#include "main_loop.h"
#include "platform_impl.h"
#include "state.h"
#include "utf16_text.h"

namespace simdesk {

using detail::state;

struct Desktop::Impl {
  detail::Session session;
  detail::PlatformImpl platform;
  detail::LibraryPlatform library{platform};

  static Impl& of(Desktop& d) { return *d.impl_; }
};

Desktop& Desktop::get() {
  // Built once in static storage and never destroyed: library objects that
  // hold platform references may outlive every static destructor.
  alignas(Desktop) static unsigned char storage[sizeof(Desktop)];
  static Desktop* const instance = ::new (static_cast<void*>(storage)) Desktop();
  return *instance;
}

Desktop::Desktop() : impl_(std::make_unique<Impl>()) {}
Desktop::~Desktop() = default;

void Desktop::reset() { impl_->session.reset(); }

// --- clock ---------------------------------------------------------------

void Desktop::useRealClock(bool real) { state().clock.useReal(real); }
double Desktop::now() const { return state().clock.now(); }

// --- trust ---------------------------------------------------------------

void Desktop::setTrusted(bool trusted) { state().trusted = trusted; }
bool Desktop::trusted() const { return state().trusted; }
int Desktop::promptRequests() const { return state().promptRequests; }

// --- diagnostic lines ----------------------------------------------------

void Desktop::setLineSink(std::function<void(std::string_view)> sink) {
  state().log.setSink(std::move(sink));
}

// --- main run loop -------------------------------------------------------

void Desktop::runUntil(double t) { detail::runLoopUntil(detail::kDefaultModeName, t); }
void Desktop::runInModeUntil(const std::string& mode, double t) { detail::runLoopUntil(mode, t); }
double Desktop::runUntilIdle(std::size_t limit) { return detail::runLoopUntilIdle(limit); }
std::string Desktop::currentMode() const { return impl_->session.mode; }
std::size_t Desktop::pendingMainLoopItems() const { return state().loop.pendingMain(); }

// --- applications --------------------------------------------------------

void Desktop::addApp(const AppSpec& app) { state().apps.add(app); }

bool Desktop::hasApp(Pid pid) const { return state().apps.app(pid) != nullptr; }

void Desktop::activate(Pid pid) { detail::activateApplication(state(), pid, false); }

void Desktop::launch(Pid pid, bool finished) { detail::launchApplication(state(), pid, finished); }

void Desktop::quit(Pid pid) { detail::quitApplication(state(), pid); }

void Desktop::notifyWithoutApp() {
  detail::postWorkspaceNotification(state(), axt::platform::kDidActivateApplicationNotification,
                                    nullptr);
}

namespace {

// The element, when it belongs to an application that is still running.
detail::SimElement* liveElement(detail::State& s, const std::string& elementId) {
  detail::SimElement* e = s.apps.element(elementId);
  if (e == nullptr) return nullptr;
  const detail::SimApp* app = s.apps.app(e->pid);
  return app != nullptr && app->running() ? e : nullptr;
}

void post(const std::string& elementId, const char* notification) {
  detail::State& s = state();
  if (const detail::SimElement* e = liveElement(s, elementId)) {
    detail::postAccessibilityNotification(s, e->pid, e->id, notification);
  }
}

}  // namespace

void Desktop::focus(const std::string& elementId) {
  detail::State& s = state();
  const detail::SimElement* e = liveElement(s, elementId);
  if (e == nullptr) return;
  s.apps.app(e->pid)->focused = e->id;
  detail::postAccessibilityNotification(s, e->pid, e->id, "AXFocusedUIElementChanged");
}

void Desktop::select(const std::string& elementId, Range range) {
  detail::State& s = state();
  detail::SimElement* e = liveElement(s, elementId);
  if (e == nullptr) return;
  if (e->isText()) e->selection = detail::Utf16Text(*e->text).clamped(range);
  detail::postAccessibilityNotification(s, e->pid, e->id, "AXSelectedTextChanged");
}

void Desktop::moveWindow(const std::string& elementId) { post(elementId, "AXWindowMoved"); }

void Desktop::resizeWindow(const std::string& elementId) { post(elementId, "AXWindowResized"); }

void Desktop::pressHotKey(std::uint32_t code, std::uint32_t modifiers) {
  detail::pressHotKey(state(), code, modifiers);
}

void Desktop::setAttribute(const std::string& elementId, const std::string& attribute,
                           AttrValue value) {
  if (detail::SimElement* e = state().apps.element(elementId)) {
    e->attributes.insert_or_assign(attribute, std::move(value));
  }
}

void Desktop::setError(const std::string& elementId, const std::string& attribute, AXError code) {
  detail::SimElement* e = state().apps.element(elementId);
  if (e == nullptr) return;
  if (code == axt::platform::axerr::kSuccess) {
    e->errors.erase(attribute);
  } else {
    e->errors.insert_or_assign(attribute, code);
  }
}

void Desktop::stopAnswering(Pid pid) {
  if (detail::SimApp* app = state().apps.app(pid)) app->answering = false;
}

void Desktop::answerAgain(Pid pid) {
  if (detail::SimApp* app = state().apps.app(pid)) app->answering = true;
}

void Desktop::setRequestLimit(double seconds) {
  state().requestLimit = seconds > 0 && std::isfinite(seconds) ? seconds : detail::kDefaultRequestLimit;
}

double Desktop::requestLimit() const { return state().requestLimit; }

std::optional<Pid> Desktop::pidOf(const axt::platform::Element& element) const {
  const auto* h = detail::handleAs<detail::ElementHandle>(element);
  if (h == nullptr) return std::nullopt;
  return h->pid();
}

std::string Desktop::elementIdOf(const axt::platform::Element& element) const {
  const detail::State& s = state();
  const auto* h = detail::handleAs<detail::ElementHandle>(element);
  if (h == nullptr || h->isApplication() || h->generation() != s.generation) return "";
  const detail::SimElement* e = s.apps.element(h->elementId());
  return e != nullptr && e->pid == h->pid() ? e->id : "";
}

// --- host windows and the pointer ---------------------------------------

void Desktop::addHostWindow(const HostWindowSpec& window) { state().windows.add(window); }

void* Desktop::windowObject(const std::string& windowId) {
  detail::HostWindow* w = state().windows.byId(windowId);
  return w != nullptr ? static_cast<void*>(w->token.get()) : nullptr;
}

void* Desktop::notAWindowObject() { return detail::notAWindow(); }

void Desktop::movePointer(Point p) { detail::movePointer(state(), p); }

void Desktop::resizeHostWindow(const std::string& windowId, Rect frame) {
  if (detail::HostWindow* w = state().windows.byId(windowId)) w->frame = frame;
}

// --- pasteboard ----------------------------------------------------------

void Desktop::setPasteboard(const std::vector<PasteboardItem>& items) {
  state().pasteboard.set(items);
}

void Desktop::copy(const std::vector<PasteboardItem>& items) {
  detail::State& s = state();
  s.pasteboard.clear();
  s.pasteboard.write(items);
}

void Desktop::setPasteboardWritable(bool writable) { state().pasteboard.setWritable(writable); }

std::vector<PasteboardItem> Desktop::pasteboard() const { return state().pasteboard.items(); }

std::int64_t Desktop::pasteboardChangeCount() const { return state().pasteboard.changeCount(); }

// --- final state and measurements ----------------------------------------

std::optional<std::string> Desktop::text(const std::string& elementId) const {
  const detail::SimElement* e = state().apps.element(elementId);
  if (e == nullptr) return std::nullopt;
  return e->text;
}

std::optional<Pid> Desktop::frontmost() const { return state().apps.frontmost; }

std::map<Pid, int> Desktop::activations() const { return state().apps.activations; }

std::vector<PostedKey> Desktop::keys() const { return state().keys.keys(); }

std::size_t Desktop::liveObservers() const { return state().observers.installedCount(); }

RequestCounts Desktop::requests() const { return state().requests; }

axt::platform::Platform& seam() { return Desktop::Impl::of(Desktop::get()).platform; }

void Desktop::resetRequestCounts() { state().requests = RequestCounts{}; }

}  // namespace simdesk

namespace simdesk::detail {

Session& session() { return Desktop::Impl::of(Desktop::get()).session; }

}  // namespace simdesk::detail

namespace axt::platform {

Platform& current() { return simdesk::Desktop::Impl::of(simdesk::Desktop::get()).library; }

}  // namespace axt::platform
