#!/usr/bin/env bash
# The scanner test's label pictures, as the build drew them, read back to their texts byte
# for byte. zbar reads no Data Matrix; the QR Code beside it carries the same text.
set -euo pipefail
build=$1
texts="$(cd "$(dirname "$0")/../../packaging/test-labels" && pwd)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# check PICTURE TEXT: PICTURE decodes to the bytes of TEXT.
check() {
    # zbar ends each symbol with one line break of its own.
    zbarimg --raw -q "$build/test-labels/$1.png" >"$work/read" 2>/dev/null || fail "$1 does not decode"
    head -c -1 "$work/read" >"$work/text"
    cmp -s "$work/text" "$texts/$2.txt" ||
        fail "$1 reads $(od -An -c "$work/text") not $(od -An -c "$texts/$2.txt")"
}

check code128 code128
check twod-qrcode twod
[ -s "$build/test-labels/twod-datamatrix.png" ] || fail "no Data Matrix picture"
grep -q "<svg" "$build/test-labels/quillet-test-labels.svg" || fail "no page of labels"
echo "test labels: read back"
