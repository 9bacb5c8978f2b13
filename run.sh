#!/usr/bin/env bash
# Builds TESSERA in Release and starts it.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)"

program=build/release/app/tessera
if [ ! -x "$program" ]; then
  echo "The program was not built: $program is missing (is TESSERA_GUI off in build/release?)." >&2
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start TESSERA under a virtual display with:"
  echo "  xvfb-run -s '-screen 0 1280x1024x24' $program"
  echo "(add a window manager such as twm inside it to get window frames), or"
  echo "install it for the desktop with: cmake --install build/release --prefix ~/.local"
  exit 1
fi
exec "$program" "$@"
