// Electron's main process: the loop runs already (GLib's default context on
// Linux, Cocoa's on macOS), so the Tracker turns none of its own ('auto').
import { app, BrowserWindow } from 'electron';
import { Tracker } from 'axtrack';

app.whenReady().then(() => {
  const window = new BrowserWindow({ width: 420, height: 300 });
  const tracker = new Tracker();
  tracker.on('textSelected', (selection) => {
    if ('selectedText' in selection) window.webContents.send('selection', selection.selectedText);
  });
  tracker.on('mouseHovered', () => window.webContents.send('hovered'));
  tracker.on('trackerError', ({ message }) => console.warn('axtrack:', message));
  tracker.start({});
  // An X11 window id on Linux, an NSView * on macOS (its window is used).
  window.once('ready-to-show', () => tracker.addMouseTracker(window.getNativeWindowHandle()));
  app.on('will-quit', () => tracker.stop());
});
