#!/usr/bin/env bash
# quillet-replay end to end: start-up trace, framing of scans and bursts, compressed labels,
# option writes to ZOR.INI, and the exit status for a missing ZOR.INI, an unreachable host
# and a script error.
set -euo pipefail
replay="$1/tools/replay/quillet-replay"
pack="$1/tools/pack/quillet-pack"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/bin" "$work/windows" "$work/c/prod"
printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n' >"$work/bin/ZOR.INI"
run() { "$replay" --program-dir "$work/bin" --windows-dir "$work/windows" \
    --drive "C=$work/c" "$@"; }

# Start-up and the option boxes.
cat >"$work/options.script" <<'SCRIPT'
# clicks are written as " 0" / " 1"
set AClear 0
set Overwrite 1
set AutoStart 0

set ShowEd 1
SCRIPT
run --trace "$work/options.trace" "$work/options.script" || fail "options script: exit $?"
cat >"$work/expected" <<'TRACE'
pause 1
host Attach true
host GetExeList
TRACE
diff -u "$work/expected" "$work/options.trace" || fail "start-up trace"
printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\nAutoClear= 0\r\nOverwrite= 1\r\n' \
    >"$work/expected"
cmp "$work/expected" "$work/bin/ZOR.INI" || fail "ZOR.INI after the clicks: $(cat -A "$work/bin/ZOR.INI")"

# Framing: what reaches the interpreter shows in the status line as it is framed.
packed=$(printf '%%START%%' | "$pack" --escaped)
cat >"$work/framing.script" <<SCRIPT
scan %START%%STOP%
scan 'ABC\$XYZ
scan '\$
scan AB!CD%
burst %A
tick
burst B%
tick 3
scan \\x00%\\xff
scan $packed
SCRIPT
run "$work/framing.script" >"$work/framing.trace" || fail "framing script: exit $?"
cat >"$work/expected" <<'TRACE'
status Reading Barcode-Label.%START%%STOP%
status Reading Barcode-Label.%STOP%
status Reading Barcode-Label.ABC
status Reading Barcode-Label.AB CD%
status Reading Barcode-Label.%AB%
status Reading Barcode-Label.\x00%\xff
status Reading Barcode-Label.\xff
status Reading Barcode-Label.%START%
TRACE
grep '^status Reading' "$work/framing.trace" | diff -u "$work/expected" - || fail "framing"

# The program would have ended: exit status 1 and the message in the trace.
if "$replay" --program-dir "$work/none" --windows-dir "$work/none" "$work/options.script" \
    >"$work/trace"; then fail "ran without ZOR.INI"; fi
grep -qx 'message critical|Quillet|File ZOR.INI Not Found' "$work/trace" || fail "no ZOR.INI message"
status=0
run --host-withhold-list forever --host-connect-timeout 0.2 "$work/options.script" \
    >"$work/trace" || status=$?
[ "$status" = 1 ] || fail "unreachable host: exit $status"
grep -qx 'message critical|ERROR|Tormial Connection Failed!' "$work/trace" ||
    fail "no connection message"

# A script error names its line and runs nothing.
printf 'scan %%START%%\n\ntick x\n' >"$work/bad.script"
status=0
run --trace "$work/bad.trace" "$work/bad.script" 2>"$work/err" || status=$?
[ "$status" = 2 ] || fail "script error: exit $status"
grep -q 'line 3: tick takes' "$work/err" || fail "script error message: $(cat "$work/err")"
[ ! -s "$work/bad.trace" ] || fail "a bad script ran"
echo "quillet-replay ok"
