#!/usr/bin/env bash
# The Debian package in dist/: what it holds and depends on, lintian, and its programs run
# from a scratch root. As root with QUILLET_SYSTEM_INSTALL=1 (a throw-away machine) it is
# also installed with apt-get, tried from /usr/bin and purged again.
#   tests/package/deb_test.sh DIST VERSION
set -euo pipefail
dist=$1 version=$2
deb="$dist/quillet_${version}_$(dpkg --print-architecture).deb"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -f "$deb" ] || fail "no $deb"

dpkg-deb --field "$deb" Package Version Depends >"$work/fields"
grep -qx "Package: quillet" "$work/fields" || fail "package name: $(cat "$work/fields")"
grep -qx "Version: $version" "$work/fields" || fail "version: $(cat "$work/fields")"
for dep in libc6 libqt6widgets6 libqt6serialport6 zlib1g qt6-qpa-plugins; do
    grep -Eq "^Depends:.*\b$dep\b" "$work/fields" || fail "no dependency on $dep: $(cat "$work/fields")"
done

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for path in /usr/bin/quillet /usr/bin/quillet-replay /usr/bin/quillet-pack \
    /usr/share/applications/quillet.desktop /usr/share/icons/hicolor/48x48/apps/quillet.png \
    /usr/share/icons/hicolor/scalable/apps/quillet.svg /usr/share/man/man1/quillet.1.gz \
    /usr/share/man/man1/quillet-replay.1.gz /usr/share/man/man1/quillet-pack.1.gz \
    /usr/share/doc/quillet/README.md /usr/share/doc/quillet/examples/ZOR.INI \
    /usr/share/doc/quillet/copyright /usr/share/doc/quillet/changelog.gz \
    /usr/share/quillet/demo/ZOR.INI /usr/share/quillet/test-labels/quillet-test-labels.svg; do
    grep -qx "$path" "$work/contents" || fail "$path missing from the package"
done
# The scanner test's printed labels belong in it; no test program does.
! grep -v '^/usr/share/quillet/test-labels/' "$work/contents" | grep -E 'bench|test|fuzz' ||
    fail "test programs in the package"

# Findings at warning level or above fail; the notes are only shown.
lintian --display-info --fail-on error,warning "$deb" 2>/dev/null || fail "lintian"

# Run from a scratch root, as installed: every program answers, the demo finds its set-up
# relative to the program, and the sample settings file is read as the host's would be.
try_programs() {
    local bin=$1
    for program in quillet quillet-replay quillet-pack; do
        [ "$("$bin/$program" --version)" = "$program $version" ] ||
            fail "$bin/$program --version"
        "$bin/$program" --help | grep -q -- --version || fail "$bin/$program --help"
    done
    TMPDIR="$work" QT_QPA_PLATFORM=offscreen timeout 60 "$bin/quillet" --demo-script \
        >"$work/demo.out" 2>&1 || fail "quillet --demo-script: $(tail -5 "$work/demo.out")"
    grep -q "host AddLine" "$work/demo.out" || fail "the demo added nothing: $(tail "$work/demo.out")"
}
dpkg-deb -x "$deb" "$work/root"
# A label only the unpacked set-up holds: the demo must take its set-up from beside the
# program, not from wherever it was built.
printf '%%19PKGCHECK S1\tfrom the installed set-up\n' >>"$work/root/usr/share/quillet/demo/labels.txt"
try_programs "$work/root/usr/bin"
grep -q PKGCHECK "$work/demo.out" || fail "the demo did not use the installed set-up"
mkdir -p "$work/windows" "$work/c/MIRT/PRODUCT"
cp "$work/root/usr/share/doc/quillet/examples/ZOR.INI" "$work/windows/"
printf 'scan %%12P1 S1 0$\nscan %%22800 600 18$\n' |
    "$work/root/usr/bin/quillet-replay" --windows-dir "$work/windows" --drive "C=$work/c" - \
        >"$work/replay.out" || fail "replay with the sample ZOR.INI: $(cat "$work/replay.out")"
grep -q '^host AddLine' "$work/replay.out" || fail "sample ZOR.INI: $(cat "$work/replay.out")"

if [ "$(id -u)" = 0 ]; then
    apt-get install --simulate -qq "$PWD/$deb" >"$work/apt" 2>&1 ||
        fail "apt-get cannot install the package: $(cat "$work/apt")"
    if [ "${QUILLET_SYSTEM_INSTALL:-0}" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$PWD/$deb" >"$work/apt" 2>&1 ||
            fail "apt-get install: $(cat "$work/apt")"
        try_programs /usr/bin
        [ -f /usr/share/applications/quillet.desktop ] || fail "desktop entry not installed"
        apt-get purge -y -qq quillet >/dev/null 2>&1 || fail "apt-get purge"
        [ ! -e /usr/bin/quillet ] || fail "purge left /usr/bin/quillet"
        echo "installed with apt-get, run from /usr/bin and purged"
    fi
fi
echo "Debian package ok: $deb"
