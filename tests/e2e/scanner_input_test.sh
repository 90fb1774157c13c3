#!/usr/bin/env bash
# What a scanner adds around each code, through quillet-replay: every label with a
# terminator, STX/ETX, a symbology identifier or a configured prefix and suffix gives the
# host lines and the files of the bare label; a piece made only of the scanner's own
# characters calls nothing. Every run's whole trace and program folder are compared.
set -euo pipefail
# shellcheck source=SCRIPTDIR/replay_common.sh
source "$(dirname "$0")/replay_common.sh"

# A fresh installation with the [Quillet] lines given.
install() {
    rm -rf "$work/t"
    mkdir -p "$work/t/bin" "$work/t/windows" "$work/t/c/prod"
    {
        printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n'
        [ $# -eq 0 ] || printf '[Quillet]\r\n'
        for line in "$@"; do printf '%s\r\n' "$line"; done
    } >"$work/t/bin/ZOR.INI"
}
# Runs the script on standard input; the trace and the program folder are kept as $1.
result() {
    local name=$1
    shift
    install "$@"
    run
    mkdir -p "$work/$name"
    cp "$work/t/trace" "$work/$name/trace"
    cp -r "$work/t/c/prod" "$work/$name/prod"
}
same() { diff -ru "$work/$1" "$work/$2" || fail "$2 is not $1"; }

bare() {
    cat <<'SCRIPT'
scan PJ1
scan %S%
scan PJ1
scan %12PJ1 P 5$
scan %22800 600 18$
scan P7^X800^Y600^Z19!G71 X800 Y600 Z19 T1\r\n(DOOR)\r\n
SCRIPT
}
bare | result bare
grep -q '^host AddLine #161=PJ1.CNC;' "$work/bare/trace" || fail "bare: $(cat "$work/bare/trace")"
[ -f "$work/bare/prod/P7" ] || fail "bare: no program file"

# The bare script with $1 after every label (a terminator, or a configured suffix) and $2
# before it; $3 and on are the [Quillet] lines.
wrapped() {
    local after=$1 before=$2
    bare | sed -e "s/^scan /scan $before/" -e "s/\$/$after/"
}
for suffix in '\\r' '\\r\\n' '\\n' '\\t'; do
    wrapped "$suffix" '' | result "suffix$suffix"
    same bare "suffix$suffix"
done
wrapped '\\x03' '\\x02' | result stx
same bare stx
wrapped '\\r' ']C0' | result aim ScannerSymbologyId=1
same bare aim
wrapped '\\t' '#' | result hash-tab 'ScannerPrefix=#' 'ScannerSuffix=\t'
same bare hash-tab
# A symbology identifier before each code of one burst (the status line shows the burst
# as it is framed, so only the host lines are compared).
printf 'scan ]C0%%S%%\\r]C0PJ1\\r\n' | result aim-burst ScannerSymbologyId=1
printf 'scan %%S%%PJ1\n' | result plain-burst
diff -u <(grep '^host' "$work/plain-burst/trace") <(grep '^host' "$work/aim-burst/trace") ||
    fail "a burst with identifiers"

# Nothing but the scanner's characters: no host call, nothing written.
run_none() {
    printf 'scan \\r\nscan \\r\\n\nscan \\t\nscan \\x02\\x03\n' | result none
    printf 'pause 1\nhost Attach true\nhost GetExeList\n' >"$work/expected"
    diff -u "$work/expected" "$work/none/trace" || fail "a lone terminator called something"
    [ -z "$(ls "$work/none/prod")" ] || fail "files written: $(ls "$work/none/prod")"
}
run_none
echo "scanner input: ok"
