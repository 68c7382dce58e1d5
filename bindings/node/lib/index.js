'use strict';
// axtrack for Node and Electron: follows the user's focus and selection in
// other applications and reports each change as an event.
const { EventEmitter } = require('node:events');
const { isMainThread } = require('node:worker_threads');
const native = require('./native');
const { openLibrary } = require('./library_path');
const { eventName, eventData, eventNames } = require('./events');
const { resolveLoop, LoopDriver } = require('./loop');

// The library's state is the process's: one tracker tracks at a time.
let tracking = null;

function failure(code, message) {
  const error = new Error(`axtrack: ${message}`);
  error.code = code;
  return error;
}

// A listener's exception is caught before it can reach the library's
// frames and thrown again once the library has returned, from an immediate
// of its own: it becomes an ordinary uncaught exception.
function rethrowLater(error) {
  setImmediate(() => {
    throw error;
  });
}

class Tracker extends EventEmitter {
  constructor(options = {}) {
    super();
    if (!isMainThread) {
      throw failure('AXTRACK_NOT_MAIN_THREAD',
        'the library works on the main thread\'s loop only; create the Tracker on the main thread, not in a Worker');
    }
    if (options === null || typeof options !== 'object') throw new TypeError('options is an object');
    this._binding = native.binding;
    this.libraryPath = openLibrary(this._binding, options.library);
    this.loop = resolveLoop(options.loop, this._binding);
    this._referenced = options.ref !== false;
    this._driver = null;
  }

  get tracking() {
    return tracking === this;
  }

  start(config = {}) {
    const text = typeof config === 'string' ? config : JSON.stringify(config);
    if (typeof text !== 'string' || config === null || (typeof config !== 'object' && typeof config !== 'string')) {
      throw new TypeError('the configuration is an object (bundle identifier to blocked field) or its JSON text');
    }
    if (tracking !== null && tracking !== this) throw failure('AXTRACK_BUSY', 'another Tracker is tracking; stop it first');
    this._binding.begin(
      (notification, json) => this._deliver(notification, json),
      rethrowLater);
    this._binding.start(text);
    tracking = this;
    if (this._driver === null && this.loop !== 'none') {
      this._driver = new LoopDriver(this._binding, this.loop);
      this._driver.start(this._referenced);
    }
    return this;
  }

  stop() {
    if (tracking !== this) return this;
    if (this._driver !== null) {
      this._driver.stop();
      this._driver = null;
    }
    this._binding.end();
    tracking = null;
    return this;
  }

  _deliver(notification, json) {
    const name = eventName(notification);
    const data = eventData(json);
    // 'event' first: a listener that logs everything sees each event before
    // a specific listener acts on it (a paste moves time on).
    try {
      this.emit('event', { name, notification, json, data });
    } catch (error) {
      rethrowLater(error);
    }
    try {
      this.emit(name, data, { notification, json });
    } catch (error) {
      rethrowLater(error);
    }
  }

  _requireTracking() {
    if (tracking !== this) throw failure('AXTRACK_NOT_STARTED', 'not tracking: call start() first');
  }

  // Pastes `text` over the selection in the tracked application and puts
  // the user's clipboard back. The paste holds the main thread (about 1.2 s
  // on a real desktop): nothing else runs on it meanwhile.
  async setText(text) {
    if (typeof text !== 'string') throw new TypeError('the text is a string');
    this._requireTracking();
    this._binding.setText(text);
  }

  focusPrevious() {
    this._requireTracking();
    this._binding.focusPrevious();
  }

  // `handle`: what Electron's BrowserWindow.getNativeWindowHandle() gives
  // (an X11 window id on Linux, an NSView * on macOS, whose window is
  // handed on), or a BigInt or number. With { nsWindow: true } a macOS
  // handle is taken as the NSWindow * itself.
  addMouseTracker(handle, options = {}) {
    this._requireTracking();
    const fromView = process.platform === 'darwin' && options.nsWindow !== true;
    this._binding.addMouseTracker(handle, fromView);
  }

  isTrusted() {
    return this._binding.isTrusted();
  }

  // As isTrusted(), asking the system to show its permission prompt.
  requestTrust() {
    return this._binding.promptTrust();
  }

  // Whether tracking keeps the Node process alive (it does by default).
  ref() {
    this._referenced = true;
    if (this._driver !== null) this._driver.setRef(true);
    return this;
  }

  unref() {
    this._referenced = false;
    if (this._driver !== null) this._driver.setRef(false);
    return this;
  }

  // The loop's counters (GLib's turns and the descriptors watched); null
  // when the addon turns no loop.
  loopStats() {
    return this._driver === null ? null : this._driver.stats();
  }
}

module.exports = { Tracker, eventNames };
