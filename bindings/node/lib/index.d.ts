import { EventEmitter } from 'node:events';

export type LoopKind = 'auto' | 'glib' | 'cfrunloop' | 'none';

export interface TrackerOptions {
  /** Path of the library; default $AXTRACK_LIBRARY, the package's own, then the soname. */
  library?: string;
  /** Which loop the addon turns; 'auto' decides as docs/node.md says. */
  loop?: LoopKind;
  /** Whether tracking keeps the process alive (default true). */
  ref?: boolean;
}

export interface Point { x: number; y: number }
export interface Size { width: number; height: number }

export interface AppInfo { bundleId: string | null; name: string | null }
export interface AppChanged extends AppInfo { role: string | null }
/** A selection: its text and rectangle, or a single message when no rectangle was found. */
export type Selection =
  | (AppInfo & { selectedText: string; isEditable: boolean; position: Point; size: Size })
  | { message: string };

/** The raw notification, as the library gave it. */
export interface RawEvent { notification: string; json: string }

export interface AnyEvent {
  name: string;
  notification: string;
  json: string;
  data: Record<string, unknown>;
}

export type BlockedFields = Record<string, { name: string; value?: unknown }>;

export interface LoopStats { wakeups: number; descriptors: number }

export declare const eventNames: Readonly<Record<string, string>>;

export interface TrackerEvents {
  appChanged: [data: AppChanged, raw: RawEvent];
  focusChanged: [data: AppInfo, raw: RawEvent];
  caret: [data: Record<string, never>, raw: RawEvent];
  textSelected: [data: Selection, raw: RawEvent];
  uiResized: [data: Selection, raw: RawEvent];
  altEnterPressed: [data: Selection | (AppInfo & { selectedText: string; position: Point; size: Size }), raw: RawEvent];
  trackerError: [data: { message: string }, raw: RawEvent];
  mouseHovered: [data: Record<string, never>, raw: RawEvent];
  event: [event: AnyEvent];
}

export declare class Tracker extends EventEmitter {
  constructor(options?: TrackerOptions);
  readonly libraryPath: string;
  readonly loop: Exclude<LoopKind, 'auto'>;
  readonly tracking: boolean;
  on<K extends keyof TrackerEvents>(event: K, listener: (...args: TrackerEvents[K]) => void): this;
  once<K extends keyof TrackerEvents>(event: K, listener: (...args: TrackerEvents[K]) => void): this;
  off<K extends keyof TrackerEvents>(event: K, listener: (...args: TrackerEvents[K]) => void): this;
  start(config?: BlockedFields | string): this;
  stop(): this;
  /** Pastes over the selection; the main thread is held while the paste runs (about 1.2 s). */
  setText(text: string): Promise<void>;
  focusPrevious(): void;
  addMouseTracker(handle: Buffer | bigint | number, options?: { nsWindow?: boolean }): void;
  isTrusted(): boolean;
  requestTrust(): boolean;
  ref(): this;
  unref(): this;
  loopStats(): LoopStats | null;
}
