#!/bin/sh
# tessera --version, --help and a wrong option, run where no window can
# open: each must answer and exit before the application is made.
#   command_line_test.sh PROGRAM VERSION
program=$1
version=$2
status=0
fail() { echo "FAIL: $*"; status=1; }

out=$("$program" --version 2>&1); code=$?
[ "$code" -eq 0 ] || fail "--version exits with $code"
[ "$out" = "TESSERA $version" ] || fail "--version prints \"$out\""

out=$("$program" --help 2>/dev/null); code=$?
[ "$code" -eq 0 ] || fail "--help exits with $code"
case $out in "usage: tessera "*) ;; *) fail "--help prints \"$out\"" ;; esac

err=$("$program" --no-such-option 2>&1 >/dev/null); code=$?
[ "$code" -eq 2 ] || fail "an unknown option exits with $code"
case $err in *"unknown option --no-such-option"*) ;; *) fail "an unknown option reports \"$err\"" ;; esac
out=$("$program" --no-such-option 2>/dev/null)
[ -z "$out" ] || fail "an unknown option prints on standard output: \"$out\""
out=$("$program" --help 2>/dev/null)
case $out in *"--language de|en"*) ;; *) fail "--help does not name --language" ;; esac

# An unknown language is refused before any window, naming the two there are.
for words in "--language fr" "--language=fr" "--language"; do
  err=$("$program" $words 2>&1 >/dev/null); code=$?
  [ "$code" -eq 2 ] || fail "$words exits with $code"
  case $err in *"de or en"*) ;; *) fail "$words reports \"$err\"" ;; esac
done
out=$("$program" --language de --version 2>&1); code=$?
[ "$code" -eq 0 ] && [ "$out" = "TESSERA $version" ] || fail "--language de --version: $code \"$out\""
exit $status
