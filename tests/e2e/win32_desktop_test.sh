#!/usr/bin/env bash
# quillet.exe end to end under Wine and a virtual X display: COM1 is a pseudo-terminal, so
# labels reach the host (the test automation server over COM, or the simulated host) and
# "ACK" comes back on the line; a pulled and returned scanner; each dialog opened from the
# menu and closed, with screenshots; a scanner on COM7 chosen from the Settings dialog's
# list of the system's ports; today's labels in their window, and a label tried there.
#   win32_desktop_test.sh BUILD COM1_LINK COM7_LINK
# Wine (WINEPREFIX, a running wineserver) and DISPLAY come from the caller; COM1 and COM7
# of that prefix must already map onto COM1_LINK and COM7_LINK, symbolic links this script
# points at fresh pseudo-terminals.
set -euo pipefail
build=$1
com1=$2
com7=${3:-}
exe="$build/src/quillet.exe"
[ -f "$exe" ] || { echo "quillet.exe not built: skipped"; exit 0; }
shots="$build/screenshots"
mkdir -p "$shots"
# shellcheck source=SCRIPTDIR/program_run_common.sh
source "$(dirname "$0")/program_run_common.sh"
await() { await_trace -xF "$1"; }
wpath() { winepath -w "$1" 2>/dev/null; }
# A folder (or file) that takes no change of its entries, as the Windows folder is for a
# standard user; root ignores permission bits, so root makes it immutable.
lock() { chattr +i "$@" 2>/dev/null || chmod a-w "$@"; }
unlock() { chattr -i "$@" 2>/dev/null || true; chmod u+w "$@" 2>/dev/null || true; }
trap 'unlock "$work/bin/ZOR.INI" "$work/bin"; cleanup' EXIT

plug_scanner() {
    socat pty,raw,echo=0,link="$com1" pty,raw,echo=0,link="$work/scanner" 2>/dev/null &
    socat_pid=$!
    for _ in $(seq 50); do [ -e "$work/scanner" ] && [ -e "$com1" ] && break; sleep 0.1; done
    cat "$work/scanner" >>"$work/acks" 2>/dev/null &
    pids+=($!)
}
pull_scanner() {
    kill "$socat_pid"
    wait "$socat_pid" 2>/dev/null || true
    socat_pid=
    rm -f "$work/scanner"
}

# The window, or the dialog with this title, once it is on the screen; $2 tenths of a
# second at most (default 100).
window_of() {
    local id
    for _ in $(seq "${2:-100}"); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
gone() {
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}
shoot() { import -window "$1" "$shots/$2.png" 2>/dev/null || fail "no screenshot $2"; }

# A menu command by its mnemonics; the dialog it opens is photographed and closed.
dialog_from_menu() {
    local menu=$1 item=$2 title=$3 shot=$4 close=$5 id
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key "alt+$menu"
    sleep 0.3
    xdotool key "$item"
    id=$(window_of "$title") || fail "dialog $title did not open"
    sleep 0.3
    shoot "$id" "$shot"
    xdotool key "$close"
    gone "$title" || fail "dialog $title did not close"
}

mkdir -p "$work/bin" "$work/windows" "$work/programs"
# The port is read from ZOR.INI: number 3 (mapped onto COM1; number 1 leads nowhere) and
# settings other than the defaults.
printf '[VORKSTAB]\r\nCommPollTime=100\r\nCommPort=3\r\nSettings=4800,N,8,1\r\nGCodePath=%s\\\r\nCSVInPath=%s\\\r\nCSVOutPath=%s\r\nAutoClear=0\r\nFieldCode_SFN=N\r\nFieldCode_SFM=M\r\nFieldCode_SFS=s\r\nFieldFlag_SFS=1\r\nFieldCode_SFA=A\r\nFieldFlag_SFA=2\r\nFieldCode_FFS=FRS12\r\nFieldFlag_FFS=1\r\nHalfLimitX=1220\r\nHalfLimitY=610\r\n' \
    "$(wpath "$work/programs")" "$(wpath "$work")" "$(wpath "$work/out.csv")" >"$work/bin/ZOR.INI"
printf 'ZOR\r\n; A piece\r\nUNITS X=800 Y=600 Z=18\r\n' >"$work/programs/PIA.CNC"
: >"$work/acks"
plug_scanner

# With the test automation server registered (the Windows stage does so), the program talks
# to it over COM and the server's record must match the client's host lines; otherwise the
# simulated host stands in.
host=simulated
if [ -n "${QUILLET_TESTHOST_DIR:-}" ]; then
    host=com
    : >"$work/record"
    printf 'record=%s\n' "$(wpath "$work/record")" >"$QUILLET_TESTHOST_DIR/quillet-testhost.cfg"
fi
started=$(date +%s.%N)
wine "$exe" --host "$host" --program-dir "$(wpath "$work/bin")" \
    --windows-dir "$(wpath "$work/windows")" --trace "$(wpath "$work/trace")" --quit-after 120 \
    --com '1=\\.\COM9' --com '3=\\.\COM1' \
    </dev/null >"$work/out" 2>"$work/err" &
pids+=($!)
# The first window of a fresh wineserver waits for Wine's desktop to start (up to ~15 s).
main=$(window_of Quillet 600) || fail "no main window: $(cat "$work/err")"
await "host GetExeList"
echo "main window after $(echo "$(date +%s.%N) - $started" | bc) s"
sleep 0.5
shoot "$main" main-window

# A two-row label set reaches the host as one AddLine, and "ACK" comes back; each row ends
# in a CR, as scanners send by default, and the entry is the bare set's.
printf '%%12PIA N 5\r' >"$work/scanner"
await "status  Waiting for next barcode..."
sleep 0.3
shoot "$main" main-window-row-pending
printf '%%220 0 0\r' >"$work/scanner"
await 'host AddLine #161=PIA.CNC;#164=1;#171=1;#284=0;#280=;#165=1;#168=800;#169=600;#170=18;#282=;#283=;'
await "status Ready."

# A burst whose name is all high bytes.
printf '%%19\200\377\351 S1' >"$work/scanner"
await 'host AddLine #161=\x80\xff\xe9.CNC;#164=999;#171=9;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;'
for _ in $(seq 50); do
    [ "$(cat "$work/acks")" = $'ACK\rACK\r' ] && break
    sleep 0.1
done
[ "$(cat "$work/acks")" = $'ACK\rACK\r' ] || fail "ACKs read back: $(od -c "$work/acks")"

# The scanner pulled out: told once; back within about a second of its return; the next
# label goes through.
pull_scanner
await 'status Scanner port \\\\.\\COM1 lost: Not ready'
sleep 2
[ "$(grep -c 'lost:' "$work/trace")" = 1 ] || fail "the loss told more than once"
plugged=$(date +%s.%N)
plug_scanner
await 'status Scanner port \\\\.\\COM1 is back.'
echo "port back after $(echo "$(date +%s.%N) - $plugged" | bc) s"
printf '%%19ABC S1' >"$work/scanner"
await 'host AddLine #161=ABC.CNC;#164=999;#171=9;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;'
await "status Ready."

dialog_from_menu o s Settings settings-dialog Escape
# The machine field dialog: Enter closes nothing; each tab photographed; Escape cancels; the
# next showing opens on the tab last shown.
fields="Automatic Field Selection Setup"
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+o
sleep 0.3
xdotool key a
id=$(window_of "$fields") || fail "dialog $fields did not open"
sleep 0.3
shoot "$id" field-dialog
xdotool key Return
sleep 0.3
window_of "$fields" 1 >/dev/null || fail "Enter closed $fields"
for shot in field-dialog-standard field-dialog-front-back field-dialog-limits; do
    xdotool key Right
    sleep 0.3
    shoot "$id" "$shot"
done
cp "$work/bin/ZOR.INI" "$work/before.ini"
xdotool key Escape
gone "$fields" || fail "dialog $fields did not close"
cmp -s "$work/bin/ZOR.INI" "$work/before.ini" || fail "Escape stored the machine fields"
dialog_from_menu o a "$fields" field-dialog-reopened Escape
# From here on the folder of ZOR.INI takes no new file: every change is still stored.
lock "$work/bin"
# "Set All" on the standard fields, then OK: every value stored, codes upper-cased, flags
# as the host writes them.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+o
sleep 0.3
xdotool key a
id=$(window_of "$fields") || fail "dialog $fields did not open again"
sleep 0.3
xdotool key Left Left
sleep 0.3
xdotool mousemove --window "$id" 55 355 click 1
sleep 0.3
xdotool mousemove --window "$id" 365 355 click 1
gone "$fields" || fail "OK did not close $fields"
for line in "FieldFlag_SFA= 1" FieldCode_SFS=S "FieldFlag_SFT= 1" HalfLimitX=1220; do
    grep -q "^$line"$'\r'"\$" "$work/bin/ZOR.INI" || fail "OK did not store $line: $(cat "$work/bin/ZOR.INI")"
done
dialog_from_menu o e "Exclusion Insertion" exclusion-dialog Escape
# Enter is OK in both forms: the exclusion flags as shown, the serial settings as chosen.
dialog_from_menu o e "Exclusion Insertion" exclusion-dialog-ok Return
dialog_from_menu o s Settings settings-dialog-ok Return
# An option box: "Overwrite ..." (checked by default) clicked off.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool mousemove --window "$main" 30 96 click 1
sleep 0.5
for line in Exclusion=00000000 Settings=4800,N,8,1 CommPort=3 "Overwrite= 0"; do
    grep -q "^$line"$'\r'"\$" "$work/bin/ZOR.INI" || fail "OK did not store $line: $(cat "$work/bin/ZOR.INI")"
done
[ "$(ls "$work/bin")" = ZOR.INI ] || fail "files left beside ZOR.INI: $(ls "$work/bin")"
grep -q '^message exclamation' "$work/trace" && fail "a stored change was reported"
# ZOR.INI itself locked too: the change is told once, with the file and the system's words.
lock "$work/bin/ZOR.INI"
dialog_from_menu o e "Exclusion Insertion" exclusion-dialog-refused Return
# The trace doubles each backslash.
told="message exclamation|Quillet|The settings could not be saved in $(wpath "$work/bin" | sed 's/\\/\\\\/g')\\\\ZOR.INI: "
await_trace -F "$told"
sleep 0.5
xdotool key Return
[ "$(grep -cF "$told" "$work/trace")" = 1 ] || fail "the failed write not told once"
unlock "$work/bin/ZOR.INI" "$work/bin"
dialog_from_menu question a "About Quillet" about-dialog Return
dialog_from_menu o t "Scanner Test" scanner-test-dialog Escape

# A scanner on COM7, chosen under "Other:" from the list of the system's ports (Wine lists
# them only in SERIALCOMM): its label is acknowledged and CommPort=7 stored.
if [ -n "$com7" ]; then
    socat pty,raw,echo=0,link="$com7" pty,raw,echo=0,link="$work/scanner7" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 50); do [ -e "$work/scanner7" ] && [ -e "$com7" ] && break; sleep 0.1; done
    : >"$work/acks7"
    cat "$work/scanner7" >>"$work/acks7" 2>/dev/null &
    pids+=($!)
    # The list holds the ports in number order: COM7's place among them (the key's own name,
    # SERIALCOMM, is no port).
    numbers=$(wine reg query 'HKLM\HARDWARE\DEVICEMAP\SERIALCOMM' </dev/null 2>/dev/null |
        sed -n 's/.*REG_SZ *COM\([0-9][0-9]*\).*/\1/p' | sort -nu)
    echo "$numbers" | grep -qx 7 || fail "Wine lists no COM7: $numbers"
    place=$(echo "$numbers" | awk '$1 < 7' | wc -l)
    xdotool windowfocus --sync "$main" 2>/dev/null || true
    xdotool key alt+o
    sleep 0.3
    xdotool key s
    id=$(window_of Settings) || fail "dialog Settings did not open"
    sleep 0.3
    xdotool key Tab Home
    for _ in $(seq "$place"); do xdotool key Down; done
    xdotool key alt+Down
    sleep 0.5
    import -window root -crop 1024x768+0+0 "$shots/settings-dialog-list.png" 2>/dev/null ||
        fail "no screenshot settings-dialog-list"
    xdotool key alt+Up
    sleep 0.3
    shoot "$id" settings-dialog-com7
    xdotool key Return
    gone Settings || fail "dialog Settings did not close"
    grep -q $'^CommPort=7\r$' "$work/bin/ZOR.INI" || fail "CommPort=7 not stored: $(cat "$work/bin/ZOR.INI")"
    sleep 0.5
    # Not "COM7" as the label's name: COM7.CSV would open the port itself.
    printf '%%19SEVEN S1' >"$work/scanner7"
    await 'host AddLine #161=SEVEN.CNC;#164=999;#171=9;#284=0;#280=;#165=1;#168=;#169=;#170=;#282=;#283=;'
    for _ in $(seq 50); do
        [ "$(cat "$work/acks7")" = $'ACK\r' ] && break
        sleep 0.1
    done
    [ "$(cat "$work/acks7")" = $'ACK\r' ] || fail "no ACK on COM7: $(od -c "$work/acks7")"
fi

# The journal kept without being asked for: today's file in the user's local application
# data, every line timed, the last label's scan in it.
journal=$(find "$WINEPREFIX/drive_c/users" -path "*/Quillet/Journal/$(date +%F).log" 2>/dev/null | head -n 1)
[ -n "$journal" ] || fail "no journal in the user's local application data"
grep -q ' scan %19ABC S1$' "$journal" || fail "the journal lacks the last scan"
grep -qv '^[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9] ' "$journal" && fail "a journal line without its time"

# A refused label, then View, "Today's Labels": photographed; its rows, copied from the list,
# are the day's labels newest first as the journal tells them (read from the display's
# clipboard when the Linux build's reader is at hand); a label tried in its box is journaled
# as a try and reaches no host; closed again.
# The port is COM7's when the Settings dialog chose it.
printf '%%9' >"$work/scanner$([ -n "$com7" ] && echo 7)"
await_trace -F "status Barcode Formating Error."
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+v
sleep 0.3
xdotool key l
labels=$(window_of "Today's Labels") || fail "the labels window did not open"
# Beside the main window it runs past the screen's edge.
xdotool windowmove --sync "$labels" 0 0 2>/dev/null || true
sleep 0.5
shoot "$labels" labels-window
# The first row clicked, the selection stretched to the last, copied.
xdotool mousemove --window "$labels" 60 38 click 1
sleep 0.2
xdotool key shift+End ctrl+c
sleep 0.3
if [ -x "${QUILLET_CLIPBOARD_TOOL:-}" ]; then
    "$QUILLET_CLIPBOARD_TOOL" -platform xcb | tr -d '\r' >"$work/rows"
    # This run's labels on top; the prefix's journal of the day may hold earlier runs'.
    rows=$(($([ -n "$com7" ] && echo 5 || echo 4)))
    [ "$(grep -c . "$work/rows")" -ge "$rows" ] || fail "rows copied: $(cat "$work/rows")"
    head -n 1 "$work/rows" | grep -qF "$(printf '\t%%9\tnot a label\t\trefused: Barcode Formating Error.')" ||
        fail "the refused label's row: $(head -n 1 "$work/rows")"
    head -n "$rows" "$work/rows" | grep -qF "$(printf '\t%%19ABC S1\trow set of 1\tABC.CNC in field 9\tadded and acknowledged\t')" ||
        fail "no row of the label after the scanner's return: $(cat "$work/rows")"
    head -n "$rows" "$work/rows" | grep -qF "$(printf '\trow set of 2\tPIA.CNC in field 1\tadded and acknowledged\t')" ||
        fail "no row of the row set: $(cat "$work/rows")"
    cut -f 1 "$work/rows" | while read -r time; do
        grep -q "^$time label " "$journal" || fail "a row's time is no label's in the journal: $time"
    done
else
    echo "no clipboard reader (QUILLET_CLIPBOARD_TOOL): the copied rows not checked"
fi
# The try box, then the Try button.
xdotool mousemove --window "$labels" 100 229 click 1
sleep 0.2
xdotool type '%19TRY S1'
xdotool mousemove --window "$labels" 650 229 click 1
for _ in $(seq 50); do grep -q ' try host AddLine #161=TRY\.CNC;' "$journal" && break; sleep 0.1; done
grep -q ' try host AddLine #161=TRY\.CNC;' "$journal" || fail "no try in the journal: $(tail -n 5 "$journal")"
sleep 0.3
shoot "$labels" labels-window-tried
grep -q '^host AddLine #161=TRY' "$work/trace" && fail "the try reached the host"
xdotool windowfocus --sync "$labels" 2>/dev/null || true
xdotool key alt+F4
gone "Today's Labels" || fail "the labels window did not close"

# A second copy in the same session says so and ends; the first one goes on.
if wine "$exe" --unattended --program-dir "$(wpath "$work/bin")" \
    --windows-dir "$(wpath "$work/windows")" --trace "$(wpath "$work/second")" \
    </dev/null >/dev/null 2>&1; then
    fail "a second copy ran"
fi
grep -qxF 'message exclamation|Quillet|the Program is already running!' "$work/second" ||
    fail "the second copy did not say why it ended"
[ "$(grep -c '^host' "$work/second")" = 0 ] || fail "the second copy reached the host"

# "E&xit" ends the program: the port is released and the process ends.
xdotool windowfocus --sync "$main" 2>/dev/null || true
xdotool key alt+f
sleep 0.3
xdotool key x
for _ in $(seq 100); do
    pgrep -f "quillet.exe --host $host --program-dir $(wpath "$work/bin" | sed 's/\\/\\\\/g')" >/dev/null || break
    sleep 0.1
done
gone Quillet || fail "the main window stayed after Exit"
if [ "$host" = com ]; then
    rm -f "$QUILLET_TESTHOST_DIR/quillet-testhost.cfg"
    grep '^host ' "$work/trace" | diff -u - "$work/record" || fail "server record differs from the trace"
    grep -q 'TRY\.CNC' "$work/record" && fail "the tried label reached the server"
    entries=$([ -n "$com7" ] && echo 4 || echo 3)
    [ "$(grep -c '^host AddLine ' "$work/record")" = "$entries" ] ||
        fail "the server did not get $entries entries"
fi
echo "win32 desktop ($host host): ok (screenshots in $shots)"
