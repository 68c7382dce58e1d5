'use strict';
// The Node counterpart of axtrack-linux-host (test_host.cpp), for the tests
// of the Node package against a real application (node_desktop.sh): a plain
// Node process that loads the package from the source tree, lets the
// package turn GLib's default context inside libuv, and prints every event
// as the JavaScript listener receives it, stamped with the wall-clock time
// at that moment:
//
//   event <seconds since the epoch> <event name> <data as JSON>
//
// (the package's names and camelCase keys: textSelected, selectedText).
//
//   node node_host.js LIBRARY [--loop auto|glib] [--seconds N]
//
// Standard input takes calls, one a line: "setText TEXT". Before each it
// prints "calling NAME <time>", after it "did NAME <time before> <time
// after>". It quits after N seconds (default 60), on SIGTERM and when
// standard input ends.
const path = require('node:path');
const readline = require('node:readline');
const { Tracker } = require(path.join(__dirname, '..', '..', 'bindings', 'node'));

const args = process.argv.slice(2);
const library = args[0];
let loop = 'auto';
let seconds = 60;
for (let i = 1; i < args.length; i += 2) {
  if (args[i] === '--loop') loop = args[i + 1];
  else if (args[i] === '--seconds') seconds = Number(args[i + 1]);
  else {
    console.error(`node host: unknown argument ${args[i]}`);
    process.exit(2);
  }
}
if (!library || !(seconds > 0)) {
  console.error('usage: node node_host.js LIBRARY [--loop auto|glib] [--seconds N]');
  process.exit(2);
}

// The epoch in seconds with microseconds, as the C host stamps its events.
const now = () => ((performance.timeOrigin + performance.now()) / 1000).toFixed(6);
const print = (line) => process.stdout.write(`${line}\n`);

const tracker = new Tracker({ library, loop });
tracker.on('event', ({ name, data }) => print(`event ${now()} ${name} ${JSON.stringify(data)}`));

function quit() {
  tracker.stop();
  print('host done');
  process.exit(0);
}

readline.createInterface({ input: process.stdin }).on('line', async (line) => {
  const space = line.indexOf(' ');
  const call = space < 0 ? line : line.slice(0, space);
  if (call !== 'setText') {
    print(`host: unknown command ${line}`);
    return;
  }
  const before = now();
  print(`calling ${call} ${before}`);
  try {
    await tracker.setText(space < 0 ? '' : line.slice(space + 1));
    print(`did ${call} ${before} ${now()}`);
  } catch (error) {
    print(`failed ${call} ${before} ${error.message}`);
  }
}).on('close', quit);
process.on('SIGTERM', quit);
process.on('SIGINT', quit);
setTimeout(quit, seconds * 1000);

print(`trusted ${tracker.isTrusted()}`);
tracker.start({});
print(`host loop ${tracker.loop}, library ${tracker.libraryPath}`);
print(`host ready ${now()}`);
