// The WebAssembly core, loaded once per thread (page and worker alike).
import createTessera from './tessera-core.mjs';

let loading = null;

export function loadCore() {
  loading ??= createTessera();
  return loading;
}

// The graph windows in the core's order.
export const WINDOWS = ['Filter1', 'Filter2', 'Filter3', 'Filter4', 'Import', 'Result'];
export const ENTRY_LABELS = ['Frequency (Hz)', 'Q - Factor', 'Filter - Gain (dB)'];
