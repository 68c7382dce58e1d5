// Plays a scenario's steps at their virtual times.
#pragma once

#include "entry_points.h"
#include "plan.h"

namespace play {

// For each step: run the desktop's main loop up to the step's time, then do
// the step. After the last one the loop runs until nothing is due.
void playSteps(const Plan& plan, const EntryPoints& library);

}  // namespace play
