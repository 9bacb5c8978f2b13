// The measurement the page's browser test fits and bench/web times the fit
// with: a room with a dip at 180 Hz and a peak at 3 kHz, as FRD text.
export function roomFrd() {
  let text = '';
  for (let f = 15; f < 22000; f *= 1.03) {
    const dip = Math.log(f / 180), peak = Math.log(f / 3000);
    text += `${f.toFixed(6)} ${(-6 * Math.exp(-dip * dip / 0.15) + 4 * Math.exp(-peak * peak / 0.3)).toFixed(6)}\n`;
  }
  return text;
}
