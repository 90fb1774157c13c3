#!/usr/bin/env bash
# Every program built answers --version with its name and the project's version, and
# --help with its options, on standard output and with exit status 0, without a display.
# The Windows build's desktop program runs under Wine.
set -euo pipefail
build=$1
version=$(sed -n 's/^#define QUILLET_VERSION "\(.*\)"$/\1/p' "$build/generated/base/Version.h")
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "$version" ] || fail "no version in $build/generated/base/Version.h"
checked=0

# check NAME OPTION COMMAND...: the program NAME, run as COMMAND, lists OPTION in its help
# besides --help and --version.
check() {
    local name=$1 option=$2 out
    shift 2
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$@" --version) || fail "$name --version exit $?"
    [ "${out%$'\r'}" = "$name $version" ] || fail "$name --version said: $out"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$@" --help) || fail "$name --help exit $?"
    for listed in "$option" --help --version; do
        grep -q -e "^ *$listed" <<<"$out" || fail "$name --help does not list $listed"
    done
    checked=$((checked + 1))
}

for tool in replay:--program-dir pack:--escaped bench:--version; do
    path="$build/tools/${tool%%:*}/quillet-${tool%%:*}"
    if [ -x "$path" ]; then check "quillet-${tool%%:*}" "${tool#*:}" "$path"; fi
done
if [ -x "$build/src/quillet" ]; then check quillet --program-dir "$build/src/quillet"; fi
if [ -f "$build/src/quillet.exe" ]; then
    WINEPREFIX=${WINEPREFIX:-$(cd "$build" && pwd)/wine}
    export WINEPREFIX WINEDEBUG=-all
    check quillet --program-dir wine "$build/src/quillet.exe"
fi
[ "$checked" -gt 0 ] || fail "no program built in $build"
echo "--version and --help of $checked programs ok"
