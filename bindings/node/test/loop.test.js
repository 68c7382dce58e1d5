'use strict';
// GLib's default context turned inside libuv: its timeouts fire, nothing
// wakes while idle, and once stopped nothing is watched and nothing holds
// the process. Needs the desktop library (it brings GLib): $AXTRACK_LIBRARY.
const test = require('node:test');
const assert = require('node:assert/strict');
const { spawnSync } = require('node:child_process');
const path = require('node:path');

const library = process.env.AXTRACK_LIBRARY;
const skip = process.platform !== 'linux' || !library ? 'needs Linux and $AXTRACK_LIBRARY' : false;
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

test('GLib timeouts fire inside libuv, never early, and idle costs no turns', { skip }, async () => {
  const { binding } = require('../lib/native');
  binding.open(library);
  assert.equal(binding.glibPresent(), true);
  binding.glibStart(true);
  try {
    for (const ms of [0, 10, 50]) {
      const late = await new Promise((resolve) => binding.probeGlibTimeout(ms, resolve));
      assert.ok(late >= -1, `a ${ms} ms timeout fired ${-late} ms early`);
    }
    const before = binding.glibStats().wakeups;
    await pause(300);
    // The pause's own timer wakes libuv once; GLib is turned then, and not
    // again for nothing.
    assert.ok(binding.glibStats().wakeups - before <= 3, 'GLib turned while idle');
  } finally {
    binding.glibStop();
  }
  assert.equal(binding.glibStats(), null);
});

// A child that watches GLib's context, referenced or not, and stops from a
// timer that holds nothing: it prints "stopped" only if the watch kept it
// alive until then.
function child(referenced) {
  const script = `
    const { binding } = require(${JSON.stringify(path.join(__dirname, '..', 'lib', 'native'))});
    binding.open(${JSON.stringify(library)});
    binding.glibStart(${referenced});
    setTimeout(() => { binding.glibStop(); console.log('stopped'); }, 200).unref();`;
  return spawnSync(process.execPath, ['-e', script], { encoding: 'utf8', timeout: 60000 });
}

test('a referenced watch keeps Node alive until stopped; an unreferenced one does not', { skip }, () => {
  const held = child(true);
  assert.equal(held.status, 0, held.stderr);
  assert.equal(held.stdout.trim(), 'stopped');
  const free = child(false);
  assert.equal(free.status, 0, free.stderr);
  assert.equal(free.stdout.trim(), '');
});
