// The page's worker: the fit and the reading of measurement files run there,
// so the page never waits for them. Cancel ends the worker; the next request
// starts a fresh one (nothing in the document has changed meanwhile).
import { FIT_HELPER } from './fit-peers.js';

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

// The workers that share a fit with the first, one per further core (at
// most four in all), started when the fit panel opens so that they have
// loaded the core by the first fit. A helper's failure ends the fit it
// shares, as Cancel does, with its message.
const helpers = [];
const fitParties = () => Math.max(1, Math.min(navigator.hardwareConcurrency || 1, 4));

export function startFitHelpers() {
  while (helpers.length < fitParties() - 1) {
    const helper = new Worker(new URL('./worker.js', import.meta.url), { type: 'module', name: FIT_HELPER });
    const failed = (message) => {
      failAll(message);
      cancelWork();
    };
    helper.addEventListener('message', ({ data }) => {
      if (data.type === 'error') failed(data.message);
    });
    helper.addEventListener('error', (event) => failed(event.message || 'The worker stopped.'));
    helpers.push(helper);
  }
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
// Shared by the helpers where there are any: every pair of workers gets a
// channel of its own for this fit.
export function runFit(input, form, circuit, progress) {
  startFitHelpers();
  const team = [ensureWorker(), ...helpers];
  const parties = team.length;
  const ports = team.map(() => new Array(parties).fill(null));
  for (let a = 0; a < parties; ++a)
    for (let b = a + 1; b < parties; ++b) {
      const channel = new MessageChannel();
      ports[a][b] = channel.port1;
      ports[b][a] = channel.port2;
    }
  const id = next++;
  const done = new Promise((resolve, reject) => pending.set(id, { resolve, reject, progress, team: parties > 1 ? team : null }));
  team.forEach((worker, party) => {
    const mine = ports[party];
    worker.postMessage({ id, type: 'fit', input, form, circuit, party, parties, ports: mine },
                       mine.filter(Boolean));
  });
  return done;
}

// The tolerance run's JSON text, or null when cancelled.
export function runTolerance(input, form, circuit, progress) {
  return request({ type: 'tolerance', input, form, circuit }, [], progress);
}

// Stops whatever the worker is doing; its requests end as cancelled.
export function cancelWork() {
  if (!worker) return;
  // A shared fit alone: its workers stop it themselves and stay warm.
  const jobs = [...pending.entries()];
  if (jobs.length > 0 && jobs.every(([, job]) => job.team)) {
    pending.clear();
    for (const [id, job] of jobs) {
      for (const member of job.team) member.postMessage({ type: 'cancel', id });
      job.resolve(null);
    }
    return;
  }
  worker.terminate();
  worker = null;
  const sharing = helpers.length > 0;
  for (const helper of helpers.splice(0)) helper.terminate();
  for (const { resolve } of pending.values()) resolve(null);
  pending.clear();
  // Fresh workers load the core at once, ready for the next request.
  setTimeout(() => {
    ensureWorker();
    if (sharing) startFitHelpers();
  }, 0);
}
