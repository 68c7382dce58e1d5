// A global hot key as the compositor has it: a binding whose command does
// nothing ("nop" and a name of ours), heard as the binding events of a
// subscribed connection. The key never reaches the focused application,
// as with an X grab.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "session/hot_keys.h"

namespace axt::lindesk {

// The key as the compositor's bindsym names it ("Mod1+Return"); absent for
// a key X has no name for.
std::optional<std::string> bindingKeys(const KeyCombination& keys);

// The command a binding event says was run ("nop NAME"); absent for any
// other event or a payload that isn't one.
std::optional<std::string> boundCommandOf(std::string_view event);

// Whether a reply says the request succeeded ({"success":true}).
bool replySucceeded(std::string_view reply);

// Whether the user's configuration, as the compositor's GET_CONFIG reply
// gives it, binds the same keys (`keys` as bindingKeys names them): a
// binding of ours would replace the user's, and taking ours back would
// leave the key bound to nothing. Variables set in the file ($mod) are
// expanded, modifier names compared as the compositor does (Alt is Mod1,
// Control is Ctrl, in any case and order); files it includes are not read.
// True for a reply that can't be read: the user's bindings aren't known.
bool configBindsKeys(std::string_view reply, std::string_view keys);

}  // namespace axt::lindesk
