// What the user and the other applications do in a scenario: the steps that
// act on the simulated desktop, as opposed to the host's calls of the
// library. The player and the kit for testing hosts both play them.
#pragma once

#include "plan.h"
#include "simdesk/desktop.h"

namespace play {

// Replaces the desktop by the one a scenario starts from: its trust,
// pasteboard, host windows and applications, at virtual time 0.
void layOutDesktop(simdesk::Desktop& desktop, const Plan& plan);

// Whether the step is the desktop's (not a call of the host's).
bool isDesktopStep(const Step& step);

// Does the step on the desktop; false, doing nothing, for a step that is a
// call of the host's.
bool playDesktopStep(simdesk::Desktop& desktop, const Step& step);

}  // namespace play
