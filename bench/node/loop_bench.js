'use strict';
// GLib's default context inside libuv, measured: the CPU time and GLib
// turns of an idle process, and how late GLib timeouts fire.
//   AXTRACK_LIBRARY=build/bin/libaxtrack.so.0 node bench/node/loop_bench.js [IDLE_SECONDS] [SAMPLES]
const { binding } = require('../../bindings/node/lib/native');

const idleSeconds = Number(process.argv[2] || 10);
const samples = Number(process.argv[3] || 50);

async function main() {
  binding.open(process.env.AXTRACK_LIBRARY);
  binding.glibStart(true);
  const cpu0 = process.cpuUsage();
  const turns0 = binding.glibStats().wakeups;
  await new Promise((resolve) => setTimeout(resolve, idleSeconds * 1000));
  const cpu = process.cpuUsage(cpu0);
  const turns = binding.glibStats().wakeups - turns0;
  console.log(`idle ${idleSeconds} s: ${turns} GLib turns, ${((cpu.user + cpu.system) / 1000).toFixed(2)} ms CPU`);
  for (const ms of [10, 100]) {
    const late = [];
    for (let i = 0; i < samples; i++) late.push(await new Promise((r) => binding.probeGlibTimeout(ms, r)));
    late.sort((a, b) => a - b);
    const q = (p) => late[Math.min(late.length - 1, Math.floor(p * late.length))].toFixed(3);
    console.log(`${ms} ms GLib timeout, ${samples} samples: late by median ${q(0.5)} ms, p90 ${q(0.9)} ms, max ${q(1)} ms`);
  }
  binding.glibStop();
}
main();
