#include "desktop_builder.h"

#include "desktop_steps.h"
#include "output.h"
#include "simdesk/desktop.h"

namespace play {

void buildDesktop(const Plan& plan) {
  layOutDesktop(simdesk::Desktop::get(), plan);
  // After reset, which sends lines back to standard output.
  installLineSink();
}

}  // namespace play
