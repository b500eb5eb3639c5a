#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# cmake --install puts the program, its manual page, its desktop entry, its icons and its
# AppStream data where a desktop finds them.
# Usage: install_test.sh BUILD-DIRECTORY
set -u
build=$1
prefix=$(mktemp -d "${TMPDIR:-/tmp}/solvara-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }

failures=0
check() {  # check WHAT COMMAND...
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
check "bin/solvara is an executable" test -x "$prefix/bin/solvara"
desktop="$prefix/share/applications/solvara.desktop"
check "desktop entry installed" test -f "$desktop"
check "desktop entry starts solvara" grep -qx 'Exec=solvara' "$desktop"
check "desktop entry names its icon" grep -qx 'Icon=solvara' "$desktop"
check "desktop entry is an application" grep -qx 'Type=Application' "$desktop"
check "scalable icon" test -s "$prefix/share/icons/hicolor/scalable/apps/solvara.svg"
check "64 x 64 icon" test -s "$prefix/share/icons/hicolor/64x64/apps/solvara.png"
check "desktop entry validates" desktop-file-validate "$desktop"
check "manual page, compressed" gzip -t "$prefix/share/man/man1/solvara.1.gz"
check "manual page is the one in data/" cmp -s <(gzip -dc "$prefix/share/man/man1/solvara.1.gz") \
    "$(dirname "$0")/../../data/solvara.1"
check "AppStream data" test -s "$prefix/share/metainfo/io.github.solvara.Solvara.metainfo.xml"
check "the Debian files only in the package" test ! -e "$prefix/share/doc/solvara"
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
