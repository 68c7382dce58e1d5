// The roles the library knows, from an AT-SPI role and the states that
// refine it. A text widget's role depends on what it lets the user do:
// multi-line editable text is a text area, single-line and password entries
// are text fields, text the user can't edit reads as static text.
#pragma once

#include <atspi/atspi.h>

#include <optional>
#include <string>

namespace axt::lindesk {

struct RoleTraits {
  bool editable = false;
  bool multiLine = false;
  bool singleLine = false;
};

struct MappedRole {
  std::string role;
  std::optional<std::string> subrole;
  friend bool operator==(const MappedRole&, const MappedRole&) = default;
};

// Every AT-SPI role maps to some role; those without a counterpart are
// "AXUnknown".
MappedRole mapRole(AtspiRole role, const RoleTraits& traits);

}  // namespace axt::lindesk
