#!/usr/bin/env bash
# quillet-pack from the command line: label layout, escaped output, the length limit, the
# ignored common options and a missing input file.
set -euo pipefail
pack="$1/tools/pack/quillet-pack"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'P1^X800!G0 X1\r\n' >"$work/label.txt"
"$pack" --program-dir /x --windows-dir /y --drive C=/z --trace "$work/t" --host=simulated \
    --host-fail-addline 2 --host-no-device-status "$work/label.txt" >"$work/raw"
[ "$(head -c 11 "$work/raw" | od -An -c | tr -s ' ')" = " 361 0 0 0 1 5 " ] ||
    fail "raw label header: $(head -c 11 "$work/raw" | od -An -c)"

"$pack" --escaped -o "$work/escaped" <"$work/label.txt"
[ "$(head -c 19 "$work/escaped")" = '\xf1  00015   x\xda' ] ||
    fail "escaped label: $(cat "$work/escaped")"
[ "$(wc -l <"$work/escaped")" = 1 ] || fail "escaped label is not one line"

head -c 32768 /dev/zero | tr '\0' a >"$work/long"
if "$pack" "$work/long" >"$work/out" 2>"$work/err"; then fail "32768 characters packed"; fi
grep -q 32767 "$work/err" || fail "no clear message: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "output written for a refused text"

head -c 32767 /dev/zero | tr '\0' a | "$pack" >"$work/out" || fail "32767 characters refused"

if "$pack" "$work/missing" 2>"$work/err"; then fail "missing input accepted"; fi
grep -q "cannot open" "$work/err" || fail "no message for a missing input"
echo "quillet-pack ok"
