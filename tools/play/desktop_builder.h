// Lays out the simulated desktop that a scenario starts from.
#pragma once

#include "plan.h"

namespace play {

// A fresh desktop with the plan's trust, pasteboard, host windows and
// applications; the library's lines go to the player's output.
void buildDesktop(const Plan& plan);

}  // namespace play
