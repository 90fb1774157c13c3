#!/usr/bin/env bash
# The MSI packages. The 64-bit one under Wine, in a scratch prefix of its own, as a
# deployment tool runs it: a silent install beside a ZOR.INI already in the installation
# folder (the files, the shortcut, the uninstall entry, the programs' --version), the next
# version over it (one entry left, the new version), the older one again (refused), then
# the removal by ProductCode, which must leave the ZOR.INI and nothing else. The next
# version is made here from the zip's programs, as scripts/package-msi makes every MSI.
# The 32-bit one is read, not installed (nothing here runs 32-bit code).
#   windows_msi_test.sh MSI_X64 MSI_X86 ZIP VERSION
set -euo pipefail
msi=$(realpath "$1")
msi_x86=$(realpath "$2")
zip=$(realpath "$3")
version=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
started=$SECONDS

work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() {
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
quiet() { "$@" </dev/null >/dev/null 2>&1; }
property() { msiinfo export "$1" Property | tr -d '\r' | sed -n "s/^$2\t//p"; }

mkdir -p "$work/zip"
(cd "$work/zip" && cmake -E tar xf "$zip")
set_dir="$work/zip/quillet-$version"
expected=$(cd "$set_dir/x64" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ -n "$expected" ] || fail "the zip is empty"

# Read: bitness, version, codes, and the same files as the zip's set.
IFS=. read -r v1 v2 v3 _ <<<"$version"
msi_version="${v1:-0}.${v2:-0}.${v3:-0}"
files_of() { msiinfo export "$1" File | tr -d '\r' | tail -n +4 | cut -f3 | sed 's/^.*|//' | LC_ALL=C sort; }
names=$(sed 's|.*/||' <<<"$expected" | LC_ALL=C sort)
for entry in "$msi:x64" "$msi_x86:Intel"; do
    file=${entry%:*}
    msiinfo suminfo "$file" | grep -qx "Template: ${entry#*:};1033" || fail "$file is not for ${entry#*:}"
    [ "$(property "$file" ProductVersion)" = "$msi_version" ] || fail "$file: not version $msi_version"
    [ "$(files_of "$file")" = "$names" ] || fail "$file: files $(files_of "$file" | tr '\n' ' ')"
    property "$file" ALLUSERS | grep -qx 1 || fail "$file is not per machine"
done
msiinfo export "$msi_x86" Directory | grep -q $'^INSTALLDIR\tProgramFilesFolder\tQuillet' ||
    fail "the 32-bit package does not install into ProgramFilesFolder"
[ "$(property "$msi" UpgradeCode)" != "$(property "$msi_x86" UpgradeCode)" ] ||
    fail "both bitnesses share one UpgradeCode"

# The next version, from the same programs.
next="${v1:-0}.${v2:-0}.$((${v3:-0} + 1))"
"$root/scripts/package-msi" "$set_dir/x64" x64 "$next" "$work/next.msi" 2>/dev/null
[ "$(property "$work/next.msi" UpgradeCode)" = "$(property "$msi" UpgradeCode)" ] ||
    fail "the next version has another UpgradeCode"
[ "$(property "$work/next.msi" ProductCode)" != "$(property "$msi" ProductCode)" ] ||
    fail "the next version has the same ProductCode"

mkdir -p "$WINEPREFIX"
# One server for the whole check, started before the prefix boots: each call below then
# starts in a fraction of a second.
wineserver -p
quiet wineboot --init
drive=$WINEPREFIX/drive_c
inst="$drive/Program Files/Quillet"
uninstall_keys='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
codes=("$(property "$msi" ProductCode)" "$(property "$work/next.msi" ProductCode)")
# Which of the two versions have an uninstall entry, as "N", "N+1", both or none.
entries() {
    local found=()
    wine reg query "$uninstall_keys" 2>/dev/null | tr -d '\r' >"$work/keys"
    grep -qF "${codes[0]}" "$work/keys" && found+=(N)
    grep -qF "${codes[1]}" "$work/keys" && found+=(N+1)
    echo "${found[*]}"
}
# The exit code of a silent msiexec run (Wine reports it modulo 256).
msiexec() {
    local rc=0
    quiet wine msiexec "$@" /qn /norestart /l*v "$work/msiexec.log" || rc=$?
    echo "$rc"
}
# Installed as version $1 (N or N+1, index $2) of $3 says: the files, a shortcut, its entry
# and no other.
check_installed() {
    local f
    while read -r f; do
        cmp -s "$set_dir/x64/$f" "$inst/$f" || fail "$f not installed as in the zip"
    done <<<"$expected"
    # Wine puts it in the user's Start menu even for a per-machine package.
    [ -n "$(find "$drive" -name Quillet.lnk)" ] || fail "no Start-menu shortcut"
    [ "$(entries)" = "$1" ] || fail "uninstall entries for \"$(entries)\", not for $1"
    wine reg query "$uninstall_keys\\${codes[$2]}" 2>/dev/null | tr -d '\r' >"$work/key"
    grep -q "DisplayVersion *REG_SZ *$3\$" "$work/key" || fail "no DisplayVersion $3"
    grep -q 'Publisher *REG_SZ *The Quillet developers$' "$work/key" || fail "no Publisher"
    grep -q 'DisplayName *REG_SZ *Quillet$' "$work/key" || fail "no DisplayName"
}

mkdir -p "$inst"
printf '[VORKSTAB]\r\nCommPortNumber=3\r\n' >"$work/ZOR.INI"
cp "$work/ZOR.INI" "$inst/ZOR.INI"
[ "$(msiexec /i "$msi")" = 0 ] || fail "the install failed"
check_installed N 0 "$msi_version"
wine "$inst/quillet.exe" --version </dev/null >"$work/out" 2>&1 || true
grep -qF "$version" "$work/out" || fail "quillet.exe --version: $(cat "$work/out")"

[ "$(msiexec /i "$work/next.msi")" = 0 ] || fail "the upgrade failed"
check_installed N+1 1 "$next"
# 1603: the downgrade refused.
[ "$(msiexec /i "$msi")" = 67 ] || fail "the older version was not refused"
check_installed N+1 1 "$next"

[ "$(msiexec /x "${codes[1]}")" = 0 ] || fail "the removal failed"
[ -z "$(entries)" ] || fail "uninstall entries left for $(entries)"
[ -z "$(find "$drive" -name Quillet.lnk)" ] || fail "Start-menu shortcut left behind"
cmp -s "$work/ZOR.INI" "$inst/ZOR.INI" || fail "ZOR.INI changed or removed"
[ "$(ls -A "$inst")" = ZOR.INI ] || fail "more than ZOR.INI left: $(ls -A "$inst")"
! quiet wine reg query 'HKLM\Software\Quillet' || fail "registry key left behind"

echo "Windows MSI packages: passed ($((SECONDS - started)) s)"
