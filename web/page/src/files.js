// Open, Save, Import, Export FRD and files dropped on the page. Files are
// read by the core's readers; what leaves the page is a plain download.
import { WINDOWS } from './core.js';
import { bytesOf, download } from './downloads.js';
import { showMessage } from './messages.js';
import { readMeasurement, startWorker } from './worker-client.js';

function chooseFile(input) {
  return new Promise((resolve) => {
    input.value = '';
    input.onchange = () => resolve(input.files[0] ?? null);
    input.click();
  });
}

export function setUpFiles(page) {
  const { session, core } = page;

  const openFile = async (file) => {
    if (page.view.modified && !window.confirm('The design is not saved. Open another and lose the changes?')) return;
    const bytes = await bytesOf(file);
    page.act((s) => s.open(file.name, bytes));
  };

  const importFile = async (file) => {
    if (file.size > core.largestImportBytes) {
      showMessage(core.importTooLargeMessage(file.name));
      return;
    }
    document.body.classList.add('busy');
    showMessage(`Reading ${file.name}…`, 'info');
    try {
      const reading = await readMeasurement(file.name, await bytesOf(file));
      if (!reading) return;
      if (!reading.done) {
        showMessage(reading.message);
        return;
      }
      page.act((s) => s.takeImport(reading.caption, reading.values));
    } catch (error) {
      showMessage(String(error.message ?? error));
    } finally {
      document.body.classList.remove('busy');
    }
  };
  page.importFile = importFile;
  page.openFile = openFile;

  document.getElementById('open').addEventListener('click', async () => {
    const file = await chooseFile(document.getElementById('open-file'));
    if (file) await openFile(file);
  });
  document.getElementById('import').addEventListener('click', async () => {
    const file = await chooseFile(document.getElementById('import-file'));
    if (file) await importFile(file);
  });
  document.getElementById('save').addEventListener('click', () => {
    const name = page.view.file || 'equaliser.tsn';
    download(name, session.save(name), 'application/octet-stream');
    page.refresh();
  });
  document.getElementById('export-frd').addEventListener('click', () => {
    const window = Number(document.getElementById('frd-window').value);
    download(`${WINDOWS[window]}.frd`, session.frd(window), 'text/plain');
  });

  // A file dropped anywhere on the page: a .tsn opens, a measurement imports.
  document.addEventListener('dragover', (event) => {
    if (event.dataTransfer?.types?.includes('Files')) {
      event.preventDefault();
      event.dataTransfer.dropEffect = 'copy';
      document.body.classList.add('dropping');
    }
  });
  document.addEventListener('dragleave', (event) => {
    if (!event.relatedTarget) document.body.classList.remove('dropping');
  });
  document.addEventListener('drop', async (event) => {
    event.preventDefault();
    document.body.classList.remove('dropping');
    const file = event.dataTransfer?.files?.[0];
    if (!file) return;
    const action = core.dropAction(file.name);
    if (action === 'open') await openFile(file);
    else if (action === 'import') await importFile(file);
    else showMessage(`${file.name} is neither a configuration (.tsn) nor a measurement file Import reads.`);
  });

  // The worker loads while the user looks at the page.
  setTimeout(startWorker, 0);
}
