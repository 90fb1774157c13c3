#!/usr/bin/env bash
# shellcheck disable=SC2059 # file contents are printf formats on purpose, to spell bytes
# The 2D import end to end through quillet-replay: plain and compressed program labels with
# and without the 8-character prefix, both sides of the 23072 boundary, Overwrite on and
# off, the program files byte for byte, the host calls (add-program notice, no "ACK"),
# refused names, damaged compressed labels, and a round trip through quillet-pack.
set -euo pipefail
# shellcheck source=SCRIPTDIR/replay_common.sh
source "$(dirname "$0")/replay_common.sh"

# A fresh installation: ZOR.INI, the program folder C:\PROD\ and the work-file folder
# C:\Tormial\Bin on the mapped C: drive.
install() {
    rm -rf "$work/t"
    mkdir -p "$work/t/bin" "$work/t/windows" "$work/t/c/prod" "$work/t/c/tormial/bin"
    printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n' >"$work/t/bin/ZOR.INI"
}
prod="$work/t/c/prod"
workfiles="$work/t/c/tormial/bin"
# A program file holds the body and one CR LF, byte for byte.
expect_file() {
    { printf "$2"; printf '\r\n'; } >"$work/expected"
    cmp "$work/expected" "$prod/$1" || fail "program file $1: $(od -c "$prod/$1" | head -3)"
}
# Bytes as the trace's escapes, every byte as \xHH.
escape() { od -An -v -tx1 | tr -d ' \n' | sed 's/\(..\)/\\x\1/g'; }
# The field string of an entry with the field N (the label state's code) and no extras.
entry() { echo "#161=$1;#164=1;#171=1;#284=0;#280=;#165=1;#168=$2;#169=$3;#170=$4;#282=;#283=;"; }
# The trace of one imported program: saved, added with the notice, started, no "ACK".
imported() {
    printf 'status Wait saving g-code.\nstatus Adding to Barcode data to List.\n'
    printf 'host AddLine %s\nhost SetDeviceStatus DRAVINESK.MAIN.AddProg 1\n' "$(entry "$@")"
    printf 'host Start\npause 0.6\npause 0.6\nstatus Ready.\n'
}
first='host Visible true
host ClearList'

# Plain labels. P10 replaces an existing program (Overwrite is on at start-up); its
# header's Q field is ignored and the body is trimmed of blanks. P11 carries the prefix
# (first byte 0xD1, 8 characters), a U field that does not replace the code N already
# held, and X0 and no Y or Z: all three come from the G-code file just written. A body of
# 10 characters (P12) is not stored, one of 11 (P13) is.
install
printf 'OLD PROGRAM\r\n' >"$prod/P10"
run <<'SCRIPT'
scan P10^X800^Y600^Z18^Q5!  G71 X800 Y600 Z18 T1\r\n(DOOR)\r\nG0 X0 Y0  
scan \xd11234567P11^U S1^X0!G71 X500 Y400 Z19 T1\r\n(SHELF)\r\n
scan P12^X1^Y2^Z3!0123456789
scan P13^X1^Y2^Z3!0123456789A
SCRIPT
expect "plain program labels" <<TRACE
$first
$(imported P10 800 600 18)
$(imported P11 500 400 19)
$(imported P12 1 2 3)
$(imported P13 1 2 3)
TRACE
expect_file P10 'G71 X800 Y600 Z18 T1\r\n(DOOR)\r\nG0 X0 Y0'
expect_file P11 'G71 X500 Y400 Z19 T1\r\n(SHELF)\r\n'
[ ! -e "$prod/P12" ] || fail "a body of 10 characters was stored"
expect_file P13 '0123456789A'

# Overwrite off: a non-empty program stays (also when it differs in letter case: no second
# file appears), an empty one is written. Overwrite on again: replaced. Without a device-
# status object and with auto start off, the entry is only added.
install
printf 'KEEP ME\r\n' >"$prod/P20"
: >"$prod/P21"
printf 'KEEP ME TOO\r\n' >"$prod/p22"
run <<'SCRIPT'
set Overwrite 0
scan P20^X1^Y1^Z1!G0 X1 Y1 NEW
scan P21^X1^Y1^Z1!G0 X1 Y1 NEW
scan P22^X1^Y1^Z1!G0 X1 Y1 NEW
set Overwrite 1
set AutoStart 0
scan P22^X1^Y1^Z1!G0 X2 Y2 NEW
SCRIPT
expect "Overwrite on and off" <<TRACE
$first
$(imported P20 1 1 1)
$(imported P21 1 1 1)
$(imported P22 1 1 1)
$(imported P22 1 1 1 | grep -v '^host Start')
TRACE
expect_file P20 'KEEP ME'
expect_file P21 'G0 X1 Y1 NEW'
expect_file p22 'G0 X2 Y2 NEW'
[ "$(find "$prod" -type f | wc -l)" = 3 ] || fail "files in the program folder: $(ls "$prod")"
run --host-no-device-status <<'SCRIPT'
set AutoStart 0
scan P23^X1^Y1^Z1!G0 X1 Y1 NEW
SCRIPT
expect "no device status" <<TRACE
$first
$(imported P23 1 1 1 | grep -v '^host S')
TRACE

# Names that would leave the program folder, a name-less header and a body with a NUL byte
# are refused before anything else: the status line says why, the host list is not
# touched, nothing is written. A program file that cannot be written adds nothing.
install
run <<'SCRIPT'
scan /tmp/P30^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan \\ETC\\P31^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan C:P32^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan ..\\P33^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan SUB/../../P34^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan ^X1^Y1^Z1!G0 X1 Y1 Z1 REFUSED
scan P35^X1!G0 X1\x00 Y1 Z1 REFUSED
scan NOSUB\\P36^X1^Y1^Z1!G0 X1 Y1 Z1 NOT SAVED
SCRIPT
expect "refused names" <<'TRACE'
status Barcode refused: program name /tmp/P30 leaves the program folder.
status Barcode refused: program name \\ETC\\P31 leaves the program folder.
status Barcode refused: program name C:P32 leaves the program folder.
status Barcode refused: program name ..\\P33 leaves the program folder.
status Barcode refused: program name SUB/../../P34 leaves the program folder.
status Barcode refused: no program name.
status Barcode refused: the program text holds NUL bytes.
host Visible true
host ClearList
status Wait saving g-code.
status Program file C:\\PROD\\NOSUB\\P36 not saved: No such file or directory.
TRACE
[ -z "$(find "$work/t/c" "$work/t/bin" -type f ! -name ZOR.INI)" ] ||
    fail "files written: $(find "$work/t" -type f)"

# Compressed labels, in memory, without and with the prefix in the expanded text (the
# payload holds backslashes, escaped by quillet-pack).
install
printf 'P40^X800^Y600^Z18!G71 X800 Y600 Z18 T1\r\n(PACKED)\r\n' >"$work/p40.txt"
printf '\321ABCDEFGP41^X1^Y2^Z3!G0 X1 \\ back\\\\slash\r\n' >"$work/p41.txt"
{
    echo "scan $("$pack" --escaped "$work/p40.txt")"
    echo "scan $("$pack" --escaped "$work/p41.txt")"
} | run
expect "compressed labels" <<TRACE
$first
$(imported P40 800 600 18)
$(imported P41 1 2 3)
TRACE
expect_file P40 'G71 X800 Y600 Z18 T1\r\n(PACKED)\r\n'
expect_file P41 'G0 X1 \\ back\\\\slash\r\n'
[ -z "$(ls "$workfiles")" ] || fail "work files used in memory: $(ls "$workfiles")"

# The 23072 boundary: an expanded text of 23072 characters expands in memory, 23073 through
# the work files C:\Tormial\Bin\Temp.Cmp (the payload) and Temp.Dat (the expanded text).
# A later, shorter payload is written over the start of Temp.Cmp without shortening it.
# $1 name, $2 length, $3 filler file.
text_of() {
    local header="$1^X1^Y2^Z3!"
    { printf '%s' "$header"; head -c $(($2 - ${#header} - 1)) "$3"; printf 'E'; }
}
awk 'BEGIN { for (i = 0; i < 4000; i++) printf "G1 X%d Y%d\r\n", i * 7, i * 13 }' >"$work/numbered"
head -c 30000 /dev/zero | tr '\0' A >"$work/same"
text_of P50 23072 "$work/numbered" >"$work/p50.txt"
text_of P51 23073 "$work/numbered" >"$work/p51.txt"
text_of P52 23100 "$work/same" >"$work/p52.txt"
for name in p50 p51 p52; do
    "$pack" -o "$work/$name.raw" "$work/$name.txt"
    "$pack" --escaped -o "$work/$name.esc" "$work/$name.txt"
done
install
echo "scan $(cat "$work/p50.esc")" | run
expect "23072 in memory" <<TRACE
$first
$(imported P50 1 2 3)
TRACE
[ -z "$(ls "$workfiles")" ] || fail "work files used for 23072: $(ls "$workfiles")"
echo "scan $(cat "$work/p51.esc")" | run
expect "23073 through the work files" <<TRACE
$first
$(imported P51 1 2 3)
TRACE
cmp "$work/p51.txt" "$workfiles/Temp.Dat" || fail "Temp.Dat is not the expanded text"
# The raw label's payload with its backslash pairs undone: the zlib stream itself.
payload() { tail -c +12 "$work/$1.raw" | LC_ALL=C sed 's/\\\\/\\/g' >"$work/$1.payload"; }
payload p51
cmp "$work/p51.payload" "$workfiles/Temp.Cmp" || fail "Temp.Cmp is not the payload"
echo "scan $(cat "$work/p52.esc")" | run
payload p52
[ "$(stat -c %s "$workfiles/Temp.Cmp")" = "$(stat -c %s "$work/p51.payload")" ] ||
    fail "Temp.Cmp was shortened"
cmp -n "$(stat -c %s "$work/p52.payload")" "$work/p52.payload" "$workfiles/Temp.Cmp" ||
    fail "Temp.Cmp does not start with the later payload"
cmp "$work/p52.txt" "$workfiles/Temp.Dat" || fail "Temp.Dat of the later label"
for name in P50 P51 P52; do
    tail -c +14 "$work/${name,,}.txt" >"$work/body"
    printf '\r\n' >>"$work/body"
    cmp "$work/body" "$prod/$name" || fail "program file $name"
done

# Damaged compressed labels reach nothing: a flipped byte (the zlib check catches it), a
# cut-off payload, a length beyond 32767, nothing after the length field.
install
raw="$work/p40.raw"
"$pack" -o "$raw" "$work/p40.txt"
size=$(stat -c %s "$raw")
{
    head -c 30 "$raw"
    printf "\\x$(printf '%02x' $(($(od -An -tu1 -j30 -N1 "$raw") ^ 0x40)))"
    tail -c +32 "$raw"
} >"$work/flipped"
{
    echo "scan $(escape <"$work/flipped")"
    echo "scan $(head -c $((size - 6)) "$raw" | escape)"
    echo "scan $(printf '\361  99999   ' | escape)$(tail -c +12 "$raw" | escape)"
    echo "scan $(head -c 11 "$raw" | escape)"
} | run
expect "damaged compressed labels" <<'TRACE'
status Compressed barcode damaged: the data does not expand to its stated length.
status Compressed barcode damaged: the data does not expand to its stated length.
status Compressed barcode damaged: the length is not a number from 0 to 32767.
status Compressed barcode damaged: no data after the length.
TRACE
[ -z "$(ls "$prod")" ] || fail "a damaged label wrote $(ls "$prod")"

# Round trip: a program holding every byte but NUL, "!", "^" and backslashes included,
# packed, scanned and imported, is the program file byte for byte. The same text scanned
# plain gives the same file.
install
{
    printf 'P60^X1^Y2^Z3!BEGIN'
    for i in $(seq 1 255); do printf "\\x$(printf '%02x' "$i")"; done
    printf 'END'
} >"$work/p60.txt"
sed '1s/^P60/P61/' "$work/p60.txt" >"$work/p61.txt"
{
    echo "scan $("$pack" --escaped "$work/p60.txt")"
    echo "scan $(escape <"$work/p61.txt")"
} | run
expect "round trip" <<TRACE
$first
$(imported P60 1 2 3)
$(imported P61 1 2 3)
TRACE
for name in P60 P61; do
    tail -c +14 "$work/${name,,}.txt" >"$work/body"
    printf '\r\n' >>"$work/body"
    cmp "$work/body" "$prod/$name" || fail "round trip $name"
done
echo "2D import ok"
