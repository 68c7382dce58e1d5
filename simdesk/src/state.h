// One simulated desktop, and the session that holds the current one. Every
// service behind the seam looks the current desktop up on each call, never
// keeping a reference across a call into the library, so a reset (or a
// library destructor calling back in the middle of one) finds a desktop that
// is whole.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "apps.h"
#include "clock.h"
#include "hot_keys.h"
#include "keyboard.h"
#include "log.h"
#include "observers.h"
#include "pasteboard.h"
#include "run_queue.h"
#include "simdesk/desktop.h"
#include "windows.h"
#include "workspace.h"

namespace simdesk::detail {

// How long an accessibility request waits for an application that doesn't
// answer, until a messaging timeout says otherwise: the limit the macOS
// backend sets, so that both libraries over this desktop wait alike.
inline constexpr double kDefaultRequestLimit = 1.5;

struct State {
  // A fresh desktop: virtual clock at 0, trusted, the host application
  // frontmost and nothing else.
  explicit State(std::uint64_t generation);

  // Whether destroying this desktop could run code of the library: queued
  // items and workspace blocks may hold its closures.
  bool holdsClosures() const;

  const std::uint64_t generation;
  Clock clock;
  bool trusted = true;
  int promptRequests = 0;
  // The messaging timeout that applies to the request being made.
  double requestLimit = kDefaultRequestLimit;
  RequestCounts requests;
  AppRegistry apps;
  ObserverRegistry observers;
  WorkspaceCenter workspace;
  HotKeyTable hotKeys;
  KeyLog keys;
  PasteboardStore pasteboard;
  WindowTable windows;
  LineOutput log;
  // Last, so that it goes first: the closures it holds may call back into
  // the desktop while it is being destroyed.
  RunQueue loop;
};

class Session {
 public:
  Session();
  State& state() { return *state_; }
  // Replaces the desktop by a fresh one. The old one is moved out before it
  // is destroyed; whatever its closures do while they die lands on a blank
  // desktop, which is discarded in turn.
  void reset();

  // The mode the main run loop is running in, "" when it isn't running.
  std::string mode;

 private:
  // Declared first: the constructor's initialiser of state_ reads it.
  std::uint64_t nextGeneration_ = 1;
  std::unique_ptr<State> state_;
};

// The session of the process's one desktop.
Session& session();
inline State& state() { return session().state(); }

}  // namespace simdesk::detail
