// How a fuzzer reports a broken property: a message on standard error and
// an abort, which libFuzzer records as a crash with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace axt::fuzz {

[[noreturn]] inline void fail(std::string_view property, std::string_view detail = {}) {
  std::fprintf(stderr, "\n*** property broken: %.*s\n", static_cast<int>(property.size()),
               property.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "*** %.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  std::fflush(stderr);
  std::abort();
}

inline void check(bool holds, std::string_view property, std::string_view detail = {}) {
  if (!holds) fail(property, detail);
}

}  // namespace axt::fuzz
