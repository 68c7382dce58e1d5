'use strict';
// The kit for a Node host's own tests: a simulated desktop laid out from a
// scenario file (docs/scenarios.md), the user played on it in virtual time.
//
//   const kit = require('axtrack/kit');
//   kit.load('selection.json');
//   const tracker = new Tracker(kit.trackerOptions).start({});
//   kit.runUntil(3.0);                     // events are emitted here
//
// Time moves only in the run functions. One desktop per process; any number
// of scenarios, one after another.
const path = require('node:path');
const fs = require('node:fs');
const native = require('./native');

const kitDir = path.join(native.platformDir, 'kit');

function files(dir) {
  return {
    library: path.join(dir, 'libaxtrack-simdesk.so'),
    kit: path.join(dir, 'libaxtrack-kit.so'),
  };
}

// The kit's files: $AXTRACK_KIT_DIR (a build's bin folder), else the
// package's own.
function kitFiles() {
  return files(process.env.AXTRACK_KIT_DIR || kitDir);
}

let opened = false;
function binding() {
  const b = native.binding;
  if (!opened) {
    const { kit } = kitFiles();
    if (!fs.existsSync(kit)) {
      const error = new Error(`axtrack: the kit is not here (${kit}); it ships for linux-x64`);
      error.code = 'AXTRACK_LOAD_FAILED';
      throw error;
    }
    b.kitOpen(kit);
    opened = true;
  }
  return b;
}

module.exports = {
  // Options for new Tracker(): the simulated library, no loop of the
  // addon's (the run functions turn the simulated one).
  get trackerOptions() {
    binding();
    return { library: kitFiles().library, loop: 'none' };
  },
  load(scenarioPath) {
    binding().kitLoad(scenarioPath);
  },
  runUntil(seconds) {
    binding().kitRunUntil(seconds);
  },
  runUntilIdle() {
    return binding().kitRunUntilIdle();
  },
  now() {
    return binding().kitNow();
  },
  window(id) {
    return binding().kitWindow(id);
  },
  text(elementId) {
    return binding().kitText(elementId);
  },
  pasteboard() {
    return JSON.parse(binding().kitPasteboard());
  },
  frontmost() {
    return binding().kitFrontmost();
  },
};
