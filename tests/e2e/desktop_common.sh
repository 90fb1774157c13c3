# shellcheck shell=bash
# Shared by the Linux desktop end-to-end scripts (sourced, not run): the program, and the
# work folder, failure and waiting helpers of program_run_common.sh. The caller passes the
# build folder as $1.
quillet="$1/src/quillet"
[ -x "$quillet" ] || { echo "quillet not built (no GUI): skipped"; exit 0; }
# shellcheck source=SCRIPTDIR/program_run_common.sh
source "$(dirname "${BASH_SOURCE[0]}")/program_run_common.sh"
# The journal kept by default goes to the work folder, not the user's own state folder.
export XDG_STATE_HOME="$work/state"
