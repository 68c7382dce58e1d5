'use strict';
// Where the library is looked for: the path a host gives, else
// $AXTRACK_LIBRARY, else the package's own prebuilt file, else the system's
// by its soname (an installed libaxtrack).
const path = require('node:path');
const fs = require('node:fs');
const { platformDir } = require('./native');

const fileNames = {
  linux: 'libaxtrack.so.0',
  darwin: 'libaxtrack.dylib',
};

function candidates(given) {
  if (given !== undefined && given !== null) {
    if (typeof given !== 'string' || given === '') {
      throw new TypeError('options.library is the path of the axtrack library');
    }
    return [given];
  }
  if (process.env.AXTRACK_LIBRARY) return [process.env.AXTRACK_LIBRARY];
  const name = fileNames[process.platform];
  if (name === undefined) {
    const error = new Error(`axtrack: no library for ${process.platform}; Linux and macOS are supported`);
    error.code = 'AXTRACK_LOAD_FAILED';
    throw error;
  }
  const own = path.join(platformDir, name);
  return fs.existsSync(own) ? [own, name] : [name];
}

// Opens the first candidate that loads; the error names every one tried.
function openLibrary(binding, given) {
  const tried = [];
  for (const file of candidates(given)) {
    try {
      return binding.open(file);
    } catch (error) {
      tried.push(error.message);
    }
  }
  const error = new Error(`axtrack: the library could not be loaded:\n  ${tried.join('\n  ')}`);
  error.code = 'AXTRACK_LOAD_FAILED';
  throw error;
}

module.exports = { openLibrary, candidates };
