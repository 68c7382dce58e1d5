'use strict';
// The library's notifications as JavaScript events: each name in camelCase
// (the library's own "error" becomes 'trackerError', so that it never turns
// into EventEmitter's 'error', which throws when nobody listens), and the
// JSON's keys in camelCase too.

const eventNames = Object.freeze({
  app_changed: 'appChanged',
  focused_changed: 'focusChanged',
  caret: 'caret',
  text_select: 'textSelected',
  ui_reized: 'uiResized',
  alt_enter_pressed: 'altEnterPressed',
  error: 'trackerError',
  mouse_hoverd: 'mouseHovered',
});

function camel(name) {
  return name.replace(/_([a-z0-9])/g, (_, c) => c.toUpperCase());
}

function eventName(notification) {
  if (Object.hasOwn(eventNames, notification)) return eventNames[notification];
  const name = camel(notification);
  return name === 'error' || name === 'event' ? `tracker${name[0].toUpperCase()}${name.slice(1)}` : name;
}

function camelKeys(value) {
  if (Array.isArray(value)) return value.map(camelKeys);
  if (value === null || typeof value !== 'object') return value;
  const out = {};
  for (const [key, v] of Object.entries(value)) out[camel(key)] = camelKeys(v);
  return out;
}

// The data of a notification: its JSON parsed, keys in camelCase; a text
// that isn't JSON gives {}, the raw text staying available.
function eventData(json) {
  try {
    return camelKeys(JSON.parse(json));
  } catch {
    return {};
  }
}

module.exports = { eventNames, eventName, eventData, camelKeys };
