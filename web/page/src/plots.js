// The graph windows: log frequency 20 Hz – 20 kHz, level in dB, a readout of
// frequency and level under the pointer, a dragged band zooms in and a
// double click (or "Zoom out") shows the whole band again.
import uPlot from 'uplot';

const COLOURS = {
  main: '#0b6e2f',
  measurement: '#b0189a',
  target: '#d96b00',
  bound: '#c9a400',
  opamp: '#00a5b5',
  noise: '#1d4ed8',
};

export function hertzText(f) {
  if (f >= 1000) return `${+(f / 1000).toPrecision(3)} kHz`;
  return `${+f.toPrecision(3)} Hz`;
}

// The frequency axis names the 1-2-5 steps only: 20, 50, 100, 200 … 20k.
function axisText(f) {
  if (f == null) return '';
  const mantissa = f / 10 ** Math.floor(Math.log10(f) + 1e-9);
  if (![1, 2, 5].some((m) => Math.abs(mantissa - m) < 1e-6)) return '';
  return f >= 1000 ? `${+(f / 1000).toPrecision(3)}k` : `${+f.toPrecision(3)}`;
}

function levelText(db, unit) {
  return `${db.toFixed(2)} ${unit}`;
}

// A plot in `figure` (a labelled figure element). `further` names the extra
// curves it may show: [{key, label, colour}].
export function createPlot(figure, { title, frequencies, further = [], height = 170, unit = 'dB' }) {
  figure.replaceChildren();
  const caption = document.createElement('figcaption');
  const heading = document.createElement('span');
  heading.textContent = title;
  const zoomOut = document.createElement('button');
  zoomOut.type = 'button';
  zoomOut.className = 'small';
  zoomOut.textContent = 'Zoom out';
  zoomOut.setAttribute('aria-label', `Zoom out ${title}`);
  caption.append(heading, zoomOut);
  const area = document.createElement('div');
  area.className = 'plot-area';
  const readout = document.createElement('p');
  readout.className = 'readout';
  readout.textContent = '\u00a0';
  figure.append(caption, area, readout);

  const xs = Array.from(frequencies);
  const empty = xs.map(() => null);
  const data = [xs, empty.slice(), ...further.map(() => empty.slice())];
  const fullX = [xs[0], xs[xs.length - 1]];

  const options = {
    width: Math.max(200, area.clientWidth || figure.clientWidth || 300),
    height,
    legend: { show: false },
    cursor: { drag: { x: true, y: false, setScale: true } },
    scales: {
      x: { time: false, distr: 3, log: 10, range: (u, lo, hi) => [Math.max(lo, 20), Math.min(hi, 20000)] },
      y: {
        range: (u, lo, hi) => {
          const low = Math.min(lo ?? 0, 0), high = Math.max(hi ?? 0, 0);
          const pad = Math.max(1, (high - low) * 0.08);
          return [Math.floor(low - pad), Math.ceil(high + pad)];
        },
      },
    },
    axes: [
      { values: (u, splits) => splits.map(axisText), size: 30 },
      { size: 44, label: unit, labelSize: 14 },
    ],
    series: [
      {},
      { label: title, stroke: COLOURS.main, width: 1.5 },
      ...further.map((f) => ({ label: f.label, stroke: COLOURS[f.colour] ?? f.colour, width: 1.2 })),
    ],
    hooks: {
      setCursor: [
        (u) => {
          const i = u.cursor.idx;
          if (i == null || u.data[1][i] == null) {
            readout.textContent = '\u00a0';
            return;
          }
          readout.textContent = `${hertzText(u.data[0][i])}: ${levelText(u.data[1][i], unit)}`;
        },
      ],
    },
  };
  const plot = new uPlot(options, data, area);
  let zoomed = false;
  plot.over.addEventListener('dblclick', () => { zoomed = false; });
  plot.hooks.setSelect = [() => { zoomed = true; }];
  const showAll = () => {
    zoomed = false;
    plot.setScale('x', { min: fullX[0], max: fullX[1] });
  };
  zoomOut.addEventListener('click', showAll);
  new ResizeObserver(() => {
    const width = area.clientWidth;
    if (width > 0 && Math.abs(width - plot.width) > 1) plot.setSize({ width, height });
  }).observe(area);

  return {
    figure,
    // The main curve and any further ones by key (null hides one).
    show(main, extras = {}) {
      data[1] = Array.from(main);
      further.forEach((f, k) => {
        const values = extras[f.key];
        data[2 + k] = values ? Array.from(values) : empty;
      });
      plot.setData(data, !zoomed);
      if (zoomed) plot.redraw();
    },
    showAll,
    get zoomed() { return zoomed; },
    // The band shown while zoomed in, {low, high} in Hz; null otherwise.
    get band() { return zoomed ? { low: plot.scales.x.min, high: plot.scales.x.max } : null; },
  };
}
