'use strict';
// Loading: a missing file, a file that isn't the library, and a Worker are
// each refused with a message that says which.
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { Worker } = require('node:worker_threads');
const { Tracker } = require('..');
const kit = require('../kit');

test('a library path that does not exist names the file', () => {
  assert.throws(() => new Tracker({ library: '/nonexistent/libaxtrack.so.0' }),
    (error) => error.code === 'AXTRACK_LOAD_FAILED' && /nonexistent\/libaxtrack\.so\.0/.test(error.message));
});

test('a library without the entry points names the first symbol missing', () => {
  const notTheLibrary = path.join(path.dirname(kit.trackerOptions.library), 'libaxtrack-kit.so');
  assert.throws(() => new Tracker({ library: notTheLibrary }),
    (error) => error.code === 'AXTRACK_LOAD_FAILED' && /no symbol 'initMacAccessibility'/.test(error.message));
});

test('options are checked', () => {
  assert.throws(() => new Tracker({ library: '' }), TypeError);
  assert.throws(() => new Tracker({ ...kit.trackerOptions, loop: 'qt' }), TypeError);
  assert.throws(() => new Tracker(null), TypeError);
});

test('a second library in the same process is refused', () => {
  new Tracker(kit.trackerOptions);
  const other = path.join(path.dirname(kit.trackerOptions.library), 'libaxtrack.so.0');
  assert.throws(() => new Tracker({ library: other }), /another axtrack library is loaded/);
});

test('a Worker gets a clear error', async () => {
  const worker = new Worker(`
    const { parentPort } = require('node:worker_threads');
    try { new (require(${JSON.stringify(path.join(__dirname, '..'))}).Tracker)(); parentPort.postMessage('made'); }
    catch (error) { parentPort.postMessage(error.code + ': ' + error.message); }`, { eval: true });
  const [message] = await new Promise((resolve) => worker.once('message', (m) => resolve([m])));
  assert.match(message, /^AXTRACK_NOT_MAIN_THREAD: .*main thread/);
});
