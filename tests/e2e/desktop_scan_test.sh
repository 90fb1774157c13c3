#!/usr/bin/env bash
# quillet end to end over its virtual scanner: label bursts with quiet gaps and high bytes
# reach the simulated host as exact field strings, and "ACK" comes back on the line; a CR
# after each code, as scanners send by default, changes nothing.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
await() { await_trace -xF "$1"; }

mkdir -p "$work/bin" "$work/windows" "$work/programs"
printf '[VORKSTAB]\r\nCommPollTime=100\r\nGCodePath=%s/programs/\r\nCSVInPath=%s\r\nCSVOutPath=%s/out.csv\r\nAutoClear=0\r\n' \
    "$work" "$work" "$work" >"$work/bin/ZOR.INI"
printf 'ZOR\r\n; A piece\r\nUNITS X=800 Y=600 Z=18\r\n' >"$work/programs/PI"$'\xd1'"A.CNC"

QT_QPA_PLATFORM=offscreen "$quillet" --program-dir "$work/bin" --windows-dir "$work/windows" \
    --virtual-scanner --unattended --trace "$work/trace" --quit-after 60 \
    >"$work/out" 2>"$work/err" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/out" ] && break; sleep 0.1; done
scanner=$(head -n 1 "$work/out")
[ -e "$scanner" ] || fail "no scanner path: $(cat "$work/out" "$work/err")"
await "host GetExeList"
cat "$scanner" >"$work/acks" &
pids+=($!)

# Row 1 in two bursts inside the quiet time, the program name with byte 0xD1.
printf '%%12PI\321' >"$scanner"
printf 'A N 5' >"$scanner"
await "status  Waiting for next barcode..."
# Row 2 without dimensions: they come from the program file.
printf '%%220 0 0' >"$scanner"
await 'host AddLine #161=PI\xd1A.CNC;#164=1;#171=1;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;'
await "status Ready."

# A one-row set whose name is all high bytes, then a command after a quiet gap.
printf '%%19\200\377\351 S1' >"$scanner"
await 'host AddLine #161=\x80\xff\xe9.CNC;#164=999;#171=9;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;'
sleep 0.5
printf '%%STOP%%' >"$scanner"
await "host Stop"

# The same row set as a scanner sends it out of the box, a CR after each code: the same
# entry once more, and no label made of the CRs.
await_count() {
    for _ in $(seq 150); do
        [ "$(grep -cxF -- "$1" "$work/trace")" -ge "$2" ] && return 0
        sleep 0.1
    done
    fail "fewer than $2 trace lines: $1"
}
sleep 0.5
printf '%%12PI\321A N 5\r' >"$scanner"
await_count "status  Waiting for next barcode..." 2
printf '%%220 0 0\r' >"$scanner"
await_count 'host AddLine #161=PI\xd1A.CNC;#164=1;#171=1;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;' 2
await_count 'serial-out ACK\r' 3
[ "$(grep -c '^host AddLine' "$work/trace")" = 3 ] || fail "three entries, none made of a CR"

grep -c '^serial-out ACK\\r$' "$work/trace" | grep -qx 3 || fail "three ACKs in the trace"
for _ in $(seq 50); do
    [ "$(cat "$work/acks")" = $'ACK\rACK\rACK\r' ] && break
    sleep 0.1
done
[ "$(cat "$work/acks")" = $'ACK\rACK\rACK\r' ] || fail "ACKs read back: $(od -c "$work/acks")"
grep -q '^status Reading Barcode-Label.%12PI\\xd1A N 5$' "$work/trace" || fail "one label of two bursts"
