// The page's worker: the fit and the reading of measurement files run there,
// so the page never waits for them. Cancel ends the worker; the next request
// starts a fresh one (nothing in the document has changed meanwhile).
let worker = null;
let next = 1;
const pending = new Map();

function failAll(message) {
  for (const { reject } of pending.values()) reject(new Error(message));
  pending.clear();
}

function ensureWorker() {
  if (worker) return worker;
  worker = new Worker(new URL('./worker.js', import.meta.url), { type: 'module' });
  worker.addEventListener('message', ({ data }) => {
    const job = pending.get(data.id);
    if (!job) return;
    if (data.type === 'progress') {
      job.progress?.(data.value);
      return;
    }
    pending.delete(data.id);
    if (data.type === 'error') job.reject(new Error(data.message));
    else job.resolve(data.ms === undefined ? data.result : { text: data.result, ms: data.ms });
  });
  worker.addEventListener('error', (event) => {
    failAll(event.message || 'The worker stopped.');
    worker = null;
  });
  return worker;
}

export function startWorker() {
  ensureWorker();
}

function request(message, transfer = [], progress = null) {
  const id = next++;
  const done = new Promise((resolve, reject) => pending.set(id, { resolve, reject, progress }));
  ensureWorker().postMessage({ id, ...message }, transfer);
  return done;
}

export function readMeasurement(name, bytes) {
  return request({ type: 'read', name, bytes }, [bytes.buffer]);
}

// The fit's JSON text and the time it took in the worker, or null when cancelled.
export function runFit(input, form, circuit, progress) {
  return request({ type: 'fit', input, form, circuit }, [], progress);
}

// The tolerance run's JSON text, or null when cancelled.
export function runTolerance(input, form, circuit, progress) {
  return request({ type: 'tolerance', input, form, circuit }, [], progress);
}

// Stops whatever the worker is doing; its requests end as cancelled.
export function cancelWork() {
  if (!worker) return;
  worker.terminate();
  worker = null;
  for (const { resolve } of pending.values()) resolve(null);
  pending.clear();
  // A fresh worker loads the core at once, ready for the next request.
  setTimeout(ensureWorker, 0);
}
