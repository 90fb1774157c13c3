#!/usr/bin/env bash
# quillet started as an operator starts it keeps today's journal: timed lines, the reason of
# an automatic field choice, a refused label; a killed program's journal ends with its last
# whole label, and the script made from it replays to the same host lines. An unwritable
# journal folder costs one status line and no label.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
replay="$1/tools/replay/quillet-replay"

mkdir -p "$work/bin" "$work/windows" "$work/programs"
printf '[VORKSTAB]\r\nCommPollTime=100\r\nGCodePath=%s/programs/\r\nCSVInPath=%s\r\nCSVOutPath=%s/out.csv\r\nAutoClear=0\r\nHalfLimitX=1220\r\nHalfLimitY=610\r\nFieldCode_FFS=S\r\nFieldFlag_FFS=1\r\nFieldCode_SFN=N\r\n' \
    "$work" "$work" "$work" >"$work/bin/ZOR.INI"
journal="$XDG_STATE_HOME/quillet/journal/$(date +%F).log"

start() {
    QT_QPA_PLATFORM=offscreen "$quillet" --program-dir "$work/bin" --windows-dir "$work/windows" \
        --virtual-scanner --unattended --trace "$work/trace" --quit-after 60 "$@" \
        >"$work/out" 2>"$work/err" &
    pid=$!
    pids+=("$pid")
    for _ in $(seq 100); do [ -s "$work/out" ] && break; sleep 0.1; done
    scanner=$(head -n 1 "$work/out")
    [ -e "$scanner" ] || fail "no scanner path: $(cat "$work/out" "$work/err")"
    await_trace -xF "host GetExeList"
}

start
printf '%%12PA P 5' >"$scanner"
await_trace -xF "status  Waiting for next barcode..."
printf '%%22800 600 18' >"$scanner"
await_trace -xF "status Ready."
printf '%%9' >"$scanner"
await_trace -F "status Barcode Formating Error."
for _ in $(seq 50); do tail -n 1 "$journal" | grep -q ' refused ' && break; sleep 0.1; done
kill -9 "$pid"
wait "$pid" 2>/dev/null || true

tail -n 1 "$journal" | grep -q ' refused a row needs' || fail "journal does not end with the label: $(tail -n 3 "$journal")"
grep -qv '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9] ' "$journal" && fail "a line without its time"
grep -q ' decide field S: 800 x 600 against half limits 1220 x 610: x within, y within; normal group, tried FFS fits; ' "$journal" ||
    fail "no decide line: $(cat "$journal")"
grep -q ' decide' "$work/trace" && fail "a journal-only line in the trace"
# The trace is the journal without its times and its own lines.
diff <(sed -E 's/^[^ ]+ //' "$journal" | grep -Ev '^(journal|scan|decide|refused|list|typed|click|label|input|try)( |$)') \
    "$work/trace" >/dev/null || fail "the journal's lines differ from the trace's"

"$replay" --script-from-journal "$journal" >"$work/script"
[ "$(grep -c '^scan ' "$work/script")" = 3 ] || fail "script: $(cat "$work/script")"
"$replay" --program-dir "$work/bin" --windows-dir "$work/windows" --trace "$work/replayed" \
    "$work/script" || true
diff <(grep '^host AddLine' "$work/trace") <(grep '^host AddLine' "$work/replayed") ||
    fail "the replay's host lines differ"

# A folder that cannot be made: one status line, and the label still reaches the host.
touch "$work/file"
start --journal "$work/file/journal"
printf '%%11PB S 5' >"$scanner"
await_trace -xF "status Ready."
[ "$(grep -c '^status The journal cannot be written' "$work/trace")" = 1 ] ||
    fail "not told once of the unwritable journal"
grep -q '^host AddLine #161=PB' "$work/trace" || fail "the label was lost"
