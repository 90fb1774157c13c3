#!/usr/bin/env bash
# Whole-or-nothing writes under kill -9: quillet-replay rewrites ZOR.INI (option clicks)
# and a program file (2D labels, Overwrite on) over and over and is killed at random
# moments. After every kill each file is one of its complete versions; after the last
# kill one clean run leaves nothing beside the files but what was there before.
# QUILLET_KILLS sets the number of kills per file (default 60).
set -euo pipefail
# shellcheck source=SCRIPTDIR/replay_common.sh
source "$(dirname "$0")/replay_common.sh"
kills=${QUILLET_KILLS:-60}

rm -rf "$work/t"
mkdir -p "$work/t/bin" "$work/t/windows" "$work/t/c/prod"
ini="$work/t/bin/ZOR.INI"
prod="$work/t/c/prod"
printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\nAutoClear= 0\r\n' >"$ini"
for v in 0 1; do
    printf '[VORKSTAB]\r\nCommPort=1\r\nGCodePath=C:\\PROD\\\r\nAutoClear= %s\r\n' $v >"$work/ini$v"
done
# Two program bodies, large enough that a kill often lands inside a write.
for v in A B; do
    head -c 60000 /dev/zero | tr '\0' "$v" >"$work/body$v"
    { cat "$work/body$v"; printf '\r\n'; } >"$work/prog$v"
done
cp "$work/progA" "$prod/P1"
for _ in $(seq 200); do printf 'set AClear 1\nset AClear 0\n'; done >"$work/ini.script"
for _ in $(seq 10); do
    for v in A B; do printf 'scan P1^X8^Y6^Z1!%s\n' "$(cat "$work/body$v")"; done
done >"$work/prog.script"

replay_args=(--program-dir "$work/t/bin" --windows-dir "$work/t/windows"
    --drive "C=$work/t/c" --trace /dev/null)
# Runs the script and kills the run after a random 10-250 ms.
killed_run() {
    "$replay" "${replay_args[@]}" "$1" >/dev/null 2>&1 &
    local pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 240 + 10)))"
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}
# The file equals one of the given versions.
whole() {
    local file=$1
    shift
    for version in "$@"; do
        cmp -s "$file" "$version" && return 0
    done
    return 1
}
leftovers() { find "$1" -mindepth 1 ! -name "$2" | wc -l; }
# Notes the temporaries a killed run left in folder $1 beside file $2; anything else there
# is a failure.
note_strays() {
    local other
    other=$(find "$1" -mindepth 1 ! -name "$2" ! -name "$2.quillet-*.tmp")
    [ -z "$other" ] || fail "unexpected files: $other"
    find "$1" -mindepth 1 -name "$2.quillet-*.tmp" -printf '%f\n' >>"$work/strays"
}

for what in ini prog; do
    : >"$work/strays"
    for _ in $(seq "$kills"); do
        killed_run "$work/$what.script"
        if [ $what = ini ]; then
            whole "$ini" "$work/ini0" "$work/ini1" || fail "ZOR.INI broken: $(od -c "$ini" | head)"
            note_strays "$work/t/bin" ZOR.INI
        else
            whole "$prod/P1" "$work/progA" "$work/progB" || fail "P1 broken after a kill"
            note_strays "$prod" P1
        fi
    done
    echo "$what: $kills kills, $(sort -u "$work/strays" | wc -l) of them left a temporary file"
done

# One clean run of each: the leftovers of the killed runs go, the files are whole.
printf 'set AClear 1\n' | run
printf 'scan P1^X8^Y6^Z1!%s\n' "$(cat "$work/bodyB")" | run
cmp -s "$ini" "$work/ini1" || fail "ZOR.INI after the clean run"
cmp -s "$prod/P1" "$work/progB" || fail "P1 after the clean run"
[ "$(leftovers "$work/t/bin" ZOR.INI)" = 0 ] || fail "beside ZOR.INI: $(ls -a "$work/t/bin")"
[ "$(leftovers "$prod" P1)" = 0 ] || fail "beside P1: $(ls -a "$prod")"
echo "clean run: nothing left beside ZOR.INI and P1"
