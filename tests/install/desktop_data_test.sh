#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The manual page, the AppStream data and the desktop entry, checked by the tools a distribution
# checks them with, and kept in step with the program's own --help and --version.
# Usage: desktop_data_test.sh SOURCE-DIRECTORY SOLVARA-BINARY
set -u
source=$1
solvara=$2
manual=$source/data/solvara.1
metainfo=$source/data/io.github.solvara.Solvara.metainfo.xml
failures=0
check() {  # check WHAT COMMAND...: the command succeeds and prints nothing
    local what=$1 output
    shift
    if output=$("$@" 2>&1) && [ -z "$output" ]; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        printf '%s\n' "$output" | sed 's/^/     /'
        failures=$((failures + 1))
    fi
}

check "groff -ww -z -man: no warnings" groff -ww -z -man "$manual"
# As lintian runs it: only what man says on standard error counts.
check "man -l renders without warnings" bash -c \
    'LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$1" >/dev/null' - "$manual"
# appstreamcli says "Validation was successful" on success, so only its status counts.
if output=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    echo "ok   appstreamcli validate --no-net"
else
    echo "FAIL appstreamcli validate --no-net"
    printf '%s\n' "$output" | sed 's/^/     /'
    failures=$((failures + 1))
fi
check "desktop-file-validate: no errors, warnings or hints" \
    desktop-file-validate "$source/data/solvara.desktop"

# Every option of --help and every variable of its environment list is in the manual.
help=$("$solvara" --help)
for word in $(printf '%s\n' "$help" | grep -oE -- '--[a-z]+|\b[A-Z][A-Z_]*_[A-Z]+\b|\b(PRINTER|LPDEST)\b' | sort -u); do
    check "the manual names $word" grep -q -- "$(printf '%s' "$word" | sed 's/-/\\\\-/g')" "$manual"
done

# One version everywhere: the program, the manual, the AppStream release and the changelog.
version=$("$solvara" --version | sed -n 's/^solvara //p')
check "the manual is of version $version" \
    grep -q "^\.TH SOLVARA 1 [0-9-]* \"solvara $version\"" "$manual"
check "the AppStream data has release $version" grep -q "<release version=\"$version\"" "$metainfo"
check "the Debian changelog starts at $version-1" \
    grep -q "^solvara ($version-1) " "$source/data/debian/changelog"

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
