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
# With QUILLET_E2E_HOST=com (Windows build only) every run goes to the test automation
# server in $QUILLET_TESTHOST_DIR instead of the simulated host: the simulated host's fault
# options become the server's settings, and the server's record of the calls it received
# must equal the host lines of the trace. Only host lines are then compared, without the
# device-status calls: the COM host hands out no device-status object.
com_host=
[ "${QUILLET_E2E_HOST:-}" = com ] && com_host=1
# A Unix path as Wine's Z: drive spells it.
wine_path() { printf 'Z:%s' "${1//\//\\}"; }
# Writes the server's settings from the host options in "$@"; prints the other options.
com_settings() {
    local settings
    settings="record=$(wine_path "$work/record")"$'\n'
    while [ $# -gt 0 ]; do
        case $1 in
        --host-fail-addline) settings+="fail-addline=$2"$'\n'; shift ;;
        --host-withhold-list) settings+="withhold-list=$2"$'\n'; shift ;;
        --host-no-device-status) settings+="no-device-status=1"$'\n' ;;
        *) printf '%s\n' "$1" ;;
        esac
        shift
    done
    printf '%s' "$settings" >"$QUILLET_TESTHOST_DIR/quillet-testhost.cfg"
}
# The server's record against the client's host lines.
com_check() {
    grep '^host ' "$work/t/trace" >"$work/client" || true
    diff -u "$work/client" "$work/record" || fail "server record differs from the trace"
}
# Runs the script read from standard input; host options may be given.
run() {
    local args=("$@")
    if [ -n "$com_host" ]; then
        mapfile -t args < <(com_settings "$@")
        : >"$work/record"
        args=(--host com "${args[@]}")
    fi
    LC_ALL=C "$replay" --program-dir "$work/t/bin" --windows-dir "$work/t/windows" \
        --drive "C=$work/t/c" --trace "$work/t/trace" "${args[@]}" - || fail "replay exit $?"
    if [ -n "$com_host" ]; then com_check; fi
}
# The whole trace: the start-up lines, then what standard input holds.
expect() {
    { printf 'pause 1\nhost Attach true\nhost GetExeList\n'; cat; } >"$work/expected"
    if [ -n "$com_host" ]; then
        grep '^host ' "$work/expected" | grep -v '^host SetDeviceStatus ' >"$work/expected.host" || true
        grep '^host ' "$work/t/trace" | diff -u "$work/expected.host" - || fail "$1 (COM host)"
        return
    fi
    diff -u "$work/expected" "$work/t/trace" || fail "$1"
}
