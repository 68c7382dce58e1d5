'use strict';
// A plain Node host: prints every event and replaces the first selection it
// is told about with the same text in capitals.
//
//   node host.js                    the real desktop (Linux: an X11 session
//                                   with the accessibility bus)
//   node host.js --kit SCENARIO     the simulated desktop of a scenario file
const { Tracker } = require('axtrack');

const kitScenario = process.argv[2] === '--kit' ? process.argv[3] : null;
const kit = kitScenario ? require('axtrack/kit') : null;
const tracker = new Tracker(kit ? kit.trackerOptions : {});
const stamp = () => (kit ? kit.now().toFixed(3) : new Date().toISOString());
let replaced = false;

tracker.on('event', ({ name, data }) => console.log(`${stamp()} ${name} ${JSON.stringify(data)}`));
tracker.on('textSelected', (selection) => {
  if (replaced || !selection.isEditable || !selection.selectedText) return;
  replaced = true;
  tracker.setText(selection.selectedText.toUpperCase()).then(() => {
    console.log(`${stamp()} replaced ${JSON.stringify(selection.selectedText)}`);
    if (!kit) tracker.stop();
  });
});

console.log(`trusted: ${tracker.isTrusted()}, library ${tracker.libraryPath}, loop ${tracker.loop}`);
if (kit) kit.load(kitScenario);
tracker.start({});
if (kit) {
  kit.runUntilIdle();
  console.log(`text ${kit.text('notes')}`);
  console.log(`pasteboard ${JSON.stringify(kit.pasteboard())}`);
  tracker.stop();
}
