#!/usr/bin/env bash
# quillet end to end: the scanner's device (a socat pseudo-terminal pair) goes away and
# comes back; the port reopens by itself and labels scanned afterwards all arrive.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
command -v socat >/dev/null || { echo "socat missing: skipped"; exit 0; }
await() { await_trace -G "$1"; }
plug() {
    socat pty,raw,echo=0,link="$work/scanner" pty,raw,echo=0,link="$work/port" &
    socat_pid=$!
    for _ in $(seq 50); do [ -e "$work/scanner" ] && [ -e "$work/port" ] && return 0; sleep 0.1; done
    fail "socat made no terminals"
}
unplug() {
    kill "$socat_pid"
    wait "$socat_pid" 2>/dev/null || true
    socat_pid=
}

mkdir -p "$work/bin" "$work/windows"
printf '[VORKSTAB]\r\nCommPollTime=100\r\nCSVInPath=%s\r\nCSVOutPath=%s/out.csv\r\n' \
    "$work" "$work" >"$work/bin/ZOR.INI"
plug
QT_QPA_PLATFORM=offscreen "$quillet" --program-dir "$work/bin" --windows-dir "$work/windows" \
    --serial-device "$work/port" --unattended --trace "$work/trace" --quit-after 60 \
    >"$work/out" 2>"$work/err" &
pids+=($!)
await "^host GetExeList$"
sleep 0.3
printf '%%START%%' >"$work/scanner"
await "^host Start$"

unplug
await "^status Scanner port .* lost"
plug
await "^status Scanner port .* is back\.$"

# Every label scanned after the device came back arrives.
printf '%%STOP%%' >"$work/scanner"
await "^host Stop$"
sleep 0.5
printf '%%19AFTER N' >"$work/scanner"
await '^host AddLine #161=AFTER.CNC;#164=999;'
sleep 0.5
printf '%%END%%' >"$work/scanner"
await "^host End$"
grep -q "^message" "$work/trace" && fail "no message box expected: $(grep '^message' "$work/trace")"
exit 0
