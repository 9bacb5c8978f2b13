// The WebAssembly module against the native tessera-design: the same
// arguments and input files give the same exit status, the same printed
// texts and the same written files, and the module keeps nothing between
// calls. TESSERA_WEB_DIR names the folder of tessera-core.mjs,
// TESSERA_NATIVE_DESIGN the native program.
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

const webDir = process.env.TESSERA_WEB_DIR;
const native = process.env.TESSERA_NATIVE_DESIGN;
const corpus = process.env.TESSERA_SAMPLES;
assert.ok(webDir && native && corpus, 'TESSERA_WEB_DIR, TESSERA_NATIVE_DESIGN and TESSERA_SAMPLES must be set');
assert.ok(fs.existsSync(native), `the native program ${native} is missing: build it first (./test.sh does)`);

const { default: createTessera } = await import(path.join(webDir, 'tessera-core.mjs'));
const tessera = await createTessera();

const sample = (name) => new Uint8Array(fs.readFileSync(path.join(corpus, name)));

// The module runs each command in its folder /tessera-run, which a written
// configuration names as its file's folder: the native run's own folder is
// named so in what it answers.
const moduleFolder = '/tessera-run';

// The native program in a fresh folder holding `files`, in English; every
// file it wrote (new, or an input whose bytes changed) comes back.
function runNative(args, files = {}) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'tessera-native-'));
  try {
    for (const [name, bytes] of Object.entries(files)) fs.writeFileSync(path.join(folder, name), bytes);
    const run = spawnSync(native, args, {
      cwd: folder, encoding: 'utf8', env: { ...process.env, LANG: 'C', LC_ALL: '', LC_MESSAGES: '' },
    });
    const asModule = (text) => text.split(folder).join(moduleFolder);
    const written = {};
    if (run.status === 0) {
      for (const name of fs.readdirSync(folder)) {
        const bytes = fs.readFileSync(path.join(folder, name));
        const given = files[name] === undefined ? undefined : Buffer.from(files[name]);
        if (!given || !given.equals(bytes)) written[name] = new Uint8Array(Buffer.from(asModule(bytes.toString('latin1')), 'latin1'));
      }
    }
    return { status: run.status, stdout: asModule(run.stdout), stderr: asModule(run.stderr), files: written };
  } finally {
    fs.rmSync(folder, { recursive: true, force: true });
  }
}

// Texts equal, or differing only in numbers within 1e-9 relative (a last
// bit the WebAssembly math library rounds otherwise); such a difference is
// reported, so that it is seen.
const numberPattern = /[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?/g;
function assertSameText(actual, expected, what, t) {
  if (actual === expected) return;
  const words = (text) => text.split(numberPattern);
  assert.deepEqual(words(actual), words(expected), `${what}: the texts differ beyond their numbers`);
  const a = actual.match(numberPattern) ?? [], e = expected.match(numberPattern) ?? [];
  assert.equal(a.length, e.length, `${what}: another count of numbers`);
  for (let i = 0; i < a.length; ++i) {
    const x = Number(a[i]), y = Number(e[i]);
    assert.ok(Math.abs(x - y) <= 1e-9 * Math.max(Math.abs(x), Math.abs(y)), `${what}: ${a[i]} against ${e[i]}`);
  }
  const differing = a.map((x, i) => [x, e[i]]).filter(([x, y]) => x !== y).slice(0, 3);
  t.diagnostic(`${what}: numbers differ in a last digit (within 1e-9): ${differing.map((p) => p.join(' against ')).join(', ')}`);
}

// Runs both and compares everything they answer.
function assertSameAsNative(t, args, files = {}) {
  return assertSameAnswers(t, args.join(' '), tessera.runCommand(args, files), runNative(args, files));
}

function assertSameAnswers(t, what, module, expected) {
  assert.equal(module.status, expected.status, `${what}: exit status (${module.stderr})`);
  assertSameText(module.stdout, expected.stdout, `${what}: standard output`, t);
  assertSameText(module.stderr, expected.stderr, `${what}: standard error`, t);
  assert.deepEqual(Object.keys(module.files).sort(), Object.keys(expected.files).sort(), `${what}: files written`);
  for (const [name, bytes] of Object.entries(module.files)) {
    assert.ok(bytes instanceof Uint8Array, `${what}: ${name} as bytes`);
    assertSameText(Buffer.from(bytes).toString('latin1'), Buffer.from(expected.files[name]).toString('latin1'),
                   `${what}: ${name}`, t);
  }
  return module;
}

// A room measurement of random bumps and dips as FRD text (seeded, so that
// a failure can be run again).
function randomMeasurement(seed) {
  let state = seed >>> 0;
  const random = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let z = Math.imul(state ^ (state >>> 15), 1 | state);
    z ^= z + Math.imul(z ^ (z >>> 7), 61 | z);
    return ((z ^ (z >>> 14)) >>> 0) / 4294967296;
  };
  const bumps = Array.from({ length: 2 + Math.floor(random() * 5) }, () => ({
    f: 30 * Math.pow(500, random()), q: 0.5 + 4 * random(), db: 14 * random() - 7,
  }));
  const points = 150 + Math.floor(random() * 500);
  let text = '* Freq(Hz) SPL(dB) Phase(degrees)\n';
  for (let i = 0; i < points; ++i) {
    const f = 10 * Math.pow(2400, i / (points - 1));
    let level = 80 + (random() - 0.5) * 0.4;
    for (const b of bumps) level += b.db / (1 + Math.pow(b.q * (f / b.f - b.f / f), 2));
    text += `${f.toFixed(4)} ${level.toFixed(3)} 0\n`;
  }
  return { text, random };
}

test('the version and the help texts', (t) => {
  assert.equal(tessera.version, 'TESSERA 1.0.0');
  for (const args of [['--version'], ['--help'], [], ['fit', '--help'], ['noise', '-h']]) assertSameAsNative(t, args);
});

test('every command on the sample files', (t) => {
  const measurements = {
    'tef.tds': sample('tds/steps_0_20.tds'), 'mlssa.txt': sample('mlssa/basic.txt'),
    'plain.frd': sample('frd/plain.frd'), 'room.txt': sample('frd/room_export.txt'),
    'sheet.csv': sample('frd/spreadsheet.csv'), 'analyser.csv': sample('frd/analyser.csv'),
  };
  for (const name of Object.keys(measurements))
    assertSameAsNative(t, ['import', name, '-o', 'out.tsn'], { [name]: measurements[name] });
  const { files } = assertSameAsNative(t, ['fit', 'room.txt', '--band', '40:16000', '--json', '-o', 'fit.tsn'],
                                       { 'room.txt': measurements['room.txt'] });
  const design = { 'fit.tsn': files['fit.tsn'] };
  for (const args of [
    ['response', 'fit.tsn', '-o', 'result.frd'], ['response', 'fit.tsn', '--window', 'Filter2', '-o', 'f2.frd'],
    ['netlist', 'fit.tsn', '--opamp', 'NE5532', '-o', 'board.cir'], ['opamp', 'fit.tsn', '--gbw', '3e6'],
    ['tolerance', 'fit.tsn', '--trials', '50', '--seed', '7'], ['noise', 'fit.tsn', '--opamp', 'TL072', '--json'],
    ['schematic', 'fit.tsn', '-o', 'board.svg'], ['parts', 'fit.tsn', '--grouped', '-o', 'parts.csv'],
  ]) assertSameAsNative(t, args, design);
  for (const name of ['comma_lf.tsn', 'point_crlf.tsn', 'short_cr.tsn'])
    assertSameAsNative(t, ['netlist', name, '-o', 'out.cir'], { [name]: sample(`tsn/${name}`) });
});

// The parts of a fit --json answer, section by section (to 9 digits).
const fittedParts = (answer) => JSON.parse(answer.stdout).sections.map(
  (s) => [s.capacitor_nf, ...s.resistors_ohms].map((value) => Number(value.toPrecision(9))));

test('fits of random measurements, and what is made of them', (t) => {
  for (const seed of [1, 2, 3, 4]) {
    const { text, random } = randomMeasurement(seed);
    const options = [['--series', 'E12'], ['--smoothing', '1/6'], ['--tilt', '-1.5'], ['--keep-capacitors']][seed - 1];
    const low = Math.round(20 + 60 * random()), high = Math.round(8000 + 12000 * random());
    const args = ['fit', 'm.frd', '--band', `${low}:${high}`, ...options, '--json', '-o', 'fit.tsn'];
    const module = tessera.runCommand(args, { 'm.frd': text }), expected = runNative(args, { 'm.frd': text });
    assert.equal(module.status, 0, module.stderr);
    // The fit's arithmetic is plain double in both builds: the same steps, the same parts.
    assert.deepEqual(fittedParts(module), fittedParts(expected), `${args.join(' ')}: other parts than the native fit's`);
    assertSameAnswers(t, args.join(' '), module, expected);
    const { files } = module;
    for (const args of [['netlist', 'fit.tsn', '-o', 'fit.cir'], ['parts', 'fit.tsn', '-o', 'fit.csv'],
                        ['schematic', 'fit.tsn', '-o', 'fit.svg'], ['response', 'fit.tsn', '-o', 'fit.frd']])
      assertSameAsNative(t, args, { 'fit.tsn': files['fit.tsn'] });
  }
});

test('refusals: the same status and message, and no file', (t) => {
  for (const name of ['refuse_binary.frd', 'refuse_not_rising.frd', 'refuse_overflow.frd', 'refuse_single_point.frd'])
    assertSameAsNative(t, ['import', name, '-o', 'out.tsn'], { [name]: sample(`frd/${name}`) });
  assertSameAsNative(t, ['import', 'overflow.tds', '-o', 'out.tsn'], { 'overflow.tds': sample('tds/overflow.tds') });
  assertSameAsNative(t, ['netlist', 'overflow.tsn', '-o', 'out.cir'], { 'overflow.tsn': sample('tsn/overflow.tsn') });
  for (const args of [['import', 'missing.frd', '-o', 'out.tsn'], ['fit'], ['frobnicate'], ['parts', 'x.tsn', '--bogus'],
                      ['fit', 'm.frd', '--band', '20000:20'], ['netlist', 'm.frd', '-o', 'm.frd']])
    assertSameAsNative(t, args, { 'm.frd': sample('frd/plain.frd') });
});

test('each call starts afresh, takes text or bytes, and checks its arguments', () => {
  const frd = sample('frd/plain.frd');
  const made = tessera.runCommand(['import', 'm.frd', '-o', 'out.tsn'], { 'm.frd': frd });
  assert.equal(made.status, 0);
  // Neither the input nor the output, nor a file written outside the folder, is left for the next call.
  tessera.runCommand(['response', 'out.tsn', '-o', '/tmp/elsewhere.frd'], { 'out.tsn': made.files['out.tsn'] });
  for (const name of ['m.frd', 'out.tsn', '/tmp/elsewhere.frd'])
    assert.equal(tessera.runCommand(['response', name, '-o', 'again.frd']).status, 1, name);
  // The same measurement as a string gives the same bytes.
  const asText = tessera.runCommand(['import', 'm.frd', '-o', 'out.tsn'], { 'm.frd': Buffer.from(frd).toString('latin1') });
  assert.deepEqual(asText.files, made.files);
  for (const [args, files] of [['import', { 'm.frd': frd }], [['import'], { '../m.frd': frd }], [['import'], { 'm.frd': 42 }],
                               [['import', 7], {}]])
    assert.throws(() => tessera.runCommand(args, files), TypeError);
});
