// The fit in the WebAssembly module against the native tessera-design, on
// the case the page's browser test fits (its room measurement, band
// 40:16000, E12). Prints the module's processor time beside the native
// command's: on one core (taskset -c 0, so its parts searches share one
// processor) and with the threads it chooses itself (wall and processor
// time). The module runs in this process, single-threaded as in the page's
// worker; each figure is the least of several runs, the floor of a noisy
// machine.
//   node bench/web/fit_module_against_native.mjs [WEB_DIR [NATIVE [RUNS]]]
import { execFileSync, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { roomFrd } from '../../web/page/tests/room_measurement.mjs';

const root = path.join(path.dirname(new URL(import.meta.url).pathname), '../..');
const webDir = path.resolve(process.argv[2] ?? path.join(root, 'build/web'));
const native = path.resolve(process.argv[3] ?? path.join(root, 'build/release/cli/tessera-design'));
const runs = Number(process.argv[4] ?? 7);

const measurement = roomFrd();
const args = ['fit', 'room.frd', '--band', '40:16000', '--series', 'E12'];
const least = (values) => Math.min(...values);

const { default: createTessera } = await import(path.join(webDir, 'tessera-core.mjs'));
const tessera = await createTessera();
const moduleCpu = [];
let moduleOut;
for (let i = 0; i < runs; ++i) {
  const before = process.cpuUsage();
  const run = tessera.runCommand(args, { 'room.frd': measurement });
  const used = process.cpuUsage(before);
  if (run.status !== 0) throw new Error(run.stderr);
  moduleOut = run.stdout;
  moduleCpu.push((used.user + used.system) / 1000);
}

// The first fit of a fresh module (a new process), as a page's first fit in
// its worker: its code starts in the engine's baseline tier. With
// `warmUpFit` first, as the page's worker does when it starts.
function firstFit(warmUp) {
  const script = `
    const { default: createTessera } = await import(${JSON.stringify(path.join(webDir, 'tessera-core.mjs'))});
    const { roomFrd } = await import(${JSON.stringify(path.join(root, 'web/page/tests/room_measurement.mjs'))});
    const t = await createTessera();
    ${warmUp ? 't.warmUpFit();' : ''}
    const started = performance.now();
    t.runCommand(${JSON.stringify(args)}, { 'room.frd': roomFrd() });
    console.log(performance.now() - started);`;
  return Number(execFileSync(process.execPath, ['--input-type=module', '-e', script]).toString());
}
const firstCold = [], firstWarmed = [];
for (let i = 0; i < runs; ++i) {
  firstCold.push(firstFit(false));
  firstWarmed.push(firstFit(true));
}

// bash's `times` gives the processor time of the command's children.
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tessera-bench-fit-'));
fs.writeFileSync(path.join(folder, 'room.frd'), measurement);
function nativeRun(prefix) {
  const started = process.hrtime.bigint();
  const times = execFileSync('bash', ['-c', '"$@" > /dev/null; times', 'bash', ...prefix, native, ...args], { cwd: folder })
    .toString().trim().split('\n').pop().match(/(\d+)m([\d.]+)s (\d+)m([\d.]+)s/);
  const wall = Number(process.hrtime.bigint() - started) / 1e6;
  const cpu = 1000 * (60 * times[1] + Number(times[2]) + 60 * times[3] + Number(times[4]));
  return { wall, cpu };
}
const oneCore = [], ownThreads = [];
for (let i = 0; i < runs; ++i) {
  oneCore.push(nativeRun(['taskset', '-c', '0']));
  ownThreads.push(nativeRun([]));
}
const nativeOut = spawnSync(native, args, { cwd: folder, encoding: 'utf8' }).stdout;
fs.rmSync(folder, { recursive: true, force: true });

const module = least(moduleCpu);
const one = least(oneCore.map((r) => r.cpu));
const ownWall = least(ownThreads.map((r) => r.wall));
const ownCpu = least(ownThreads.map((r) => r.cpu));
const ratio = (a, b) => (a / b).toFixed(2);
console.log(`fit ${args.slice(1).join(' ')} (least of ${runs} runs)`);
console.log(`  module under Node, one thread:   ${module.toFixed(1)} ms processor`);
console.log(`  native on one core:              ${one.toFixed(1)} ms processor   module ${ratio(module, one)}x`);
console.log(`  native, its own threads (${os.cpus().length} cores): ${ownWall.toFixed(1)} ms wall, ${ownCpu.toFixed(1)} ms processor   module ${ratio(module, ownWall)}x the wall time`);
console.log(`  the first fit of a fresh module: ${least(firstCold).toFixed(1)} ms wall; after warmUpFit: ${least(firstWarmed).toFixed(1)} ms wall (${ratio(least(firstWarmed), ownWall)}x the native wall time)`);
console.log(`  same printed answer: ${moduleOut === nativeOut ? 'yes' : 'NO'}`);
