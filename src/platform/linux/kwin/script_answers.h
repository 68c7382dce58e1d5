// Where the answers of KWin's scripts come back: KWin says nothing of
// what a script did, but a script may call a method on the session bus,
// and an object of ours there takes the call.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "kwin/kwin_window_list.h"

namespace axt::lindesk {

class ScriptAnswers {
 public:
  virtual ~ScriptAnswers() = default;
  // What a script calls to answer.
  virtual const AnswerAddress& address() const = 0;
  // The text a script sent with `token`, waited for at most `timeoutMs`;
  // absent when none came. Answers with other tokens are dropped.
  virtual std::optional<std::string> await(std::uint64_t token, int timeoutMs) = 0;
};

// An object of ours on the session bus that takes answers from KWin alone:
// from `kwin`, the connection that owns KWin's name now (kwinOwner()), or
// from the one that owns it later. Null when `kwin` is empty or the object
// can't be put there.
std::unique_ptr<ScriptAnswers> kwinScriptAnswers(std::string kwin);

}  // namespace axt::lindesk
