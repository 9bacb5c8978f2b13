// The design and the circuit settings survive a reload (the browser's
// storage), and "Copy link" puts the design into a link's fragment: the .tsn
// bytes, gzip-compressed and base64url-encoded, opened again by the page.
import { showMessage } from './messages.js';
import { CIRCUIT_KEY } from './circuit.js';

const DESIGN_KEY = 'tessera.design';
const NAME_KEY = 'tessera.file';
const LINK_PREFIX = '#tsn=';

async function transform(bytes, stream) {
  const piped = new Blob([bytes]).stream().pipeThrough(stream);
  return new Uint8Array(await new Response(piped).arrayBuffer());
}

function base64url(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text).replaceAll('+', '-').replaceAll('/', '_').replace(/=+$/, '');
}

function fromBase64url(text) {
  const plain = atob(text.replaceAll('-', '+').replaceAll('_', '/'));
  return Uint8Array.from(plain, (c) => c.charCodeAt(0));
}

export async function linkFor(tsnBytes) {
  const packed = await transform(tsnBytes, new CompressionStream('gzip'));
  return `${location.origin}${location.pathname}${LINK_PREFIX}${base64url(packed)}`;
}

async function designFromFragment(fragment) {
  if (!fragment.startsWith(LINK_PREFIX)) return null;
  return transform(fromBase64url(fragment.slice(LINK_PREFIX.length)), new DecompressionStream('gzip'));
}

function storageItem(key) {
  try {
    return localStorage.getItem(key);
  } catch {
    return null; // storage switched off: nothing is kept
  }
}

// At start: a design in the link first, else the one kept from the last visit.
export async function restoreDesign(page) {
  const { session } = page;
  const circuit = storageItem(CIRCUIT_KEY);
  if (circuit) {
    try {
      session.restoreCircuit(JSON.parse(circuit));
    } catch {
      /* an unreadable entry gives the defaults */
    }
  }
  let bytes = null, name = storageItem(NAME_KEY) || 'unnamed.tsn';
  try {
    bytes = await designFromFragment(location.hash);
    if (bytes) name = 'linked.tsn';
  } catch {
    showMessage('The link does not hold a design that can be read.');
  }
  if (!bytes) {
    const kept = storageItem(DESIGN_KEY);
    if (kept) bytes = new TextEncoder().encode(kept);
  }
  if (!bytes) return;
  const refusal = session.open(name, bytes);
  if (refusal) showMessage(refusal);
  page.refresh();
  if (location.hash.startsWith(LINK_PREFIX)) history.replaceState(null, '', location.pathname + location.search);
}

let pending = 0;
// After each change, a moment later: the design as its .tsn text.
export function keepDesign(page) {
  clearTimeout(pending);
  pending = setTimeout(() => {
    try {
      localStorage.setItem(DESIGN_KEY, new TextDecoder().decode(page.session.configuration()));
      localStorage.setItem(NAME_KEY, page.view.file || '');
    } catch {
      /* storage full or switched off: the design is simply not kept */
    }
  }, 150);
}

export function setUpLink(page) {
  document.getElementById('copy-link').addEventListener('click', async () => {
    const link = await linkFor(page.session.configuration());
    try {
      await navigator.clipboard.writeText(link);
      showMessage('The link to this design is on the clipboard.', 'info');
    } catch {
      window.prompt('Copy this link:', link);
    }
  });
}
