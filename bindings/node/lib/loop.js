'use strict';
// Which main loop turns the library's work, and turning it.
//
//   'glib'      Linux, plain Node: GLib's default main context is turned
//               from inside libuv (the addon mirrors GLib's descriptors into
//               one epoll descriptor libuv watches, and GLib's next timeout
//               into a libuv timer), nothing polled while idle;
//   'cfrunloop' macOS, plain Node: the main CFRunLoop is turned from a
//               timer, every 16 ms at most and sooner for its next timer;
//   'none'      the host runs that loop already: Electron's main process
//               (GLib's default context on Linux, Cocoa's run loop on macOS),
//               a GTK or Qt host, or the simulated desktop's kit, whose run
//               functions turn its loop.
//
// 'auto' (the default) is 'none' in Electron (process.versions.electron),
// else 'glib' on Linux when GLib is in the process (the desktop library
// brings it; the simulated one doesn't), else 'none'; 'cfrunloop' on macOS.
const kinds = ['auto', 'glib', 'cfrunloop', 'none'];
const kCfTurnMs = 16;

function resolveLoop(requested, binding) {
  const kind = requested === undefined ? 'auto' : requested;
  if (!kinds.includes(kind)) {
    throw new TypeError(`options.loop is one of ${kinds.map((k) => `'${k}'`).join(', ')}`);
  }
  if (kind !== 'auto') return kind;
  if (process.versions.electron) return 'none';
  if (process.platform === 'linux') return binding.glibPresent() ? 'glib' : 'none';
  if (process.platform === 'darwin') return 'cfrunloop';
  return 'none';
}

class LoopDriver {
  constructor(binding, kind) {
    this.binding = binding;
    this.kind = kind;
    this.referenced = true;
    this.timer = null;
    this.running = false;
  }

  start(referenced) {
    this.referenced = referenced;
    this.running = true;
    if (this.kind === 'glib') {
      this.binding.glibStart(referenced);
    } else if (this.kind === 'cfrunloop') {
      this.scheduleTurn(0);
    }
  }

  scheduleTurn(ms) {
    this.timer = setTimeout(() => {
      this.timer = null;
      if (!this.running) return;
      this.scheduleTurn(this.binding.cfTurn(kCfTurnMs));
    }, ms);
    if (!this.referenced) this.timer.unref();
  }

  setRef(referenced) {
    this.referenced = referenced;
    if (!this.running) return;
    if (this.kind === 'glib') this.binding.glibRef(referenced);
    if (this.timer !== null) {
      if (referenced) this.timer.ref();
      else this.timer.unref();
    }
  }

  stop() {
    this.running = false;
    if (this.kind === 'glib') this.binding.glibStop();
    if (this.timer !== null) {
      clearTimeout(this.timer);
      this.timer = null;
    }
  }

  stats() {
    if (this.kind === 'glib') return this.binding.glibStats();
    return null;
  }
}

module.exports = { resolveLoop, LoopDriver, kinds };
