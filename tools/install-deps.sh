#!/usr/bin/env bash
# Installs the Debian packages TESSERA needs to build, test and run.
# Quick when everything is already there: only missing packages trigger apt.
set -euo pipefail

# Installed without "Recommends", so whatever a program needs at run time
# beyond its hard dependencies is named here as well.
packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev
  # the windows' German texts: lupdate and lrelease, and Qt's own German
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang libclang-rt-14-dev
  # the number path of every build: reading (fast_float) and writing (fmt), header-only
  libfast-float-dev libfmt-dev
  # the WebAssembly build of web/ (emcmake; its linker runs Node.js with
  # Debian's acorn, a dependency of the package) and its tests under Node.js
  emscripten nodejs
  # text in the windows, the plots and the report (Qt finds fonts through fontconfig)
  fontconfig fonts-liberation2
  # the X11 runs of the widget tests: xvfb-run needs xauth (only recommended);
  # the screenshot tools (tools/language_shot, dialog_shot) run under twm
  xvfb xauth twm
  # reading the metafile back: wmf2svg fails without libwmf's recommended fonts
  libwmf-bin fonts-urw-base35
  # reading the printed report back: pdftotext, pdftoppm
  poppler-utils
  # simulating the exported netlists in the tests
  ngspice
  # the manual pages: checked with mandoc and groff, shown with man
  mandoc groff-base man-db
  # the Debian package: made with dpkg-shlibdeps (dpkg-dev), checked with
  # dpkg-deb, readelf (binutils), desktop-file-validate and appstreamcli
  dpkg-dev binutils desktop-file-utils appstream
  # the web page's tests: Debian's Chromium, headless, driven by playwright-core
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
