'use strict';
// The package on the simulated desktop: every event's name, data and
// virtual time as a Node host receives them, and the host's calls. All of
// it in one process, one scenario after another, as a host's suite plays
// them.
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('node:path');
const { Tracker } = require('..');
const kit = require('../kit');

const here = (name) => path.join(__dirname, 'scenarios', name);
const selection = path.join(__dirname, '..', '..', '..', 'examples', 'kit-host', 'selection.json');

const tracker = new Tracker(kit.trackerOptions);
const scribe = { bundleId: 'com.example.scribe', name: 'Scribe' };

// Plays `file` to `until` seconds and returns [time, name, data, raw] of
// each event.
function play(file, until, config = {}, during) {
  const seen = [];
  const listener = (event) => seen.push([Number(kit.now().toFixed(3)), event.name, event.data, event]);
  tracker.on('event', listener);
  try {
    kit.load(file);
    tracker.start(config);
    if (during) during(seen);
    kit.runUntil(until);
  } finally {
    tracker.off('event', listener);
  }
  return seen;
}

test('a selection: each event, its camelCase data and its time; the raw name and JSON beside them', () => {
  const seen = play(selection, 3.0);
  assert.deepEqual(seen.map(([t, name, data]) => [t, name, data]), [
    [1.18, 'appChanged', { ...scribe, role: 'AXApplication' }],
    [1.68, 'focusChanged', scribe],
    [2.18, 'textSelected', { ...scribe, isEditable: true, position: { x: 100, y: 200 }, selectedText: 'Grüße',
      size: { height: 16, width: 40 } }],
  ]);
  const raw = seen[2][3];
  assert.equal(raw.notification, 'text_select');
  assert.equal(JSON.parse(raw.json).selected_text, 'Grüße');
});

test('the specific events receive the data and the raw notification', () => {
  let got;
  tracker.once('textSelected', (data, raw) => { got = { data, raw }; });
  play(selection, 3.0);
  assert.equal(got.data.selectedText, 'Grüße');
  assert.deepEqual(Object.keys(got.raw), ['notification', 'json']);
  assert.equal(got.raw.notification, 'text_select');
});

test('any number of scenarios in one process, with and without stop() between', () => {
  for (let round = 0; round < 5; round++) {
    if (round >= 3) tracker.stop();
    const names = play(selection, 3.0).map(([, name]) => name);
    assert.deepEqual(names, ['appChanged', 'focusChanged', 'textSelected'], `scenario ${round + 1}`);
  }
});

test('setText replaces the selection, puts the whole clipboard back and resolves', async () => {
  play(here('clipboard.json'), 2.5);
  const before = kit.pasteboard();
  assert.equal(before.length, 2);
  const done = tracker.setText('2');
  kit.runUntilIdle();
  await done;
  assert.equal(kit.text('notes'), 'one 2 three');
  assert.deepEqual(kit.pasteboard(), before);
});

test('hover, a moved window, a caret and Alt+Return, in order and on time', () => {
  const seen = play(here('clipboard.json'), 8.0, {}, () => {
    tracker.addMouseTracker(kit.window('editor'));
  });
  const after = seen.filter(([t]) => t > 2.5).map(([t, name, data]) => [t, name, data]);
  const search = { ...scribe, isEditable: true, selectedText: 'query', position: { x: 100, y: 50 },
    size: { height: 16, width: 40 } };
  assert.deepEqual(after.slice(0, 4), [
    [3.18, 'mouseHovered', {}],
    [4.18, 'focusChanged', scribe],
    [4.68, 'textSelected', search],
    [5.18, 'uiResized', search],
  ]);
  assert.deepEqual(after.slice(4).map(([t, name]) => [t, name]),
    [[5.68, 'focusChanged'], [6.18, 'caret'], [6.68, 'altEnterPressed']]);
  // Alt+Return at a caret: the text before it, and the caret's rectangle.
  const { selectedText, position, size } = after[6][2];
  assert.deepEqual({ selectedText, position, size }, { selectedText: '', position: { x: 100, y: 200 },
    size: { height: 16, width: 8 } });
  assert.equal(tracker.listenerCount('error'), 0);
});

test('a blocked field reports no selection', () => {
  const names = play(selection, 3.0, { 'com.example.scribe': { name: 'AXRole', value: 'AXTextArea' } })
    .map(([, name]) => name);
  assert.ok(!names.includes('textSelected'), names.join());
  assert.ok(names.includes('appChanged'));
});

test('bad configurations and handles are refused before they reach the library', () => {
  play(selection, 0.5);
  assert.throws(() => tracker.start(42), TypeError);
  assert.throws(() => tracker.start(null), TypeError);
  assert.throws(() => tracker.addMouseTracker('window'), TypeError);
  assert.throws(() => tracker.addMouseTracker(Buffer.alloc(3)), TypeError);
  assert.throws(() => tracker.addMouseTracker(Buffer.alloc(8)), RangeError);
  assert.throws(() => tracker.addMouseTracker(0), RangeError);
  assert.throws(() => tracker.addMouseTracker(-1), RangeError);
  assert.throws(() => tracker.addMouseTracker(1.5), RangeError);
  assert.throws(() => tracker.addMouseTracker(-1n), RangeError);
  assert.equal(kit.window('no such window'), null);
  return assert.rejects(tracker.setText(7), TypeError);
});

test('calls out of order: after stop() they say so', async () => {
  play(selection, 0.5);
  tracker.stop();
  assert.equal(tracker.tracking, false);
  await assert.rejects(tracker.setText('x'), { code: 'AXTRACK_NOT_STARTED' });
  assert.throws(() => tracker.focusPrevious(), { code: 'AXTRACK_NOT_STARTED' });
  assert.throws(() => tracker.addMouseTracker(1), { code: 'AXTRACK_NOT_STARTED' });
  assert.equal(typeof tracker.isTrusted(), 'boolean');
  const other = new Tracker(kit.trackerOptions).start({});
  assert.throws(() => tracker.start({}), { code: 'AXTRACK_BUSY' });
  other.stop();
});

test('a listener that throws: the library goes on, the exception comes after as uncaught', async () => {
  const thrown = new Error('listener fault');
  // The test runner's own handler would count it as this test's failure.
  const runners = process.listeners('uncaughtException');
  process.removeAllListeners('uncaughtException');
  const caught = new Promise((resolve) => process.once('uncaughtException', resolve))
    .finally(() => runners.forEach((l) => process.on('uncaughtException', l)));
  let after = 0;
  const faulty = () => { throw thrown; };
  tracker.on('appChanged', faulty);
  tracker.on('event', () => { after++; });
  const names = play(selection, 3.0).map(([, name]) => name);
  tracker.off('appChanged', faulty);
  tracker.removeAllListeners('event');
  assert.deepEqual(names, ['appChanged', 'focusChanged', 'textSelected']);
  assert.equal(after, 3, "the 'event' listeners still heard every event");
  assert.equal(await caught, thrown);
});

test('the library\'s "error" notification is never EventEmitter\'s error', async () => {
  const { eventName } = require('../lib/events');
  assert.equal(eventName('error'), 'trackerError');
  assert.notEqual(eventName('some_error'), 'error');
  assert.notEqual(eventName('event'), 'event');
});

test.after(() => tracker.stop());
