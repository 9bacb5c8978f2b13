// In Node.js the .wasm is read from the folder of tessera-core.mjs by its
// path (Emscripten would otherwise name it by a file: URL, which Node's file
// functions do not take). Runs first inside the module, on its settings.
if (tesseraInNode && !Module['locateFile']) Module['locateFile'] = (name, folder) => folder + name;
