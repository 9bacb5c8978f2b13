#!/bin/sh
# Checks the Debian package the build made (the package.build test makes it
# first): its control fields, that it holds exactly the programs and the
# desktop files and nothing of the tests, benchmarks or tools, that what it
# installs passes the desktop's own validators, and that the programs in it
# run. Builds nothing.
#   check_package.sh PACKAGE.deb VERSION SOURCE_FOLDER "ICON_SIZES"
# Exit status 0 when all is well, 1 with each fault on standard output, 77
# (skipped) where dpkg-deb is missing.
deb=$1
version=$2
source=$3
icon_sizes=$(echo "$4" | tr ";" " ")

if ! command -v dpkg-deb >/dev/null 2>&1; then
  echo "SKIPPED: dpkg-deb is missing (not a Debian system?): the package is not checked"
  exit 77
fi
status=0
fail() { echo "FAIL: $*"; status=1; }
need() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "FAIL: $1 is missing: install the Debian package $2 (tools/install-deps.sh)"
  exit 1
}
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need readelf binutils

[ -f "$deb" ] || { echo "FAIL: $deb was not built"; exit 1; }
case $(basename "$deb") in
  "tessera_${version}_$(dpkg --print-architecture).deb") ;;
  *) fail "the package is named $(basename "$deb")" ;;
esac

# Control fields.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tessera ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = electronics ] || fail "Section: $(field Section)"
case $(field Maintainer) in *?" <"*@*">") ;; *) fail "Maintainer: $(field Maintainer)" ;; esac
description=$(field Description)
[ -n "$(echo "$description" | head -n 1)" ] || fail "no synopsis in Description"
[ "$(echo "$description" | wc -l)" -gt 2 ] || fail "no long description: $description"
case ", $(field Suggests)," in *", ngspice,"*) ;; *) fail "Suggests: $(field Suggests), without ngspice" ;; esac
case ", $(field Recommends)," in *", qt6-translations-l10n,"*) ;; *) fail "Recommends: $(field Recommends), without qt6-translations-l10n" ;; esac
depends=$(field Depends)
# dpkg-shlibdeps found these from the programs; versions come from the libraries.
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6; do
  case ", $depends" in *", $library ("*|*", $library,"*) ;; *) fail "Depends lacks $library: $depends" ;; esac
done
case $depends in *gtest*|*gmock*|*benchmark*) fail "Depends names a test library: $depends" ;; esac

# Contents: exactly these files (folders aside).
expected="./usr/bin/tessera
./usr/bin/tessera-design
./usr/share/applications/tessera.desktop
./usr/share/icons/hicolor/scalable/apps/tessera.svg
./usr/share/man/man1/tessera-design.1.gz
./usr/share/man/man1/tessera.1.gz
./usr/share/mime/packages/tessera.xml"
for size in $icon_sizes; do
  expected="$expected
./usr/share/icons/hicolor/${size}x${size}/apps/tessera.png"
done
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -tvf - | awk '$1 !~ /^d/ {print $6}' | grep -v '^./usr/share/metainfo/' | sort)
expected=$(echo "$expected" | sort)
if [ "$files" != "$expected" ]; then
  fail "the package's files differ from the expected ones (< package, > expected):"
  printf '%s\n' "$files" > "${TMPDIR:-/tmp}/tessera-package-files.$$"
  printf '%s\n' "$expected" | diff "${TMPDIR:-/tmp}/tessera-package-files.$$" - | grep '^[<>]'
  rm -f "${TMPDIR:-/tmp}/tessera-package-files.$$"
fi
metainfo_count=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -c '^./usr/share/metainfo/.*\.metainfo\.xml$')
[ "$metainfo_count" -eq 1 ] || fail "$metainfo_count metainfo files in /usr/share/metainfo"

# What it installs, unpacked.
root=$(mktemp -d "${TMPDIR:-/tmp}/tessera-package.XXXXXX")
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
share=$root/usr/share

out=$(desktop-file-validate "$share/applications/tessera.desktop" 2>&1) || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
for metainfo in "$share"/metainfo/*.metainfo.xml; do
  out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
  grep -q "<release version=\"$version\"" "$metainfo" || fail "$(basename "$metainfo") has no release $version"
  grep -q '<launchable type="desktop-id">tessera.desktop</launchable>' "$metainfo" ||
    fail "$(basename "$metainfo") does not launch tessera.desktop"
  [ "$(basename "$metainfo" .metainfo.xml)" = "$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo")" ] ||
    fail "$(basename "$metainfo") is not named after its id"
done

# The desktop entry opens the type the MIME file defines for "*.tsn".
mime_type=$(sed -n 's:.*<mime-type type="\([^"]*\)".*:\1:p' "$share/mime/packages/tessera.xml")
grep -q '<glob pattern="\*.tsn"/>' "$share/mime/packages/tessera.xml" || fail "the MIME file does not claim *.tsn"
grep -q "^MimeType=.*$mime_type;" "$share/applications/tessera.desktop" ||
  fail "tessera.desktop does not open $mime_type"

# Icons: each PNG as large as its folder says (width and height at bytes 16-23).
for size in $icon_sizes; do
  png=$share/icons/hicolor/${size}x${size}/apps/tessera.png
  [ -f "$png" ] || continue
  dimensions=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$dimensions" = "${size}x${size}" ] || fail "$png is $dimensions"
done

# Manual pages: the sources, gzipped.
for page in tessera tessera-design; do
  gz=$share/man/man1/$page.1.gz
  [ -f "$gz" ] || continue
  gzip -dc "$gz" | cmp -s - "$source/doc/man/$page.1" || fail "$page.1.gz is not doc/man/$page.1"
done

# Programs: stripped, without a build-tree run path, and they run.
for program in tessera tessera-design; do
  binary=$root/usr/bin/$program
  [ -f "$binary" ] || continue
  if readelf -d "$binary" | grep -Eq 'RPATH|RUNPATH'; then fail "$program has a run path: $(readelf -d "$binary" | grep -E 'RPATH|RUNPATH')"; fi
  if readelf -S "$binary" | grep -q '\.symtab'; then fail "$program is not stripped"; fi
  out=$(QT_QPA_PLATFORM=no-such-platform DISPLAY= WAYLAND_DISPLAY= "$binary" --version 2>&1)
  [ "$out" = "TESSERA $version" ] || fail "$program --version prints \"$out\""
done

[ $status -eq 0 ] && echo "tessera_${version}: fields, files, desktop entry, metainfo, icons, manual pages and programs as they should be"
exit $status
