# shellcheck shell=bash
# Shared by the Linux desktop end-to-end scripts (sourced, not run): the program, and the
# work folder, failure and waiting helpers of program_run_common.sh. The caller passes the
# build folder as $1.
quillet="$1/src/quillet"
clipboard_tool="$1/tests/clipboard/quillet-test-clipboard"
[ -x "$quillet" ] || { echo "quillet not built (no GUI): skipped"; exit 0; }
# shellcheck source=SCRIPTDIR/program_run_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/program_run_common.sh"
# The journal kept by default goes to the work folder, not the user's own state folder.
export XDG_STATE_HOME="$work/state"
# A virtual X display of its own for a run that the script drives as an operator would
# (xdotool), exported as DISPLAY; it ends with the script.
virtual_display() {
    Xvfb -displayfd 3 -screen 0 2400x1200x24 3>"$work/display" >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "no virtual display"
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
}
# The window with this title once it is on the screen (up to 10 s).
window_of() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
# The text on the display's clipboard.
clipboard() {
    "$clipboard_tool" -platform xcb
}
