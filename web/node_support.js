// Lets the ES module run in Node.js as in a browser. Emscripten's loader for
// Node uses the CommonJS names `require` and `__dirname`, which an ES module
// lacks, and would fetch() the .wasm, which Node's fetch cannot do for a
// file: here they are made for Node, and fetch is hidden from the loader
// there so that it reads the file. In a browser or worker nothing changes.
// (Emscripten puts this at the top of tessera-core.mjs, outside the module.)
const tesseraInNode = typeof process == 'object' && typeof process.versions == 'object' &&
                      typeof process.versions.node == 'string';
// A name in a variable, so that a bundler for the browser leaves it alone.
const tesseraNodeModule = 'node:module';
const require = tesseraInNode ? (await import(tesseraNodeModule)).createRequire(import.meta.url) : undefined;
const __dirname = tesseraInNode ? require('path').dirname(require('url').fileURLToPath(import.meta.url)) : undefined;
const fetch = tesseraInNode ? undefined : (...request) => globalThis.fetch(...request);
