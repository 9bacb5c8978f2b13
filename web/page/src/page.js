// The page: one document (the core's PageSession), the controls that drive
// it, and the plots that show its curves.
import { loadCore, WINDOWS } from './core.js';
import { createSections } from './sections.js';
import { createPlot } from './plots.js';
import { showMessage } from './messages.js';
import { setUpFiles } from './files.js';
import { setUpFit } from './fit.js';
import { setUpCircuit } from './circuit.js';
import { restoreDesign, keepDesign, setUpLink } from './storage.js';

const core = await loadCore();
performance.mark('core loaded');
const session = new core.PageSession();
const frequencies = core.gridFrequencies();
let view = JSON.parse(session.view());

const listeners = [];
const OPAMP = { key: 'opamp', label: 'With the op-amp', colour: 'opamp' };

const sections = createSections(document.getElementById('sections'), { view, frequencies, act, further: [OPAMP] });
document.getElementById('sections').removeAttribute('aria-busy');
performance.mark('sections shown');
const importPlot = createPlot(document.getElementById('plot-import'), { title: 'Import', frequencies, height: 200 });
const resultPlot = createPlot(document.getElementById('plot-result'), {
  title: 'Result',
  frequencies,
  height: 200,
  further: [
    OPAMP,
    { key: 'lowest', label: 'Tolerance lowest', colour: 'bound' },
    { key: 'highest', label: 'Tolerance highest', colour: 'bound' },
  ],
});

const undoButton = document.getElementById('undo');
const redoButton = document.getElementById('redo');

// Everything the document shows, redrawn from the core.
function refresh(options = {}) {
  view = JSON.parse(session.view());
  sections.show(view, options);
  sections.pages.forEach((page, k) => page.plot.show(session.curve(k), session.extraCurves(k)));
  importPlot.figure.querySelector('figcaption span').textContent = view.importCaption;
  importPlot.show(session.curve(4));
  resultPlot.show(session.curve(5), session.extraCurves(5));
  undoButton.disabled = !view.undo;
  undoButton.textContent = view.undo ? `Undo ${view.undo}` : 'Undo';
  undoButton.setAttribute('aria-label', 'Undo');
  redoButton.disabled = !view.redo;
  redoButton.textContent = view.redo ? `Redo ${view.redo}` : 'Redo';
  redoButton.setAttribute('aria-label', 'Redo');
  document.getElementById('file-name').textContent = `${view.file || 'unnamed'}${view.modified ? ' (modified)' : ''}`;
  for (const listener of listeners) listener(view);
}

// A change of the document through the core; a refusal's message is shown
// and changes nothing. `force` rewrites that field from the core's text
// after a change it accepted; `quiet` changes nothing on screen.
function act(change, { force, quiet } = {}) {
  const refusal = change(session);
  if (quiet) return;
  if (typeof refusal === 'string' && refusal) {
    showMessage(refusal);
    refresh();
    return;
  }
  showMessage('');
  refresh({ force });
}

const page = {
  core,
  session,
  frequencies,
  act,
  refresh,
  get view() { return view; },
  onChange(listener) { listeners.push(listener); },
  // The band zoomed in on the Result or the Import plot, which the fit takes.
  get markedBand() { return resultPlot.band ?? importPlot.band; },
};

undoButton.addEventListener('click', () => act((s) => { s.undo(); }));
redoButton.addEventListener('click', () => act((s) => { s.redo(); }));

// Ctrl+Z / Ctrl+Y / Ctrl+Shift+Z: the design's history, except in a field
// that holds typing not yet committed, where the field's own undo works.
document.addEventListener('keydown', (event) => {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
  const key = event.key.toLowerCase();
  const redo = key === 'y' || (key === 'z' && event.shiftKey);
  const undo = key === 'z' && !event.shiftKey;
  if (!undo && !redo) return;
  const field = document.activeElement;
  if (field?.matches?.('input[type=text]') && field.value !== (field.getAttribute('aria-valuetext') ?? field.value)) return;
  if (field?.closest?.('.panel')) return;
  event.preventDefault();
  act((s) => { if (undo) s.undo(); else s.redo(); });
});

const frdChoice = document.getElementById('frd-window');
WINDOWS.forEach((name, k) => frdChoice.add(new Option(name, String(k), k === 5, k === 5)));

refresh();
await restoreDesign(page);
setUpFiles(page);
setUpFit(page);
setUpCircuit(page);
setUpLink(page);
page.onChange(() => keepDesign(page));
window.tessera = page; // for the browser tests and the console
document.documentElement.dataset.ready = 'true';
