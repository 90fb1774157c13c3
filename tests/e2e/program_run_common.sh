# shellcheck shell=bash
# Shared by the end-to-end scripts that run a desktop program (sourced, not run): a work
# folder that is removed at exit with every process started, failure with the trace, and
# waiting for trace lines.
work=$(mktemp -d)
pids=()
socat_pid=
cleanup() {
    [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    echo "--- trace" >&2; cat "$work/trace" >&2 || true
    exit 1
}
# Waits up to 15 s for a trace line; grep options choose how it matches (-xF: exactly).
await_trace() {
    local how=$1 line=$2
    for _ in $(seq 150); do
        grep -q "$how" -- "$line" "$work/trace" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "no trace line: $line"
}
