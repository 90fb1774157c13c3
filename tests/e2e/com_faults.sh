#!/usr/bin/env bash
# The host's faults through COM, against the test automation server registered in the
# form given: a list withheld for some calls then given, AddLine refused past the bound and
# reported with the host's number and description, a host that never hands out a list, and
# (in-process form only, before any local server runs) a host that is not installed, and
# one installed for 32-bit programs only. The local server, a process of its own, also
# ends, turns calls away and asks for patience, and text goes both ways in the system's
# code page.
# Usage: com_faults.sh inproc|local|cp1250 WINDOWS_BUILD  with $QUILLET_TESTHOST_DIR set to
# the server's folder; cp1250 runs only the code page case, in a Wine session started under
# a Polish UTF-8 locale (code page 1250), with that locale in $LC_ALL.
set -euo pipefail
form=$1
shift
export QUILLET_E2E_HOST=com
# shellcheck source=SCRIPTDIR/replay_common.sh
source "$(dirname "$0")/replay_common.sh"
testhost=$QUILLET_TESTHOST_DIR/quillet-testhost

rm -rf "$work/t"
mkdir -p "$work/t/bin" "$work/t/windows" "$work/t/c/prod"
printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n' >"$work/t/bin/ZOR.INI"
printf 'G71 X800 Y600 Z18 T1\r\n' >"$work/t/c/prod/P1.CNC"

# A program named by byte 0xA3 ("\u0141" under code page 1250, "\u00a3" under 1252) is
# found under that name (its dimensions fill the entry) and reaches the host as the same
# character. Wine makes such names only under a UTF-8 locale.
codepage_case() {
    local name=$1 locale=$2
    printf 'G71 X800 Y600 Z18 T1\r\n(PANEL)\r\nG0 X0 Y0\r\n' >"$work/t/c/prod/$name"
    com_settings >/dev/null
    : >"$work/record"
    printf 'scan %%12P\\xA3 S1 V7$\nscan %%22100 0 $\n' |
        LC_ALL=$locale "$replay" --host com --program-dir "$work/t/bin" \
            --windows-dir "$work/t/windows" --drive "C=$work/t/c" --trace "$work/t/trace" - ||
        fail "replay exit $?"
    grep -q '^host AddLine #161=P\\xa3\.CNC;.*;#168=100;#169=600;#170=18;' "$work/record" ||
        fail "code page $locale: $(grep AddLine "$work/record" "$work/t/trace")"
    com_check
}
if [ "$form" = cp1250 ]; then
    codepage_case $'P\xc5\x81.CNC' "$LC_ALL"
    echo "COM host code page 1250 ok"
    exit 0
fi

# Withheld for four calls: nothing comes back as empty, as a null object and as a value
# that is no object, and the fifth call's list is used.
run --host-withhold-list 4 <<'SCRIPT'
scan %START%
SCRIPT
{
    echo 'host Attach true'
    printf 'host GetExeList%.0s\n' 1 2 3 4 5
    printf 'host Visible true\nhost ClearList\nhost Start\n'
} >"$work/expected"
grep '^host ' "$work/t/trace" | diff -u "$work/expected" - || fail "list withheld, then given"

# Refused past the bound: four tries, the operator sees the host's number and description.
run --host-fail-addline 9 <<'SCRIPT'
scan %19P1 S1 0$
SCRIPT
[ "$(grep -c '^host AddLine ' "$work/t/trace")" = 4 ] || fail "AddLine tries"
grep -q "^message critical|Quillet|Tormial did not accept the program P1.CNC: .* Tormial said: The execution list refused the line (0x80040201)$" \
    "$work/t/trace" || fail "AddLine refusal not reported: $(grep '^message' "$work/t/trace")"

# The connection ends: exit status 1, the reason, then the message of every failed
# connection.
connect_fails() {
    local status=0
    : >"$work/record"
    LC_ALL=C "$replay" --host com --program-dir "$work/t/bin" --windows-dir "$work/t/windows" \
        --trace "$work/t/trace" "$@" - </dev/null || status=$?
    [ "$status" = 1 ] || fail "connection did not end the program: exit $status"
    tail -1 "$work/t/trace" | grep -qx 'message critical|ERROR|Tormial Connection Failed!' ||
        fail "no connection message: $(cat "$work/t/trace")"
}
com_settings --host-withhold-list forever
connect_fails --host-connect-timeout 0.3
[ "$(grep -c '^host GetExeList' "$work/t/trace")" -gt 1 ] || fail "no wait for the list"
com_check

if [ "$form" = inproc ]; then
    "$testhost" --unregister </dev/null
    connect_fails
    grep -qx 'message critical|Quillet|Tormial is not installed: its automation object HostApp is not registered on this computer. (0x80040154)' \
        "$work/t/trace" || fail "not installed: $(cat "$work/t/trace")"
    ! grep -q '^host ' "$work/t/trace" || fail "host calls without a host"
    # A host whose objects are a 32-bit in-process server only: this program is 64-bit.
    class='HKLM\Software\Classes\CLSID\{13C0F70D-B865-4983-9376-88A7B00C2262}'
    wine reg add "$class\InprocServer32" /ve /d 'C:\Tormial\Bin\host32.dll' /reg:32 /f \
        </dev/null >/dev/null 2>&1
    connect_fails
    wine reg delete "$class" /reg:32 /f </dev/null >/dev/null 2>&1
    grep -q "^message critical|Quillet|Tormial's automation objects are installed for 32-bit programs: use the 32-bit Quillet (0x8004015[24])$" \
        "$work/t/trace" || fail "32-bit host: $(cat "$work/t/trace")"
    "$testhost" --register inproc </dev/null
fi

if [ "$form" = local ]; then
    codepage_case $'P\xc2\xa3.CNC' C.UTF-8

    # Each case's invariant: every entry in the server's record was acknowledged exactly
    # once, and no label was acknowledged that the record lacks. The server's settings
    # are given; the labels come from standard input.
    fault_case() {
        local what=$1
        shift
        { echo "record=$(wine_path "$work/record")"; printf '%s\n' "$@"; } \
            >"$QUILLET_TESTHOST_DIR/quillet-testhost.cfg"
        : >"$work/record"
        LC_ALL=C "$replay" --host com --program-dir "$work/t/bin" --windows-dir "$work/t/windows" \
            --drive "C=$work/t/c" --trace "$work/t/trace" - || fail "$what: replay exit $?"
        grep '^host AddLine ' "$work/record" | sort >"$work/added" || true
        awk '/^host AddLine /{line=$0} /^serial-out ACK/{print line}' "$work/t/trace" |
            sort >"$work/acked"
        diff -u "$work/added" "$work/acked" || fail "$what: entries and acknowledgements differ"
    }
    messages() { grep -c '^message ' "$work/t/trace" || true; }

    # The host ends after the second label (its 10th call) and a new one is started for
    # the next: it is attached, the label goes to it once and is started, %STOP% reaches
    # it. The new host stays up for the cases after this one.
    fault_case "host restarted" die-after=10 <<'SCRIPT'
scan %19P1 S1 0$
scan %19P2 S1 0$
scan %19P3 S1 0$
scan %STOP%
SCRIPT
    [ "$(grep -c '^host Attach true$' "$work/record")" = 2 ] || fail "not attached again"
    grep -A1 '^host AddLine #161=P3' "$work/record" | grep -qx 'host Start' || fail "no Start"
    tail -1 "$work/record" | grep -qx 'host Stop' || fail "no Stop"
    [ "$(grep -c "^status Connecting to Tormial again...$" "$work/t/trace")" = 1 ] ||
        fail "reconnection status: $(grep '^status' "$work/t/trace")"
    [ "$(messages)" = 0 ] || fail "host restarted: $(grep '^message' "$work/t/trace")"

    # The second label's AddLine is turned away: no fresh list, one message, the third
    # label goes through.
    fault_case "AddLine rejected" faults-after=8 reject-calls=1 <<'SCRIPT'
scan %19P1 S1 0$
scan %19P2 S1 0$
scan %19P3 S1 0$
SCRIPT
    ! grep -qE '^host (Clear|CreateExeList)$' "$work/record" ||
        fail "fresh lists for a rejected call"
    [ "$(messages)" = 1 ] || fail "AddLine rejected: $(grep '^message' "$work/t/trace")"
    grep -q '^message critical|Quillet|Tormial is busy .* the call AddLine ' "$work/t/trace" ||
        fail "AddLine rejected: $(grep '^message' "$work/t/trace")"

    # The AddLine is taken and the Start after it turned away: the entry is acknowledged,
    # the Start reported.
    fault_case "Start rejected" faults-after=6 reject-calls=1 <<'SCRIPT'
scan %19P1 S1 0$
SCRIPT
    ! grep -q '^host Start' "$work/record" || fail "Start was not rejected"
    grep -q '^message critical|Quillet|Tormial is busy .* the call Start ' "$work/t/trace" ||
        fail "Start rejected: $(grep '^message' "$work/t/trace")"

    # "Retry later" (Wine runs the calls anyway): nothing lost, nothing doubled.
    fault_case "host busy" busy-calls=3 <<'SCRIPT'
scan %19P1 S1 0$
SCRIPT
    [ "$(messages)" = 0 ] || fail "host busy: $(grep '^message' "$work/t/trace")"
    [ -s "$work/added" ] || fail "host busy: nothing added"
fi
echo "COM host faults ($form) ok"
