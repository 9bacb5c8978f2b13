// The page's worker: the same core, without a document of its own.
import { loadCore } from './core.js';

const corePromise = loadCore();

self.addEventListener('message', async ({ data }) => {
  const core = await corePromise;
  try {
    if (data.type === 'read') {
      const reading = core.readMeasurement(data.name, data.bytes);
      self.postMessage({ id: data.id, type: 'done', result: reading }, [reading.values.buffer]);
    } else if (data.type === 'fit') {
      let last = 0;
      const progress = (value) => {
        const now = performance.now();
        if (now - last < 40 && value < 1) return;
        last = now;
        self.postMessage({ id: data.id, type: 'progress', value });
      };
      const started = performance.now();
      const result = core.runFit(data.input, data.form, data.circuit, progress);
      self.postMessage({ id: data.id, type: 'done', result, ms: performance.now() - started });
    }
  } catch (error) {
    self.postMessage({ id: data.id, type: 'error', message: String(error?.message ?? error) });
  }
});
