// Fit…: every option of the fit, run in the worker with progress and
// Cancel; the errors and noise before and after, a preview of the Result,
// and Apply, which gives the sections the parts found (one step to undo).
import { element, labelled } from './dom.js';
import { bytesOf } from './downloads.js';
import { showMessage } from './messages.js';
import { createPlot } from './plots.js';
import { cancelWork, runFit, startFitHelpers } from './worker-client.js';

function output(text) {
  const value = element('output', { id: `fit-${text.replace(/\W+/g, '-').toLowerCase()}` });
  return { row: labelled(text, value), value };
}

export function setUpFit(page) {
  const { core, session } = page;
  const panel = document.getElementById('fit-panel');
  const initial = JSON.parse(core.initialFitForm(null));

  const bandLow = element('input', { type: 'text', value: initial.bandLow, inputMode: 'decimal' });
  const bandHigh = element('input', { type: 'text', value: initial.bandHigh, inputMode: 'decimal' });
  const targetKind = element('select');
  targetKind.add(new Option('level and tilt', 'line'));
  targetKind.add(new Option('curve from file…', 'file'));
  const targetFile = element('input', { type: 'file', accept: '.tds,.txt,.frd,.csv', hidden: true });
  const targetName = element('span', { className: 'quiet' });
  const automatic = element('input', { type: 'checkbox', checked: true });
  const level = element('input', { type: 'text', value: initial.level, inputMode: 'decimal', disabled: true });
  const tilt = element('input', { type: 'text', value: initial.tilt, inputMode: 'decimal' });
  const smoothing = element('select');
  for (const choice of initial.smoothing) smoothing.add(new Option(choice.name, String(choice.n)));
  const maxBoost = element('input', { type: 'text', value: initial.maxBoost, inputMode: 'decimal' });
  const series = element('select');
  series.add(new Option('E24', 'E24'));
  series.add(new Option('E12', 'E12'));
  const chooseCapacitors = element('input', { type: 'checkbox', checked: true });
  const sectionBoxes = [1, 2, 3, 4].map((s) => element('input', { type: 'checkbox', checked: true, id: `fit-section-${s}` }));
  const circuitLine = element('p', { className: 'quiet' });

  const fitButton = element('button', { type: 'button', textContent: 'Fit' });
  const cancelButton = element('button', { type: 'button', textContent: 'Cancel', disabled: true });
  const applyButton = element('button', { type: 'button', textContent: 'Apply', disabled: true });
  const closeButton = element('button', { type: 'button', textContent: 'Close' });
  const progress = element('progress', { max: 1, value: 0 });
  progress.setAttribute('aria-label', 'Fit progress');
  const before = output('Error before');
  const after = output('Error after');
  const noiseBefore = output('Noise before');
  const noiseAfter = output('Noise after');
  const took = output('Fit time');
  const parts = element('pre', { className: 'report fit-parts' });
  const note = element('p', { className: 'status' });
  const previewFigure = element('figure', { className: 'plot' });
  previewFigure.setAttribute('role', 'group');
  previewFigure.setAttribute('aria-label', 'Fit preview');

  const sectionsRow = element('fieldset', { className: 'inline' }, element('legend', { textContent: 'Sections' }));
  sectionBoxes.forEach((box, k) =>
    sectionsRow.append(element('label', { className: 'check' }, box, ` ${k + 1}`)));
  sectionBoxes.forEach((box, k) => box.setAttribute('aria-label', `Section ${k + 1}`));

  panel.append(
    element('h2', { textContent: 'Fit to Import' }),
    element('div', { className: 'form' },
      labelled('Band from (Hz)', bandLow), labelled('Band to (Hz)', bandHigh),
      labelled('Target', targetKind), element('div', { className: 'entry' }, targetFile, targetName),
      element('label', { className: 'check' }, automatic, ' Automatic level'),
      labelled('Level (dB)', level), labelled('Tilt (dB/decade)', tilt),
      labelled('Smoothing', smoothing), labelled('Maximum boost (dB)', maxBoost),
      labelled('Series', series),
      element('label', { className: 'check' }, chooseCapacitors, ' Choose capacitors'),
      sectionsRow),
    circuitLine,
    element('div', { className: 'buttons' }, fitButton, cancelButton, applyButton, closeButton, progress),
    element('div', { className: 'form' }, before.row, after.row, noiseBefore.row, noiseAfter.row, took.row),
    parts, note, previewFigure,
  );
  automatic.setAttribute('aria-label', 'Automatic level');
  chooseCapacitors.setAttribute('aria-label', 'Choose capacitors');

  let preview = null;
  let target = null; // {name, bytes}
  let result = null; // the last fit, with the revision it was made from
  let running = false;

  const form = () => ({
    bandLow: bandLow.value, bandHigh: bandHigh.value,
    automaticLevel: automatic.checked, level: level.value, tilt: tilt.value,
    maxBoost: maxBoost.value, series: series.value, chooseCapacitors: chooseCapacitors.checked,
    sections: sectionBoxes.map((b) => b.checked), smoothing: Number(smoothing.value),
    targetName: targetKind.value === 'file' && target ? target.name : '',
    targetBytes: targetKind.value === 'file' && target ? target.bytes : new Uint8Array(),
  });

  const showCircuit = () => {
    const c = JSON.parse(session.circuit());
    circuitLine.textContent = `Op-amp ${c.opamp}, summing resistors ${c.summing}, resistors ${c.range.replace(':', ' to ')}`;
  };

  // Before a fit: the Result as it is, the measurement as smoothed, and the target curve.
  // `said`: a refusal is told (when the form itself changed).
  const showCurrent = (said = false) => {
    if (panel.hidden) return;
    showCircuit();
    if (result) return;
    const curves = JSON.parse(session.fitPreview(form()));
    if (curves.message) {
      if (said) showMessage(curves.message); // a field that is no number, or a target file refused
      return;
    }
    preview.show(curves.result, curves);
  };

  const clearResult = () => {
    result = null;
    applyButton.disabled = true;
    for (const o of [before, after, noiseBefore, noiseAfter, took]) o.value.value = '';
    parts.textContent = '';
    note.textContent = '';
  };

  for (const control of [bandLow, bandHigh, level, tilt, maxBoost, smoothing, series, chooseCapacitors, automatic, ...sectionBoxes])
    control.addEventListener('change', () => {
      level.disabled = automatic.checked;
      clearResult();
      showCurrent(true);
    });
  targetKind.addEventListener('change', () => {
    clearResult();
    if (targetKind.value === 'file') targetFile.click();
    else showCurrent();
  });
  targetFile.addEventListener('change', async () => {
    const file = targetFile.files[0];
    if (!file) return;
    target = { name: file.name, bytes: await bytesOf(file) };
    targetName.textContent = file.name;
    showCurrent(true);
  });

  fitButton.addEventListener('click', async () => {
    if (running) return;
    clearResult();
    running = true;
    fitButton.setAttribute('aria-disabled', 'true');
    cancelButton.disabled = false;
    progress.value = 0;
    const revision = session.revision();
    const c = JSON.parse(session.circuit());
    try {
      const done = await runFit(session.fitInput(), form(), c.stored, (v) => { progress.value = v; });
      if (done == null) {
        showMessage('Fit cancelled; nothing changed.', 'info');
        return;
      }
      const fit = JSON.parse(done.text);
      took.value.value = `${(done.ms / 1000).toFixed(2)} s`;
      took.value.dataset.ms = done.ms.toFixed(1); // for the speed figures of the page's test
      if (fit.message) {
        showMessage(fit.message);
        return;
      }
      progress.value = 1;
      result = { ...fit, revision };
      before.value.value = fit.before;
      after.value.value = fit.after;
      noiseBefore.value.value = fit.noiseBefore;
      noiseAfter.value.value = fit.noiseAfter;
      parts.textContent = fit.sections.join('\n');
      note.textContent = fit.note;
      preview.show(fit.curves.result, fit.curves);
      applyButton.disabled = false;
      showMessage('', 'info');
    } catch (error) {
      showMessage(String(error.message ?? error));
    } finally {
      running = false;
      fitButton.removeAttribute('aria-disabled');
      cancelButton.disabled = true;
    }
  });
  cancelButton.addEventListener('click', () => cancelWork());
  applyButton.addEventListener('click', () => {
    if (!result) return;
    const data = new Float64Array(result.apply);
    page.act((s) => s.applyFit(data, result.revision));
    clearResult();
    showCurrent();
  });
  closeButton.addEventListener('click', () => {
    if (running) cancelWork();
    panel.hidden = true;
    document.getElementById('fit-open').setAttribute('aria-expanded', 'false');
  });
  document.getElementById('fit-open').addEventListener('click', () => {
    // Opened afresh while a plot shows a band zoomed in: the fit's band is that one.
    if (panel.hidden && page.markedBand) {
      const marked = JSON.parse(core.initialFitForm(page.markedBand));
      bandLow.value = marked.bandLow;
      bandHigh.value = marked.bandHigh;
      clearResult();
    }
    panel.hidden = false;
    document.getElementById('fit-open').setAttribute('aria-expanded', 'true');
    startFitHelpers();
    preview ??= createPlot(previewFigure, {
      title: 'Fit preview',
      frequencies: page.frequencies,
      height: 200,
      further: [
        { key: 'measurement', label: 'Measurement', colour: 'measurement' },
        { key: 'target', label: 'Target', colour: 'target' },
      ],
    });
    showCurrent();
    panel.scrollIntoView({ block: 'nearest' });
    bandLow.focus();
  });
  // A change of the design makes a fit stale: Apply would give other parts.
  page.onChange((view) => {
    if (result && result.revision !== view.revision) clearResult();
    showCurrent();
  });
}
