#!/usr/bin/env bash
# The 64-bit Windows installer and the zip under Wine, in a scratch prefix of their own: a
# silent install with a ZOR.INI already in the installation folder, the files, the
# Start-menu shortcut, the uninstall key and the programs' --version, then a silent
# uninstall that must take away all of that and only that; a second install, of the 32-bit
# programs chosen by hand, into a folder given with /D= must leave nothing behind. Then the
# installer's own choice of programs for the host's class registered as a 64-bit and as a
# 32-bit in-process server (only the registration is written; nothing loads it), and /X64
# overriding it. The installed files must be the zip's x64\ or x86\ set.
#   windows_installer_test.sh SETUP_EXE ZIP VERSION
# DISPLAY comes from the caller when set; otherwise a virtual one is started here.
set -euo pipefail
setup=$(realpath "$1")
zip=$(realpath "$2")
version=$3
started=$SECONDS

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
# No menu entries in the user's desktop for the shortcuts, no Mono or Gecko downloads.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
xvfb=
cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    [ -n "$xvfb" ] && { kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }

if [ -z "${DISPLAY:-}" ]; then
    Xvfb -displayfd 3 -screen 0 800x600x24 3>"$work/display" >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
fi
mkdir -p "$WINEPREFIX"
quiet wineboot --init
drive=$WINEPREFIX/drive_c
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillet.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillet'

mkdir -p "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
top="quillet-$version"
[ "$(ls "$work/zip")" = "$top" ] || fail "the zip's top folder is not $top"
# The two sets hold the same names (windows_programs_test.sh checks that).
expected=$(cd "$work/zip/$top/x64" && find . -type f | LC_ALL=C sort)
[ -n "$expected" ] || fail "the zip is empty"

# Everything the installer should have written into $1, byte for byte as the zip's set $2
# (x64 or x86).
check_installed() {
    local dir=$1 set=$2 f
    [ -f "$dir/Uninstall.exe" ] || fail "no uninstaller in $dir"
    while read -r f; do
        cmp -s "$work/zip/$top/$set/$f" "$dir/$f" || fail "$f not installed as in the zip's $set"
    done <<<"$expected"
    [ -f "$shortcut" ] || fail "no Start-menu shortcut"
    wine reg query "$key" >"$work/key" 2>/dev/null || fail "no uninstall key"
    tr -d '\r' <"$work/key" | grep -q "DisplayVersion *REG_SZ *$version\$" ||
        fail "no DisplayVersion $version in the uninstall key"
    for value in DisplayName Publisher DisplayIcon UninstallString QuietUninstallString \
                 InstallLocation EstimatedSize NoModify NoRepair; do
        grep -q "^ *$value " "$work/key" || fail "no $value in the uninstall key"
    done
}
# Nothing the installer wrote is left: files, uninstaller, shortcut, key.
check_removed() {
    local dir=$1 f
    while read -r f; do
        [ ! -e "$dir/$f" ] || fail "$f left behind"
    done <<<"$expected"
    [ ! -e "$dir/Uninstall.exe" ] || fail "uninstaller left behind"
    [ ! -e "$shortcut" ] || fail "Start-menu shortcut left behind"
    ! quiet wine reg query "$key" || fail "uninstall key left behind"
}
# The uninstaller runs a copy of itself and returns at once: wait for that copy, which
# wineserver does by outliving every process of the prefix.
uninstall() {
    quiet wine "$1/Uninstall.exe" /S || fail "the uninstaller failed"
    wineserver -w
}

# Installed by default into Program Files (the 64-bit one), where a host's ZOR.INI is.
inst="$drive/Program Files/Quillet"
mkdir -p "$inst"
printf '[VORKSTAB]\r\nCommPortNumber=3\r\n' >"$work/ZOR.INI"
cp "$work/ZOR.INI" "$inst/ZOR.INI"
quiet wine "$setup" /S || fail "the installer failed"
check_installed "$inst" x64
cmp -s "$work/ZOR.INI" "$inst/ZOR.INI" || fail "the installer changed ZOR.INI"
grep -q 'InstallLocation *REG_SZ *C:\\Program Files\\Quillet' "$work/key" ||
    fail "not installed into C:\\Program Files\\Quillet"
for program in quillet quillet-replay quillet-pack; do
    wine "$inst/$program.exe" --version </dev/null >"$work/out" 2>&1 || true
    grep -qF "$version" "$work/out" || fail "$program.exe --version: $(cat "$work/out")"
done
uninstall "$inst"
check_removed "$inst"
cmp -s "$work/ZOR.INI" "$inst/ZOR.INI" || fail "the uninstaller changed or removed ZOR.INI"
[ "$(ls -A "$inst")" = ZOR.INI ] || fail "more than ZOR.INI left: $(ls -A "$inst")"

# The 32-bit programs into a folder of one's choice; with nothing of the user's in it,
# nothing stays.
other="$drive/Tools/Quillet"
quiet wine "$setup" /S /X86 '/D=C:\Tools\Quillet' || fail "the installer failed with /D="
check_installed "$other" x86
uninstall "$other"
check_removed "$other"
[ ! -e "$other" ] || fail "the emptied installation folder stayed"

# The installer's choice: each install replaces the last one's programs. Nothing was
# registered for the first install above.
class='HKLM\Software\Classes\CLSID\{13C0F70D-B865-4983-9376-88A7B00C2262}'
register() { quiet wine reg add "$class\InprocServer32" /ve /d "C:\\Tormial\\$1.dll" "/reg:$1" /f; }
unregister() { quiet wine reg delete "$class" "/reg:$1" /f; }
install_expecting() {
    quiet wine "$setup" /S "${@:2}" || fail "the installer failed"
    check_installed "$inst" "$1"
}
register 64
install_expecting x64
unregister 64
register 32
install_expecting x86
install_expecting x64 /X64
uninstall "$inst"
check_removed "$inst"

echo "Windows installer and zip: passed ($((SECONDS - started)) s)"
