#!/usr/bin/env bash
# The host's faults through COM, against the test automation server registered in the
# form given: a list withheld for some calls then given, AddLine refused past the bound and
# reported with the host's number and description, a host that never hands out a list, and
# (in-process form only, before any local server runs) a host that is not installed, and
# one installed for 32-bit programs only.
# Usage: com_faults.sh inproc|local WINDOWS_BUILD  with $QUILLET_TESTHOST_DIR set to the
# server's folder.
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
echo "COM host faults ($form) ok"
