#!/usr/bin/env bash
# Builds TESSERA and runs every test: the whole suite in Release, the
# WebAssembly build (build/web: the module against the native program under
# Node.js, the page in Chromium), then the engine and file tests again under
# AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

# Emscripten's system libraries come built with Debian's package (its cache,
# /usr/share/emscripten/cache, is read-only), so a fresh machine needs nothing more.
emcmake cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTESSERA_NATIVE_DESIGN="$PWD/build/release/cli/tessera-design"
cmake --build build/web -j "$jobs"
ctest --test-dir build/web --output-on-failure

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTESSERA_GUI=OFF -DTESSERA_BENCH=OFF -DTESSERA_SANITIZE=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
