#!/usr/bin/env bash
# quillet end to end: the scanner, remembered by its by-id name, goes away from COM7 and
# comes back as another device (the link moves to a second pseudo-terminal, which COM9
# opens). It is found there within a second, once, and its next label is handled; the
# outage costs no more processor time than idling.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
command -v socat >/dev/null || { echo "socat missing: skipped"; exit 0; }
await() { await_trace -G "$1"; }
plug() { # plug NAME: a pair, NAME-scanner to write to, NAME-port for the program
    socat pty,raw,echo=0,link="$work/$1-scanner" pty,raw,echo=0,link="$work/$1-port" &
    socat_pid=$!
    for _ in $(seq 50); do [ -e "$work/$1-port" ] && return 0; sleep 0.1; done
    fail "socat made no terminals"
}
unplug() {
    kill "$socat_pid"
    wait "$socat_pid" 2>/dev/null || true
    socat_pid=
}
# Processor time of the program so far, in clock ticks (user and system).
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$program/stat"; }
link=usb-Quillet_Scanner_0001-if00

mkdir -p "$work/bin" "$work/windows" "$work/by-id"
printf '[VORKSTAB]\r\nCommPollTime=100\r\nCommPort=7\r\nCSVInPath=%s\r\nCSVOutPath=%s/out.csv\r\n[Quillet]\r\nScannerPort=%s\r\n' \
    "$work" "$work" "$link" >"$work/bin/ZOR.INI"
plug a
ln -s "$(readlink -f "$work/a-port")" "$work/by-id/$link"
QT_QPA_PLATFORM=offscreen "$quillet" --program-dir "$work/bin" --windows-dir "$work/windows" \
    --com 7="$work/a-port" --com 9="$work/b-port" --serial-by-id "$work/by-id" \
    --unattended --trace "$work/trace" --quit-after 60 >"$work/out" 2>"$work/err" &
program=$!
pids+=("$program")
await "^host GetExeList$"
sleep 0.3
printf '%%START%%' >"$work/a-scanner"
await "^host Start$"

idle_start=$(cpu_ticks)
sleep 3
idle=$(($(cpu_ticks) - idle_start))

unplug
await "^status Scanner port .* lost"
outage_start=$(cpu_ticks)
sleep 3
outage=$(($(cpu_ticks) - outage_start))
# A tick is 10 ms: five of them are the margin for a loaded machine.
echo "processor time over 3 s: idle ${idle} ticks, scanner gone ${outage} ticks"
[ "$outage" -le $((idle + 5)) ] || fail "the outage cost $outage ticks, idling $idle"

plug b
ln -sfn "$(readlink -f "$work/b-port")" "$work/by-id/$link"
moved=$(date +%s%N)
await "^status Scanner found on COM9$"
found_ms=$((($(date +%s%N) - moved) / 1000000))
echo "found again after ${found_ms} ms"
[ "$found_ms" -le 1500 ] || fail "found only after $found_ms ms"
[ "$(grep -c '^status Scanner found' "$work/trace")" -eq 1 ] || fail "more than one status line"
grep -q $'^CommPort=9\r$' "$work/bin/ZOR.INI" || fail "CommPort=9 not stored: $(cat "$work/bin/ZOR.INI")"

sleep 0.3
printf '%%19AFTER N' >"$work/b-scanner"
await '^host AddLine #161=AFTER.CNC;#164=999;'
grep -q "^message" "$work/trace" && fail "no message box expected: $(grep '^message' "$work/trace")"
exit 0
