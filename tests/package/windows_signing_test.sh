#!/usr/bin/env bash
# The Windows packages as signed with the test certificate (make_test_certificate.sh): the
# six programs in the zip, the installers and the MSI packages each carry a SHA-256
# signature with the program's name, time-stamped, that verifies against the test
# authority; a copy with one byte changed does not. (The installer and MSI tests run the
# signed programs under Wine.)
#   windows_signing_test.sh CERT_DIR ZIP INSTALLER_OR_MSI...
set -euo pipefail
ca=$(realpath "$1")/ca.pem
zip=$(realpath "$2")
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
verify() { osslsigncode verify -CAfile "$ca" -TSA-CAfile "$ca" -in "$1" >"$work/verify" 2>&1; }

(cd "$work" && cmake -E tar xf "$zip")
mapfile -t programs < <(find "$work" -name '*.exe' | LC_ALL=C sort)
[ ${#programs[@]} -eq 6 ] || fail "the zip holds ${#programs[@]} programs, not 6"
for file in "${programs[@]}" "$@"; do
    verify "$file" || fail "$(basename "$file") does not verify: $(tail -3 "$work/verify")"
    for line in 'Message digest algorithm *: SHA256' 'Text description: Quillet$' 'Timestamp time:'; do
        grep -q "$line" "$work/verify" || fail "$(basename "$file"): no \"$line\""
    done
    # One byte that the signature covers: in the middle of a program or installer; in an
    # MSI package, whose free sectors it does not cover, inside the embedded cabinet.
    cp "$file" "$work/changed"
    offset=$(($(stat -c %s "$file") / 2))
    if [[ $file == *.msi ]]; then
        offset=$(($(grep -obaF MSCF "$file" | head -1 | cut -d: -f1) + 4))
    fi
    byte=$(od -An -tu1 -j "$offset" -N1 "$file" | tr -d ' ')
    printf "\\x$(printf '%02x' $((byte ^ 1)))" |
        dd of="$work/changed" bs=1 seek="$offset" conv=notrunc status=none
    ! verify "$work/changed" || fail "$(basename "$file") with a changed byte still verifies"
done
echo "Windows signatures: passed ($((${#programs[@]} + $#)) files)"
