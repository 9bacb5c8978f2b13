// The page's worker: the same core, without a document of its own.
import { loadCore } from './core.js';

// The worker runs a small fit first, so that the engine has optimised the
// fit's code before the user's first fit (see warmUpFit in the core).
const corePromise = loadCore().then((core) => {
  core.warmUpFit();
  return core;
});

// Progress of a request, told at most every 40 ms.
function progressOf(id) {
  let last = 0;
  return (value) => {
    const now = performance.now();
    if (now - last < 40 && value < 1) return;
    last = now;
    self.postMessage({ id, type: 'progress', value });
  };
}

self.addEventListener('message', async ({ data }) => {
  const core = await corePromise;
  try {
    if (data.type === 'read') {
      const reading = core.readMeasurement(data.name, data.bytes);
      self.postMessage({ id: data.id, type: 'done', result: reading }, [reading.values.buffer]);
    } else if (data.type === 'tolerance') {
      const result = core.runTolerance(data.input, data.form, data.circuit, progressOf(data.id));
      self.postMessage({ id: data.id, type: 'done', result });
    } else if (data.type === 'fit') {
      const progress = progressOf(data.id);
      const started = performance.now();
      const result = core.runFit(data.input, data.form, data.circuit, progress);
      self.postMessage({ id: data.id, type: 'done', result, ms: performance.now() - started });
    }
  } catch (error) {
    self.postMessage({ id: data.id, type: 'error', message: String(error?.message ?? error) });
  }
});
