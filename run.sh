#!/usr/bin/env bash
# Builds TESSERA in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)"

program=build/release/app/tessera
if [ ! -x "$program" ]; then
  echo "Built the engine and tests; the program window is not part of this build yet."
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start TESSERA under a virtual display with:"
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $program"
  exit 1
fi
exec "$program" "$@"
