#!/usr/bin/env bash
# Builds TESSERA in Release and starts it; with --web [--port N] builds the
# web page (build/web) and serves it at http://127.0.0.1:8080/ (or port N).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

if [ "${1:-}" = "--web" ]; then
  port=8080
  if [ $# -gt 1 ]; then
    if [ $# -ne 3 ] || [ "$2" != "--port" ] || ! [[ "$3" =~ ^[0-9]+$ ]] || [ "$3" -gt 65535 ]; then
      echo "usage: ./run.sh --web [--port N]" >&2
      exit 2
    fi
    port=$3
  fi
  emcmake cmake -S . -B build/web -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build build/web -j "$(nproc)"
  exec node web/serve.mjs build/web "$port"
fi

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
