// Bundles the page into the web build folder: page.js and worker.js (ES
// modules, minified), page.css and index.html beside the core's
// tessera-core.mjs and .wasm, which the build places there. Nothing is
// loaded from another host.
import { build } from 'esbuild';
import { copyFile, mkdir } from 'node:fs/promises';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const out = resolve(process.argv[2] ?? join(here, '../../build/web'));
await mkdir(out, { recursive: true });

await build({
  entryPoints: [join(here, 'src/page.js'), join(here, 'src/worker.js'), join(here, 'src/page.css')],
  outdir: out,
  bundle: true,
  format: 'esm',
  minify: true,
  target: ['es2022'],
  external: ['./tessera-core.mjs'],
  logLevel: 'warning',
});
await copyFile(join(here, 'index.html'), join(out, 'index.html'));
console.log(`page built into ${out}`);
