# shellcheck shell=bash
# Shared by the replay end-to-end scripts (sourced, not run): the tools, a work folder that
# is removed at exit, and running a script read from standard input against the install in
# $work/t with its whole trace compared. The caller passes the build folder as $1.
replay="$1/tools/replay/quillet-replay"
# shellcheck disable=SC2034 # used by the import script
pack="$1/tools/pack/quillet-pack"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs the script read from standard input; host options may be given.
run() {
    LC_ALL=C "$replay" --program-dir "$work/t/bin" --windows-dir "$work/t/windows" \
        --drive "C=$work/t/c" --trace "$work/t/trace" "$@" - || fail "replay exit $?"
}
# The whole trace: the start-up lines, then what standard input holds.
expect() {
    { printf 'pause 1\nhost Attach true\nhost GetExeList\n'; cat; } >"$work/expected"
    diff -u "$work/expected" "$work/t/trace" || fail "$1"
}
