// Serves a folder on the loopback address as any static web host does:
// plain files, with the types a browser needs for the module (.mjs as
// JavaScript, .wasm as application/wasm), nothing else, no special headers.
//   node web/serve.mjs FOLDER [PORT]    (PORT 8080 by default)
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, isAbsolute, join, relative, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.svg': 'image/svg+xml', '.json': 'application/json',
};

// Resolves to { url, close } once the server listens (port 0: any free one).
export async function serveFolder(folder, port = 0) {
  const root = resolve(folder);
  const server = createServer(async (request, response) => {
    let path;
    try {
      path = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    } catch {
      response.writeHead(400).end();
      return;
    }
    const file = join(root, path.endsWith('/') ? join(path, 'index.html') : path);
    const inside = relative(root, file);
    if (inside.startsWith('..') || isAbsolute(inside)) {
      response.writeHead(403).end();
      return;
    }
    try {
      const body = await readFile(file);
      response.writeHead(200, { 'content-type': TYPES[extname(file)] ?? 'application/octet-stream' }).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((listening, failed) => {
    server.once('error', failed);
    server.listen(port, '127.0.0.1', listening);
  });
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => new Promise((done) => server.close(done)) };
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [folder, port = '8080'] = process.argv.slice(2);
  if (!folder || !/^\d+$/.test(port) || Number(port) > 65535) {
    console.error('usage: node web/serve.mjs FOLDER [PORT]');
    process.exit(2);
  }
  try {
    const { url } = await serveFolder(folder, Number(port));
    console.log(`TESSERA in the browser: ${url} (Ctrl+C ends it)`);
  } catch (error) {
    console.error(`Cannot serve ${folder} on port ${port}: ${error.message}`);
    process.exit(1);
  }
}
