#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# cmake --install puts the program, its desktop entry and its icon where a desktop finds them.
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
if command -v desktop-file-validate >/dev/null; then
    check "desktop entry validates" desktop-file-validate "$desktop"
fi
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
