// The object KWin's scripts answer to, through GIO. Its calls are taken
// on a main context of its own, turned only while an answer is awaited,
// so nothing of it runs in the host's loop or the library's.
#include <gio/gio.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "glue/gobject_ref.h"
#include "glue/session_bus.h"
#include "kwin/kwin_service.h"
#include "kwin/script_answers.h"

namespace axt::lindesk {

namespace {

constexpr const char* kInterface = "org.axtrack.KWinAnswers";
constexpr const char* kMethod = "Answer";
constexpr const char* kIntrospection =
    "<node><interface name='org.axtrack.KWinAnswers'>"
    "<method name='Answer'><arg type='s' name='token' direction='in'/>"
    "<arg type='s' name='text' direction='in'/></method>"
    "</interface></node>";

struct ContextDeleter {
  void operator()(GMainContext* c) const { g_main_context_unref(c); }
};
struct NodeInfoDeleter {
  void operator()(GDBusNodeInfo* n) const { g_dbus_node_info_unref(n); }
};

class BusScriptAnswers final : public ScriptAnswers {
 public:
  BusScriptAnswers(GRef<GDBusConnection> bus, std::string kwin) : bus_(std::move(bus)), kwin_(std::move(kwin)) {}
  BusScriptAnswers(const BusScriptAnswers&) = delete;
  BusScriptAnswers& operator=(const BusScriptAnswers&) = delete;
  ~BusScriptAnswers() override {
    if (registration_ != 0) g_dbus_connection_unregister_object(bus_.get(), registration_);
  }

  // Puts the object on the bus; false when it can't be.
  bool publish() {
    GErrorHolder error;
    info_.reset(g_dbus_node_info_new_for_xml(kIntrospection, error.out()));
    if (!info_ || info_->interfaces == nullptr || info_->interfaces[0] == nullptr) return false;
    const gchar* unique = g_dbus_connection_get_unique_name(bus_.get());
    if (unique == nullptr) return false;
    address_ = AnswerAddress{unique, "/org/axtrack/KWinAnswers/" + std::to_string(::getpid()), kInterface, kMethod};
    static const GDBusInterfaceVTable vtable = {&BusScriptAnswers::called, nullptr, nullptr, {}};
    // The calls come in the context that is the thread's default now.
    g_main_context_push_thread_default(context_.get());
    registration_ = g_dbus_connection_register_object(bus_.get(), address_.path.c_str(), info_->interfaces[0],
                                                      &vtable, this, nullptr, error.out());
    g_main_context_pop_thread_default(context_.get());
    return registration_ != 0;
  }

  const AnswerAddress& address() const override { return address_; }

  std::optional<std::string> await(std::uint64_t token, int timeoutMs) override {
    awaited_ = std::to_string(token);
    answer_.reset();
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    while (!answer_) {
      const gint64 left = deadline - g_get_monotonic_time();
      if (left <= 0) break;
      const GSourcePtr timer(g_timeout_source_new(static_cast<guint>((left + 999) / 1000)));
      g_source_set_callback(timer.get(), [](gpointer) { return G_SOURCE_REMOVE; }, nullptr, nullptr);
      g_source_attach(timer.get(), context_.get());
      g_main_context_iteration(context_.get(), TRUE);
    }
    awaited_.clear();
    return std::exchange(answer_, std::nullopt);
  }

 private:
  static void called(GDBusConnection*, const gchar* sender, const gchar*, const gchar*, const gchar* method,
                     GVariant* parameters, GDBusMethodInvocation* invocation, gpointer self) {
    auto* answers = static_cast<BusScriptAnswers*>(self);
    // Only KWin's answers count: any client on the bus could call. A KWin
    // started again has another connection, which is asked for once a
    // caller isn't the one known.
    if (sender != nullptr && answers->kwin_ != sender && !answers->awaited_.empty()) {
      std::string owner = kwinOwnerOn(answers->bus_.get());
      if (!owner.empty()) answers->kwin_ = std::move(owner);
    }
    if (sender == nullptr || answers->kwin_ != sender || g_strcmp0(method, kMethod) != 0) {
      g_dbus_method_invocation_return_error_literal(invocation, G_DBUS_ERROR, G_DBUS_ERROR_ACCESS_DENIED,
                                                    "not an answer awaited from this caller");
      return;
    }
    const gchar* token = nullptr;
    const gchar* text = nullptr;
    g_variant_get(parameters, "(&s&s)", &token, &text);
    if (!answers->awaited_.empty() && answers->awaited_ == token) answers->answer_ = std::string(text);
    g_dbus_method_invocation_return_value(invocation, nullptr);
  }

  GRef<GDBusConnection> bus_;
  std::string kwin_;
  std::unique_ptr<GMainContext, ContextDeleter> context_{g_main_context_new()};
  std::unique_ptr<GDBusNodeInfo, NodeInfoDeleter> info_;
  AnswerAddress address_;
  guint registration_ = 0;
  std::string awaited_;
  std::optional<std::string> answer_;
};

}  // namespace

std::unique_ptr<ScriptAnswers> kwinScriptAnswers(std::string kwin) {
  if (kwin.empty()) return nullptr;
  GRef<GDBusConnection> bus = sessionBusConnection();
  if (!bus) return nullptr;
  auto answers = std::make_unique<BusScriptAnswers>(std::move(bus), std::move(kwin));
  if (!answers->publish()) return nullptr;
  return answers;
}

}  // namespace axt::lindesk
