#!/usr/bin/env bash
# The Windows packages' programs, read without running them (nothing here runs 32-bit
# code): the zip holds the same files in x64\ and x86\; each 64-bit program is PE32+ and
# each 32-bit one PE32, with the same subsystem (GUI or console) and the same imported
# DLLs as its 64-bit twin (no runtime DLL of the compiler's); the desktop program's
# built-in manifest names its own processor (Windows refuses a program whose manifest
# names another), Windows 7 to 11 and long paths, and every program is terminal-server
# aware; the installers are PE32+ and PE32.
#   windows_programs_test.sh SETUP_EXE SETUP_X86_EXE ZIP VERSION
set -euo pipefail
setup=$1
setup_x86=$2
zip=$(realpath "$3")
version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
objdump=x86_64-w64-mingw32-objdump

(cd "$work" && cmake -E tar xf "$zip")
top="quillet-$version"
[ "$(ls "$work")" = "$top" ] || fail "the zip's top folder is not $top"
[ "$(ls "$work/$top")" = "$(printf 'x64\nx86')" ] || fail "the zip holds $(ls "$work/$top")"
list() { (cd "$work/$top/$1" && find . -type f | LC_ALL=C sort); }
[ -n "$(list x64)" ] || fail "no 64-bit set"
[ "$(list x64)" = "$(list x86)" ] || fail "the two sets differ: $(diff <(list x64) <(list x86))"

# "PE32+ executable (GUI) x86-64" and "PE32 executable (console) Intel 80386".
kind() { file -b "$1" | sed -E 's/^(PE32\+?) executable \(([A-Za-z]+)\).*/\1 \2/'; }
dlls() { "$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort; }
for entry in quillet:GUI quillet-replay:console quillet-pack:console; do
    program=${entry%:*}
    x64="$work/$top/x64/$program.exe"
    x86="$work/$top/x86/$program.exe"
    [ "$(kind "$x64")" = "PE32+ ${entry#*:}" ] || fail "x64\\$program.exe: $(file -b "$x64")"
    [ "$(kind "$x86")" = "PE32 ${entry#*:}" ] || fail "x86\\$program.exe: $(file -b "$x86")"
    "$objdump" -f "$x86" | grep -q 'architecture: i386' || fail "x86\\$program.exe not for i386"
    [ "$(dlls "$x86")" = "$(dlls "$x64")" ] ||
        fail "$program.exe imports differ: $(diff <(dlls "$x64") <(dlls "$x86") | grep '^[<>]')"
done
manifest() { python3 "$(dirname "$0")/pe_manifest.py" "$1"; }
for set in x64:amd64 x86:x86; do
    program="$work/$top/${set%:*}/quillet.exe"
    text=$(manifest "$program") || fail "${set%:*}\\quillet.exe has no manifest"
    own=$(grep -o 'name="Quillet.Desktop"[^/]*processorArchitecture="[^"]*"' <<<"$text" |
        sed 's/.*processorArchitecture="//; s/"$//')
    [ "$own" = "${set#*:}" ] || fail "${set%:*}\\quillet.exe's manifest says '$own'"
    [ "$(grep -c '<supportedOS Id=' <<<"$text")" = 4 ] || fail "supportedOS in ${set%:*}"
    grep -q '<longPathAware[^>]*>true<' <<<"$text" || fail "longPathAware in ${set%:*}"
    for exe in "$work/$top/${set%:*}"/*.exe; do
        # Read to the end: with pipefail, grep -q stopping early would fail the pipe.
        "$objdump" -p "$exe" | grep 'TERMINAL_SERVICE_AWARE' >/dev/null || fail "$exe not --tsaware"
    done
done
file -b "$setup" | grep -q '^PE32+ executable' || fail "the installer: $(file -b "$setup")"
file -b "$setup_x86" | grep -q '^PE32 executable' || fail "the 32-bit installer: $(file -b "$setup_x86")"
echo "Windows programs (x64 and x86): passed"
