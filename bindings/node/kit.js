'use strict';
// require('axtrack/kit') without an exports map (older resolvers, relative paths).
module.exports = require('./lib/kit');
