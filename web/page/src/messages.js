// The one line where refusals and results are told (a live region, read
// out by screen readers).
let line = null;

export function showMessage(text, kind = 'error') {
  line ??= document.getElementById('message');
  line.textContent = text ? text.trim() : '';
  line.dataset.kind = kind;
}
