// The little of Electron's API the example uses, so that it type-checks
// where Electron can't be installed.
declare module 'electron' {
  import { EventEmitter } from 'node:events';
  export class BrowserWindow extends EventEmitter {
    constructor(options?: { width?: number; height?: number });
    getNativeWindowHandle(): Buffer;
    webContents: { send(channel: string, ...args: unknown[]): void };
  }
  export const app: EventEmitter & { whenReady(): Promise<void> };
}
