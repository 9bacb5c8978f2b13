// The page's worker: the same core, without a document of its own.
import { loadCore } from './core.js';
import { FIT_HELPER, fitPeers } from './fit-peers.js';

// The page's first worker runs a fit first, so that the engine has optimised
// the fit's code before the user's first fit (see warmUpFit in the core).
// The workers that share fits with it later do not: the browser shares a
// module's optimised code between its workers (in Chromium a helper's first
// fit ran as fast as the warm worker's next).
const corePromise = loadCore().then((core) => {
  if (self.name !== FIT_HELPER) core.warmUpFit();
  return core;
});

// Progress of a request, told every quarter of a second from its start:
// each report repaints the page, and on a machine of two cores that
// processor time comes out of the workers' (a fit of a tenth of a second
// shows none, its start and end alone).
const kProgressEveryMs = 250;
function progressOf(id) {
  let last = performance.now();
  return (value) => {
    const now = performance.now();
    if (now - last < kProgressEveryMs && value < 1) return;
    last = now;
    self.postMessage({ id, type: 'progress', value });
  };
}

// One request at a time: a shared fit waits for the other workers' messages
// in the middle of the core's work, and nothing else may enter it meanwhile.
// A shared fit is cancelled by message, not by ending the workers, so that
// they stay warm: a fit that has begun stops at its next exchange, one still
// queued does not begin.
let queue = Promise.resolve();
let running = null;
const cancelled = new Set();
self.addEventListener('message', ({ data }) => {
  if (data.type === 'cancel') {
    cancelled.add(data.id);
    if (running?.id === data.id) running.peers.fail();
    return;
  }
  queue = queue.then(() => (cancelled.delete(data.id) ? undefined : handle(data)));
});

// The fit as party `party` of `parties` workers that share it (see fit-peers.js).
async function sharedFit(core, data, progress) {
  core.fitPeers = fitPeers(data.ports);
  running = { id: data.id, peers: core.fitPeers };
  try {
    const refused = core.prepareSharedFit(data.input, data.form, data.circuit, progress, data.party, data.parties);
    if (refused) return refused;
    return await core.ccall('tessera_run_prepared_fit', 'string', [], [], { async: true });
  } finally {
    running = null;
    core.fitPeers.close();
  }
}

async function handle(data) {
  const core = await corePromise;
  try {
    if (data.type === 'read') {
      const reading = core.readMeasurement(data.name, data.bytes);
      self.postMessage({ id: data.id, type: 'done', result: reading }, [reading.values.buffer]);
    } else if (data.type === 'tolerance') {
      const result = core.runTolerance(data.input, data.form, data.circuit, progressOf(data.id));
      self.postMessage({ id: data.id, type: 'done', result });
    } else if (data.type === 'fit') {
      const progress = data.party > 0 ? () => {} : progressOf(data.id);
      const started = performance.now();
      const result = data.parties > 1 ? await sharedFit(core, data, progress)
                                      : core.runFit(data.input, data.form, data.circuit, progress);
      self.postMessage({ id: data.id, type: 'done', result, ms: performance.now() - started });
    }
  } catch (error) {
    self.postMessage({ id: data.id, type: 'error', message: String(error?.message ?? error) });
  }
}
