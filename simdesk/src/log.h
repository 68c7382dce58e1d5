// Where the library's diagnostic lines go.
#pragma once

#include <functional>
#include <string_view>

#include "platform/platform.h"

namespace simdesk::detail {

class LineOutput {
 public:
  // An empty sink means standard output.
  void setSink(std::function<void(std::string_view)> sink) { sink_ = std::move(sink); }
  void write(std::string_view line) const;

 private:
  std::function<void(std::string_view)> sink_;
};

class LogService final : public axt::platform::Log {
 public:
  void writeLine(std::string_view line) override;
};

}  // namespace simdesk::detail
