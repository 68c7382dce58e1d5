// Preloaded into a host (LD_PRELOAD) to count what it says over D-Bus and
// X11 without changing what it does: each call is passed on unchanged to
// the C library or libxcb and counted on the way.
//
// D-Bus: every write on a D-Bus socket (a Unix socket that isn't the X
// server's) counts as one message written, and the bytes both ways are
// added up; the socket of each descriptor is looked at once, until it is
// closed. With AXBENCH_TRACE set, each D-Bus method call written is also
// printed to standard error (path, interface and member), to see where a
// count comes from. X11: Xlib hands its requests to XCB with xcb_writev (the request
// count is an argument), XCB's own users call xcb_send_request*; every
// wait for a reply (xcb_wait_for_reply*) or for a request's error
// (xcb_request_check) for a request not waited for before is one round
// trip (Xlib waits twice for each reply it reads).
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "io_counts.h"

namespace {

std::atomic<std::uint64_t> gDbusWrites{0};
std::atomic<std::uint64_t> gDbusOut{0};
std::atomic<std::uint64_t> gDbusIn{0};
std::atomic<std::uint64_t> gX11Requests{0};
std::atomic<std::uint64_t> gX11RoundTrips{0};

// Per descriptor: 0 not looked at yet, 1 a D-Bus socket, 2 anything else.
constexpr int kTracked = 4096;
std::array<std::atomic<unsigned char>, kTracked> gKinds{};

// XCB's entry points may call each other; only the outermost call counts.
thread_local int tDepth = 0;
struct Outermost {
  Outermost() { ++tDepth; }
  ~Outermost() { --tDepth; }
  Outermost(const Outermost&) = delete;
  Outermost& operator=(const Outermost&) = delete;
  bool counts() const { return tDepth == 1; }
};

// The last request waited for; a wait for the same one is no new trip.
std::atomic<const void*> gLastConnection{nullptr};
std::atomic<std::uint64_t> gLastRequest{0};
void waitedFor(const void* connection, std::uint64_t request) {
  if (gLastConnection.exchange(connection) == connection && gLastRequest.exchange(request) == request) return;
  gLastRequest.store(request);
  gX11RoundTrips.fetch_add(1, std::memory_order_relaxed);
}

template <class F>
F next(const char* name) {
  return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

bool isDbus(int fd) {
  if (fd < 0 || fd >= kTracked) return false;
  unsigned char kind = gKinds[static_cast<std::size_t>(fd)].load(std::memory_order_relaxed);
  if (kind == 0) {
    kind = 2;
    int domain = 0;
    socklen_t size = sizeof domain;
    if (getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &size) == 0 && domain == AF_UNIX) {
      sockaddr_un peer{};
      socklen_t length = sizeof peer;
      if (getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &length) == 0 && length > sizeof(sa_family_t)) {
        // Abstract names start with a zero byte.
        const std::string_view path(peer.sun_path, length - sizeof(sa_family_t));
        if (path.find(".X11-unix") == std::string_view::npos) kind = 1;
      }
    }
    gKinds[static_cast<std::size_t>(fd)].store(kind, std::memory_order_relaxed);
  }
  return kind == 1;
}

// The header fields of a D-Bus message (its first bytes): path, interface
// and member of a method call, or nothing for anything else.
std::string describe(const unsigned char* data, std::size_t size) {
  if (size < 16 || data[1] != 1) return {};
  const bool little = data[0] == 'l';
  auto u32 = [&](std::size_t at) -> std::uint32_t {
    if (at + 4 > size) return 0;
    return little ? data[at] | data[at + 1] << 8 | data[at + 2] << 16 | std::uint32_t(data[at + 3]) << 24
                  : std::uint32_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3];
  };
  const std::size_t end = std::min<std::size_t>(size, 16 + u32(12));
  std::string fields[4];
  std::size_t at = 16;
  while (at + 4 <= end) {
    const unsigned code = data[at];
    const std::size_t signatureLength = data[at + 1];
    if (at + 2 + signatureLength >= end) break;
    const char type = static_cast<char>(data[at + 2]);
    at += 3 + signatureLength;
    if (type == 's' || type == 'o') {
      at = (at + 3) & ~std::size_t{3};
      const std::uint32_t length = u32(at);
      if (at + 4 + length > end) break;
      if (code >= 1 && code <= 3) fields[code] = std::string(reinterpret_cast<const char*>(data + at + 4), length);
      at += 4 + length + 1;
    } else if (type == 'g') {
      at += 1 + data[at] + 1;
    } else if (type == 'u') {
      at = (at + 3) & ~std::size_t{3};
      at += 4;
    } else {
      break;
    }
    at = (at + 7) & ~std::size_t{7};
  }
  return fields[1] + " " + fields[2] + "." + fields[3];
}

void trace(const void* data, std::size_t size) {
  static const bool on = std::getenv("AXBENCH_TRACE") != nullptr;
  if (!on || data == nullptr) return;
  const std::string line = describe(static_cast<const unsigned char*>(data), size);
  if (!line.empty()) std::fprintf(stderr, "dbus %s\n", line.c_str());
}

void wrote(int fd, ssize_t n, const void* data = nullptr, std::size_t size = 0) {
  if (n < 0 || !isDbus(fd)) return;
  trace(data, size);
  gDbusWrites.fetch_add(1, std::memory_order_relaxed);
  gDbusOut.fetch_add(static_cast<std::uint64_t>(n), std::memory_order_relaxed);
}

void received(int fd, ssize_t n) {
  if (n > 0 && isDbus(fd)) gDbusIn.fetch_add(static_cast<std::uint64_t>(n), std::memory_order_relaxed);
}

}  // namespace

extern "C" {

void axbench_io_counts(AxbenchIoCounts* out) {
  out->dbusWrites = gDbusWrites.load();
  out->dbusBytesOut = gDbusOut.load();
  out->dbusBytesIn = gDbusIn.load();
  out->x11Requests = gX11Requests.load();
  out->x11RoundTrips = gX11RoundTrips.load();
}

int close(int fd) {
  static const auto real = next<int (*)(int)>("close");
  if (fd >= 0 && fd < kTracked) gKinds[static_cast<std::size_t>(fd)].store(0, std::memory_order_relaxed);
  return real(fd);
}

ssize_t sendmsg(int fd, const msghdr* message, int flags) {
  static const auto real = next<ssize_t (*)(int, const msghdr*, int)>("sendmsg");
  const ssize_t n = real(fd, message, flags);
  if (message != nullptr && message->msg_iovlen > 0)
    wrote(fd, n, message->msg_iov[0].iov_base, message->msg_iov[0].iov_len);
  else
    wrote(fd, n);
  return n;
}

ssize_t send(int fd, const void* buffer, size_t size, int flags) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t, int)>("send");
  const ssize_t n = real(fd, buffer, size, flags);
  wrote(fd, n, buffer, size);
  return n;
}

ssize_t write(int fd, const void* buffer, size_t size) {
  static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
  const ssize_t n = real(fd, buffer, size);
  wrote(fd, n, buffer, size);
  return n;
}

ssize_t writev(int fd, const iovec* vector, int count) {
  static const auto real = next<ssize_t (*)(int, const iovec*, int)>("writev");
  const ssize_t n = real(fd, vector, count);
  if (count > 0)
    wrote(fd, n, vector[0].iov_base, vector[0].iov_len);
  else
    wrote(fd, n);
  return n;
}

ssize_t recvmsg(int fd, msghdr* message, int flags) {
  static const auto real = next<ssize_t (*)(int, msghdr*, int)>("recvmsg");
  const ssize_t n = real(fd, message, flags);
  received(fd, n);
  return n;
}

ssize_t recv(int fd, void* buffer, size_t size, int flags) {
  static const auto real = next<ssize_t (*)(int, void*, size_t, int)>("recv");
  const ssize_t n = real(fd, buffer, size, flags);
  received(fd, n);
  return n;
}

ssize_t read(int fd, void* buffer, size_t size) {
  static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
  const ssize_t n = real(fd, buffer, size);
  received(fd, n);
  return n;
}

ssize_t readv(int fd, const iovec* vector, int count) {
  static const auto real = next<ssize_t (*)(int, const iovec*, int)>("readv");
  const ssize_t n = real(fd, vector, count);
  received(fd, n);
  return n;
}

int xcb_writev(xcb_connection_t* c, iovec* vector, int count, uint64_t requests) {
  static const auto real = next<int (*)(xcb_connection_t*, iovec*, int, uint64_t)>("xcb_writev");
  const Outermost level;
  if (level.counts()) gX11Requests.fetch_add(requests, std::memory_order_relaxed);
  return real(c, vector, count, requests);
}

unsigned int xcb_send_request(xcb_connection_t* c, int flags, iovec* vector, const xcb_protocol_request_t* request) {
  static const auto real =
      next<unsigned int (*)(xcb_connection_t*, int, iovec*, const xcb_protocol_request_t*)>("xcb_send_request");
  const Outermost level;
  if (level.counts()) gX11Requests.fetch_add(1, std::memory_order_relaxed);
  return real(c, flags, vector, request);
}

uint64_t xcb_send_request64(xcb_connection_t* c, int flags, iovec* vector, const xcb_protocol_request_t* request) {
  static const auto real =
      next<uint64_t (*)(xcb_connection_t*, int, iovec*, const xcb_protocol_request_t*)>("xcb_send_request64");
  const Outermost level;
  if (level.counts()) gX11Requests.fetch_add(1, std::memory_order_relaxed);
  return real(c, flags, vector, request);
}

unsigned int xcb_send_request_with_fds(xcb_connection_t* c, int flags, iovec* vector,
                                       const xcb_protocol_request_t* request, unsigned int fdCount, int* fds) {
  static const auto real =
      next<unsigned int (*)(xcb_connection_t*, int, iovec*, const xcb_protocol_request_t*, unsigned int, int*)>(
          "xcb_send_request_with_fds");
  const Outermost level;
  if (level.counts()) gX11Requests.fetch_add(1, std::memory_order_relaxed);
  return real(c, flags, vector, request, fdCount, fds);
}

uint64_t xcb_send_request_with_fds64(xcb_connection_t* c, int flags, iovec* vector,
                                     const xcb_protocol_request_t* request, unsigned int fdCount, int* fds) {
  static const auto real =
      next<uint64_t (*)(xcb_connection_t*, int, iovec*, const xcb_protocol_request_t*, unsigned int, int*)>(
          "xcb_send_request_with_fds64");
  const Outermost level;
  if (level.counts()) gX11Requests.fetch_add(1, std::memory_order_relaxed);
  return real(c, flags, vector, request, fdCount, fds);
}

void* xcb_wait_for_reply(xcb_connection_t* c, unsigned int request, xcb_generic_error_t** e) {
  static const auto real =
      next<void* (*)(xcb_connection_t*, unsigned int, xcb_generic_error_t**)>("xcb_wait_for_reply");
  const Outermost level;
  if (level.counts()) waitedFor(c, request);
  return real(c, request, e);
}

void* xcb_wait_for_reply64(xcb_connection_t* c, uint64_t request, xcb_generic_error_t** e) {
  static const auto real =
      next<void* (*)(xcb_connection_t*, uint64_t, xcb_generic_error_t**)>("xcb_wait_for_reply64");
  const Outermost level;
  if (level.counts()) waitedFor(c, request);
  return real(c, request, e);
}

xcb_generic_error_t* xcb_request_check(xcb_connection_t* c, xcb_void_cookie_t cookie) {
  static const auto real = next<xcb_generic_error_t* (*)(xcb_connection_t*, xcb_void_cookie_t)>("xcb_request_check");
  const Outermost level;
  if (level.counts()) waitedFor(c, cookie.sequence);
  return real(c, cookie);
}

}  // extern "C"
