import type { TrackerOptions } from './index';

export declare const trackerOptions: TrackerOptions;
export declare function load(scenarioPath: string): void;
export declare function runUntil(seconds: number): void;
export declare function runUntilIdle(): number;
export declare function now(): number;
export declare function window(id: string): Buffer | null;
export declare function text(elementId: string): string | null;
export declare function pasteboard(): Array<Record<string, string>>;
export declare function frontmost(): number;
