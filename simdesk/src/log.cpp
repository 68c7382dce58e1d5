#include "log.h"

#include <cstdio>

#include "state.h"

namespace simdesk::detail {

void LineOutput::write(std::string_view line) const {
  if (sink_) {
    sink_(line);
    return;
  }
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fwrite("\n", 1, 1, stdout);
  std::fflush(stdout);
}

void LogService::writeLine(std::string_view line) {
  // A copy: the sink may replace itself while it runs.
  const LineOutput out = state().log;
  out.write(line);
}

}  // namespace simdesk::detail
