// Node's own types, where @types/node isn't installed: only what the
// package's declarations and the example use.
declare module 'node:events' {
  export class EventEmitter {
    on(event: string | symbol, listener: (...args: any[]) => void): this;
    once(event: string | symbol, listener: (...args: any[]) => void): this;
    off(event: string | symbol, listener: (...args: any[]) => void): this;
    emit(event: string | symbol, ...args: any[]): boolean;
  }
}
interface Buffer extends Uint8Array {}
declare const console: { warn(...args: unknown[]): void; log(...args: unknown[]): void };
