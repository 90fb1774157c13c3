#!/usr/bin/env bash
# shellcheck disable=SC2059 # file contents are printf formats on purpose, to spell bytes
# The same labels through a Linux build and a Windows build (whose tools' launchers run the
# .exe files under the emulator): the packed label, the whole trace and every file written
# must match byte for byte, folder names aside. A program name holding 0xF1 ("ñ") must find its file on both, although
# the two file systems spell that name differently (one byte there, UTF-8 under Wine).
# Usage: cross_build_compare.sh LINUX_BUILD WINDOWS_BUILD
set -euo pipefail
linux=$1
windows=$2
work=$(mktemp -d)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Long enough to go through the work files on C:.
{
    printf 'P7^X800^Y600^Z19!G71 X800 Y600 Z19 T1\r\n(DOOR)\r\n'
    head -c 30000 /dev/zero | tr '\0' G
    printf '\r\n'
} >"$work/label.txt"
"$linux/tools/pack/quillet-pack" <"$work/label.txt" >"$work/linux.pack"
"$windows/tools/pack/quillet-pack" <"$work/label.txt" >"$work/windows.pack"
cmp "$work/linux.pack" "$work/windows.pack" || fail "the packed labels differ"

cat >"$work/script" <<SCRIPT
scan %12P1 S1 0\$
scan %22800 600 18\$
set AutoStart 0
scan %12P\\xf1 S1 V7\$
scan %22300 0 \$
set Overwrite 1
scan $("$linux/tools/pack/quillet-pack" --escaped "$work/label.txt")
type P1
SCRIPT

# $1: the installation folder, $2: how its file system spells "ñ".
install() {
    mkdir -p "$1/bin" "$1/windows" "$1/c/prod" "$1/c/csv" "$1/c/Tormial/Bin"
    printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\n' >"$1/bin/ZOR.INI"
    printf 'CSVInPath=C:\\CSV\\\r\nCSVOutPath=C:\\CSV\\ALL.CSV\r\n' >>"$1/bin/ZOR.INI"
    printf 'G71 X800 Y600 Z18 T1\r\n(PANEL)\r\n' >"$1/c/prod/P1.CNC"
    printf 'G71 X300 Y200 Z18 T1\r\n(SHELF)\r\n' >"$1/c/prod/P$2.CNC"
    printf 'old\r\n' >"$1/c/prod/P7"
    printf 'P1;Pan\351l;2\r\n' >"$1/c/csv/P1.CSV"
    printf 'P\361;\r\n' >"$1/c/csv/P$2.CSV"
}
install "$work/linux" "$(printf '\361')"
install "$work/windows" 'ñ'
"$linux/tools/replay/quillet-replay" --program-dir "$work/linux/bin" \
    --windows-dir "$work/linux/windows" --drive "C=$work/linux/c" "$work/script" \
    >"$work/linux.trace" || fail "Linux replay: exit $?"
"$windows/tools/replay/quillet-replay" --program-dir "$work/windows/bin" \
    --windows-dir "$work/windows/windows" --drive "C=$work/windows/c" "$work/script" \
    >"$work/windows.trace" || fail "Windows replay: exit $?"
sed "s|$work/linux|FOLDER|g" "$work/linux.trace" >"$work/linux.cmp"
sed "s|$work/windows|FOLDER|g" "$work/windows.trace" >"$work/windows.cmp"
diff -u "$work/linux.cmp" "$work/windows.cmp" || fail "the traces differ"
grep -q 'AddLine #161=P\\xf1\.CNC;.*#169=200;' "$work/linux.trace" ||
    fail "the ñ program's file was not read"
for file in bin/ZOR.INI c/csv/ALL.CSV c/prod/P7; do
    cmp "$work/linux/$file" "$work/windows/$file" || fail "$file differs"
done
echo "Linux and Windows builds agree ($(wc -l <"$work/linux.trace") trace lines)"
