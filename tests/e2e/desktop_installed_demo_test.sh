#!/usr/bin/env bash
# quillet --demo in an installed layout: the program in <prefix>/bin finds the demo set-up
# in <prefix>/share/quillet/demo, not the copy of the sources that the build knows.
set -euo pipefail
# shellcheck source=SCRIPTDIR/desktop_common.sh
source "$(dirname "$0")/desktop_common.sh"

mkdir -p "$work/usr/bin" "$work/usr/share/quillet"
cp "$quillet" "$work/usr/bin/"
cp -r "$(dirname "$0")/../../demo" "$work/usr/share/quillet/"
printf '%%12MARK1 N 5\tonly in the installed set-up\n' >>"$work/usr/share/quillet/demo/labels.txt"
TMPDIR=$work QT_QPA_PLATFORM=offscreen "$work/usr/bin/quillet" --demo --quit-after 0.2 \
    >"$work/out" 2>/dev/null || fail "quillet --demo exit $?"
grep -qF "only in the installed set-up" "$work/out" || fail "installed demo set-up not used: $(cat "$work/out")"
echo "installed demo set-up ok"
