// What a process said over D-Bus and X11, counted by the preloaded shim
// (io_counts.cpp) and read by the process itself through
// axbench_io_counts(), found with dlsym when the shim is loaded.
#pragma once

#include <cstdint>

struct AxbenchIoCounts {
  // Writes on D-Bus sockets (sendmsg, send, write, writev): one message
  // each, as libdbus writes a message in one call.
  std::uint64_t dbusWrites;
  std::uint64_t dbusBytesOut;
  std::uint64_t dbusBytesIn;
  // X11 requests sent (counted where Xlib hands them to XCB, and XCB's own
  // requests) and round trips (each wait for a reply or an error).
  std::uint64_t x11Requests;
  std::uint64_t x11RoundTrips;
};

extern "C" {
using AxbenchIoCountsFn = void (*)(AxbenchIoCounts*);
}

constexpr const char* kAxbenchIoCountsSymbol = "axbench_io_counts";
