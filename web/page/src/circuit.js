// The circuit settings (op-amp, summing resistors, resistor range, input
// level, output peak) and the board tools: Noise and Headroom, Tolerances,
// Schematic, Parts list, SPICE netlist. Each setting is checked by the core;
// a refused one changes nothing and its message says why.
import { element, labelled } from './dom.js';
import { download } from './downloads.js';
import { showMessage } from './messages.js';
import { createPlot } from './plots.js';
import { cancelWork, runTolerance } from './worker-client.js';



export const CIRCUIT_KEY = 'tessera.circuit';

export function setUpCircuit(page) {
  const { session } = page;
  const panel = document.getElementById('circuit-panel');
  const out = document.getElementById('tool-output');
  const settings = () => JSON.parse(session.circuit());
  const initial = settings();

  const opAmp = element('select');
  for (const name of initial.opamps) opAmp.add(new Option(name, name));
  const figures = ['gbw', 'slew', 'en', 'in'].map((key) => element('input', { type: 'text', inputMode: 'decimal' }));
  const customRow = element('div', { className: 'form custom' },
    labelled('Gain-bandwidth (Hz)', figures[0], 'c-gbw'), labelled('Slew rate (V/µs)', figures[1], 'c-slew'),
    labelled('en (nV/√Hz)', figures[2], 'c-en'), labelled('in (pA/√Hz)', figures[3], 'c-in'));
  const applyCustom = element('button', { type: 'button', textContent: 'Apply op-amp' });
  customRow.append(applyCustom);
  const summing = element('input', { type: 'text' });
  const range = element('input', { type: 'text' });
  const inputLevel = element('input', { type: 'text', inputMode: 'decimal' });
  const outputPeak = element('input', { type: 'text', inputMode: 'decimal' });

  const show = () => {
    const c = settings();
    opAmp.value = c.opamp;
    customRow.hidden = c.opamp !== 'Custom' && opAmp.value !== 'Custom';
    if (c.opamp === 'Custom') figures.forEach((f, k) => { f.value = c[['gbw', 'slew', 'en', 'in'][k]]; });
    summing.value = c.summing;
    range.value = c.range;
    inputLevel.value = c.inputLevel;
    outputPeak.value = c.outputPeak;
  };

  // A setting changed: remembered, and every open tool follows it.
  const changed = (refusal) => {
    if (refusal) {
      showMessage(refusal);
    } else {
      showMessage('');
      localStorage.setItem(CIRCUIT_KEY, JSON.stringify(settings().stored));
      page.refresh(); // the curves with the op-amp, and the open tool
    }
    show();
  };

  opAmp.addEventListener('change', () => {
    if (opAmp.value === 'Custom') {
      customRow.hidden = false;
      figures[0].focus();
      return;
    }
    changed(session.setOpAmp(opAmp.value, '', '', '', ''));
  });
  applyCustom.addEventListener('click', () =>
    changed(session.setOpAmp('Custom', ...figures.map((f) => f.value))));
  const onCommit = (input, set) => {
    input.addEventListener('keydown', (event) => { if (event.key === 'Enter') changed(set(input.value)); });
    input.addEventListener('change', () => changed(set(input.value)));
  };
  onCommit(summing, (v) => session.setSumming(v));
  onCommit(range, (v) => session.setResistorRange(v));
  onCommit(inputLevel, (v) => session.setInputLevel(v));
  onCommit(outputPeak, (v) => session.setOutputPeak(v));

  const tool = (name, handler) => {
    const b = element('button', { type: 'button', textContent: name });
    b.addEventListener('click', handler);
    return b;
  };

  // --- The tools' output ----------------------------------------------------
  let openTool = null; // redrawn when the design or the settings change
  const showTool = (title, ...content) => {
    out.hidden = false;
    out.setAttribute('aria-label', title);
    const close = tool('Close', () => { out.hidden = true; openTool = null; });
    close.setAttribute('aria-label', `Close ${title}`);
    out.replaceChildren(element('h2', { textContent: title }), ...content, element('div', { className: 'buttons' }, close));
  };

  const noise = () => {
    const report = JSON.parse(session.noise());
    if (report.message) {
      showTool('Noise and Headroom', element('p', { className: 'status', textContent: report.message }));
      return;
    }
    const figure = element('figure', { className: 'plot' });
    figure.setAttribute('role', 'group');
    figure.setAttribute('aria-label', 'Noise density');
    showTool('Noise and Headroom', element('p', { textContent: report.outside }),
      element('pre', { className: 'report', textContent: report.text }), figure);
    const density = report.figures.noise_density_nv.map((v) => 20 * Math.log10(v));
    createPlot(figure, { title: 'Output noise density', frequencies: page.frequencies, height: 180, unit: 'dB re 1 nV/√Hz' })
      .show(density);
  };

  const tolerance = () => {
    const rTol = element('select');
    for (const v of ['0.1', '0.5', '1', '2', '5']) rTol.add(new Option(`${v} %`, v, v === '1', v === '1'));
    const cTol = element('select');
    for (const v of ['1', '2', '5', '10']) cTol.add(new Option(`${v} %`, v, v === '5', v === '5'));
    const trials = element('input', { type: 'text', value: '1000', inputMode: 'numeric' });
    const seed = element('input', { type: 'text', value: '1', inputMode: 'numeric' });
    const band = element('input', { type: 'text', value: '20:20000' });
    const report = element('pre', { className: 'report' });
    const progress = element('progress', { max: 1, value: 0 });
    progress.setAttribute('aria-label', 'Tolerance progress');
    const cancel = tool('Cancel', () => cancelWork());
    cancel.setAttribute('aria-label', 'Cancel tolerance run');
    cancel.disabled = true;
    // The run in the worker; its bounds go onto the Result if the parts and
    // the op-amp are still those it ran with.
    const run = async () => {
      const input = session.toleranceInput();
      const circuit = settings().stored;
      const form = { resistorPercent: rTol.value, capacitorPercent: cTol.value, trials: trials.value, seed: seed.value, band: band.value };
      cancel.disabled = false;
      progress.value = 0;
      try {
        const text = await runTolerance(input, form, circuit, (v) => { progress.value = v; });
        if (text == null) {
          showMessage('Tolerance run cancelled; nothing changed.', 'info');
          return;
        }
        const r = JSON.parse(text);
        if (r.message) {
          showMessage(r.message);
          return;
        }
        const sameCircuit = JSON.stringify(settings().stored) === JSON.stringify(circuit);
        if (!sameCircuit || !session.takeToleranceBounds(input, new Float64Array(r.lowest), new Float64Array(r.highest))) {
          showMessage('The parts or the op-amp changed during the run: run it again.');
          return;
        }
        showMessage('');
        report.textContent = r.text;
        progress.value = 1;
        page.refresh(); // its bounds on the Result
      } catch (error) {
        showMessage(String(error.message ?? error));
      } finally {
        cancel.disabled = true;
      }
    };
    showTool('Tolerances',
      element('div', { className: 'form' }, labelled('Resistors', rTol, 't-r'), labelled('Capacitors', cTol, 't-c'),
        labelled('Trials', trials, 't-trials'), labelled('Seed', seed, 't-seed'), labelled('Band (Hz)', band, 't-band')),
      element('div', { className: 'buttons' }, tool('Run', run), cancel, progress), report);
    run();
    return run;
  };

  const schematic = () => {
    const drawing = element('div', { className: 'schematic' });
    drawing.setAttribute('role', 'img');
    drawing.setAttribute('aria-label', 'Schematic drawing');
    drawing.innerHTML = session.schematicSvg();
    showTool('Schematic', element('div', { className: 'buttons' },
      tool('Download SVG', () => download('schematic.svg', session.schematicSvg(), 'image/svg+xml')),
      tool('Download PDF', () => download('schematic.pdf', session.schematicPdf(), 'application/pdf'))), drawing);
  };

  const fileTool = (make, name, type) => () => {
    const file = make();
    if (file.message) showMessage(file.message);
    else {
      showMessage('');
      download(name, file.bytes, type);
    }
  };

  // A figure tool shows the design as it is now; the tolerance run stays
  // as it was run (its bounds go from the Result once a part changes).
  function refreshTool() {
    if (openTool && openTool !== tolerance) openTool();
  }

  const open = (which) => () => { openTool = which; which(); };
  panel.append(
    element('h2', { textContent: 'Circuit and board' }),
    element('div', { className: 'form' },
      labelled('Op-amp', opAmp, 'c-opamp'), labelled('Summing resistors', summing, 'c-summing'),
      labelled('Resistor range', range, 'c-range'), labelled('Input level (dBu)', inputLevel, 'c-input'),
      labelled('Output peak (V)', outputPeak, 'c-peak')),
    customRow,
    element('div', { className: 'buttons' },
      tool('Noise and Headroom', open(noise)),
      tool('Tolerances', open(tolerance)),
      tool('Schematic', open(schematic)),
      tool('Parts list', fileTool(() => session.partsList(), 'parts.csv', 'text/csv')),
      tool('SPICE netlist', fileTool(() => session.netlist(), 'equaliser.cir', 'text/plain'))),
  );
  show();
  // The tools follow the design; tolerance bounds go when a part changes.
  page.onChange(() => refreshTool());
}
