# shellcheck shell=bash
# Sourced by the tools' end-to-end scripts: $replay and $pack are the tools of the build
# folder $1. A Windows build's .exe files run under the emulator command that follows it.
# shellcheck disable=SC2034 # each script uses one or both
replay="$1/tools/replay/quillet-replay"
# shellcheck disable=SC2034
pack="$1/tools/pack/quillet-pack"
if [ -f "$replay.exe" ]; then
    build_dir=$1
    emulator=("${@:2}")
    replay_exe() { "${emulator[@]}" "$build_dir/tools/replay/quillet-replay.exe" "$@"; }
    pack_exe() { "${emulator[@]}" "$build_dir/tools/pack/quillet-pack.exe" "$@"; }
    replay=replay_exe
    pack=pack_exe
fi
