#!/usr/bin/env bash
# quillet started as an operator starts it keeps today's journal: timed lines, the reason of
# an automatic field choice, a refused label; a killed program's journal ends with its last
# whole label, and the script made from it replays to the same host lines. Started again on
# a display, its labels window shows the day from the file, a label tried there reaches
# neither the host nor the rows. An unwritable journal folder costs one status line and no
# label.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"
replay="$1/tools/replay/quillet-replay"

mkdir -p "$work/bin" "$work/windows" "$work/programs"
printf '[VORKSTAB]\r\nCommPollTime=100\r\nGCodePath=%s/programs/\r\nCSVInPath=%s\r\nCSVOutPath=%s/out.csv\r\nAutoClear=0\r\nHalfLimitX=1220\r\nHalfLimitY=610\r\nFieldCode_FFS=S\r\nFieldFlag_FFS=1\r\nFieldCode_SFN=N\r\n' \
    "$work" "$work" "$work" >"$work/bin/ZOR.INI"
journal="$XDG_STATE_HOME/quillet/journal/$(date +%F).log"

# start [OPTION...]: unattended and without a display unless $platform names one.
start() {
    QT_QPA_PLATFORM=${platform:-offscreen} "$quillet" --program-dir "$work/bin" \
        --windows-dir "$work/windows" --virtual-scanner --trace "$work/trace" --quit-after 60 "$@" \
        >"$work/out" 2>"$work/err" &
    pid=$!
    pids+=("$pid")
    for _ in $(seq 100); do [ -s "$work/out" ] && break; sleep 0.1; done
    scanner=$(head -n 1 "$work/out")
    [ -e "$scanner" ] || fail "no scanner path: $(cat "$work/out" "$work/err")"
    await_trace -xF "host GetExeList"
}

start --unattended
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

# Started again, attended, on a display of its own: View, "Today's Labels" shows the day
# from the file, newest first, as the journal tells it; a label tried in the window's box
# is journaled as a try and reaches neither the host nor the rows.
entry=$(grep -o ' host AddLine #161=PA\.CNC;.*' "$journal" | head -n 1)
virtual_display
platform=xcb start
main=$(window_of Quillet) || fail "no main window"
xdotool windowfocus --sync "$main" key alt+v
sleep 0.3
xdotool key l
labels=$(window_of "Today's Labels") || fail "the labels window did not open"
sleep 0.3
# A click into the table's empty part, then every row selected and copied.
xdotool mousemove --window "$labels" 400 200 click 1
sleep 0.2
xdotool key ctrl+a ctrl+c
sleep 0.3
clipboard >"$work/rows"
[ "$(grep -c . "$work/rows")" = 2 ] || fail "rows copied: $(cat "$work/rows")"
time_of() { grep -F " label $1" "$journal" | head -n 1 | cut -d ' ' -f 1; }
row() { sed -n "$1p" "$work/rows"; }
row 1 | grep -qF "$(printf '%s\t%%9\tnot a label\t\trefused: Barcode Formating Error.  %%9\ta row needs "%%", its number' \
    "$(time_of 'not a label: %9')")" || fail "the refused label's row: $(row 1)"
row 2 | grep -qF "$(printf '%s\t%%12PA P 5 + %%22800 600 18\trow set of 2\t%s\tadded and acknowledged\t' \
    "$(time_of 'row 2 of 2: %22800 600 18')" \
    "$(echo "$entry" | sed -E 's/.*#161=([^;]*);.*#171=([^;]*);.*/\1 in field \2/')")" ||
    fail "the row set's row: $(row 2)"
row 2 | grep -qF 'field S: 800 x 600 against half limits' || fail "the row set's reason: $(row 2)"
touch "$work/before-try"
sleep 0.01
xdotool key Tab
xdotool type '%11PT S 5'
xdotool key Return
for _ in $(seq 50); do grep -q ' try host AddLine #161=PT\.CNC;' "$journal" && break; sleep 0.1; done
grep -q ' try host AddLine #161=PT\.CNC;' "$journal" || fail "no try in the journal: $(tail -n 5 "$journal")"
grep -q '^host AddLine' "$work/trace" && fail "the try reached the host"
changed=$(find "$work" -maxdepth 2 -type f -newer "$work/before-try" ! -name trace ! -name out ! -name err)
[ -z "$changed" ] || fail "the try wrote $changed"
kill "$pid"
wait "$pid" 2>/dev/null || true

# A folder that cannot be made: one status line, and the label still reaches the host.
touch "$work/file"
platform=offscreen start --unattended --journal "$work/file/journal"
printf '%%11PB S 5' >"$scanner"
await_trace -xF "status Ready."
[ "$(grep -c '^status The journal cannot be written' "$work/trace")" = 1 ] ||
    fail "not told once of the unwritable journal"
grep -q '^host AddLine #161=PB' "$work/trace" || fail "the label was lost"
