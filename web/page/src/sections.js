// The four sections as the desktop's configuration dialog shows them: the
// three entries, the capacitor, E12/E24, the resistors with their steppers,
// the status line and the section's curve. Every event goes to the core's
// session; the texts shown are the ones it gives back.
import { ENTRY_LABELS } from './core.js';
import { createPlot } from './plots.js';

// A field's text is rewritten only when the core's text for it changes, so
// that typing not yet committed in another field stays on screen.
function setText(element, text, shown) {
  if (shown.get(element) === text) return;
  shown.set(element, text);
  if ('value' in element && element.tagName !== 'OUTPUT') element.value = text;
  else element.textContent = text;
}

export function createSections(container, { view, frequencies, act, further }) {
  const shown = new WeakMap();
  const pages = [];
  container.replaceChildren();
  view.sections.forEach((sectionView, index) => {
    const section = index + 1;
    const group = document.createElement('fieldset');
    group.className = 'section';
    const legend = document.createElement('legend');
    legend.textContent = sectionView.name;
    group.append(legend);

    const fields = document.createElement('div');
    fields.className = 'fields';
    const entries = ENTRY_LABELS.map((label, entry) => {
      const id = `s${section}-e${entry}`;
      const caption = document.createElement('label');
      caption.htmlFor = id;
      caption.textContent = label;
      const input = document.createElement('input');
      input.id = id;
      input.type = 'text';
      input.inputMode = 'decimal';
      input.autocomplete = 'off';
      input.spellcheck = false;
      input.setAttribute('role', 'spinbutton');
      input.addEventListener('keydown', (event) => {
        if (event.key === 'ArrowUp' || event.key === 'ArrowDown') {
          event.preventDefault();
          // A key held down is one step from press to release, as a held spin button.
          if (!input.dataset.held) {
            input.dataset.held = '1';
            act((s) => s.beginHold(), { quiet: true });
          }
          act((s) => s.spin(section, entry, event.key === 'ArrowUp'), { force: input });
        } else if (event.key === 'Enter') {
          event.preventDefault();
          act((s) => s.commitEntry(section, entry, input.value), { force: input });
        } else if (event.key === 'Escape') {
          act((s) => s.revertEntry(section, entry), { force: input });
        }
      });
      const release = () => {
        if (!input.dataset.held) return;
        delete input.dataset.held;
        act((s) => s.endHold(), { quiet: true });
      };
      input.addEventListener('keyup', (event) => {
        if (event.key === 'ArrowUp' || event.key === 'ArrowDown') release();
      });
      input.addEventListener('blur', release);
      const row = document.createElement('div');
      row.className = 'entry';
      row.append(caption, input);
      fields.append(row);
      return input;
    });

    const capacitorId = `s${section}-cap`;
    const capLabel = document.createElement('label');
    capLabel.htmlFor = capacitorId;
    capLabel.textContent = 'Capacitor';
    const capacitor = document.createElement('select');
    capacitor.id = capacitorId;
    for (const item of view.capacitors) capacitor.add(new Option(item, item));
    capacitor.addEventListener('change', () => act((s) => s.selectCapacitor(section, capacitor.value)));
    const capRow = document.createElement('div');
    capRow.className = 'entry';
    capRow.append(capLabel, capacitor);

    const seriesRow = document.createElement('div');
    seriesRow.className = 'series';
    for (const [name, e12] of [['E12', true], ['E24', false]]) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = name;
      button.addEventListener('click', () => act((s) => s.selectSeries(section, e12)));
      seriesRow.append(button);
    }

    const resistors = document.createElement('div');
    resistors.className = 'resistors';
    const rows = sectionView.resistors.map((r) => {
      const id = `s${section}-${r.designator}`;
      const name = document.createElement('label');
      name.htmlFor = id;
      name.textContent = r.designator;
      const value = document.createElement('output');
      value.id = id;
      const steps = document.createElement('span');
      steps.className = 'steps';
      const buttons = [['▲', true, 'up'], ['▼', false, 'down']].map(([glyph, up, word]) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.className = 'small';
        b.textContent = glyph;
        b.setAttribute('aria-label', `${r.designator} ${word}`);
        b.addEventListener('click', () => act((s) => s.stepResistor(section, r.slot, up)));
        steps.append(b);
        return b;
      });
      resistors.append(name, value, steps);
      return { value, buttons };
    });

    const status = document.createElement('p');
    status.className = 'status';
    const side = document.createElement('div');
    side.className = 'parts';
    side.append(capRow, seriesRow, resistors);
    const body = document.createElement('div');
    body.className = 'section-body';
    body.append(fields, side);
    const figure = document.createElement('figure');
    figure.className = 'plot small-plot';
    figure.setAttribute('role', 'group');
    figure.setAttribute('aria-label', `${sectionView.name} curve`);
    group.append(body, status, figure);
    container.append(group);
    const plot = createPlot(figure, { title: `${sectionView.name} curve`, frequencies, height: 110, further });
    pages.push({ group, entries, capacitor, rows, status, plot });
  });

  return {
    pages,
    // The core's texts into the controls; `force` rewrites that field even
    // when the text did not change (after Escape or a refused entry).
    show(view, { force } = {}) {
      view.sections.forEach((v, k) => {
        const page = pages[k];
        page.entries.forEach((input, e) => {
          if (input === force) shown.delete(input);
          setText(input, v.entries[e], shown);
          input.setAttribute('aria-valuetext', v.entries[e]);
        });
        if (page.capacitor.value !== v.capacitor) page.capacitor.value = v.capacitor;
        v.resistors.forEach((r, i) => {
          setText(page.rows[i].value, r.value, shown);
          for (const b of page.rows[i].buttons) b.disabled = !r.stepper;
        });
        setText(page.status, v.status, shown);
        page.group.classList.toggle('err', v.err);
      });
    },
  };
}
