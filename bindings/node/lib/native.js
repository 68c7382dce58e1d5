'use strict';
// The addon: the package's prebuilt one for this platform, else the one
// `node-gyp rebuild` left in build/Release.
const path = require('node:path');
const fs = require('node:fs');

const root = path.join(__dirname, '..');
const platformDir = path.join(root, 'prebuilds', `${process.platform}-${process.arch}`);

function load() {
  const candidates = [
    path.join(platformDir, 'axtrack.node'),
    path.join(root, 'build', 'Release', 'axtrack.node'),
  ];
  const tried = [];
  for (const file of candidates) {
    if (!fs.existsSync(file)) {
      tried.push(`${file}: no such file`);
      continue;
    }
    try {
      return require(file);
    } catch (error) {
      tried.push(`${file}: ${error.message}`);
    }
  }
  const error = new Error(
    `axtrack: no addon for ${process.platform}-${process.arch} could be loaded:\n  ${tried.join('\n  ')}`);
  error.code = 'AXTRACK_LOAD_FAILED';
  throw error;
}

let binding;
module.exports = {
  platformDir,
  get binding() {
    if (binding === undefined) binding = load();
    return binding;
  },
};
