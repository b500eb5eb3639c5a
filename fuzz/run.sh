#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs every fuzz target for a while on its seed corpus.
# Usage: fuzz/run.sh BUILD-DIR [SECONDS-PER-TARGET]
# New inputs go to a scratch directory; a crashing input is kept as BUILD-DIR/artifacts/TARGET-*
# and replayed with: BUILD-DIR/TARGET BUILD-DIR/artifacts/TARGET-crash-...
set -u
build=$(realpath "$1")
seconds=${2:-60}
root=$(cd "$(dirname "$0")" && pwd)
# One target per fuzz/*.cpp, as the build makes them.
targets=()
for source in "$root"/*.cpp; do
    name=$(basename "$source")
    targets+=("${name%.cpp}")
done

work=$(mktemp -d "${TMPDIR:-/tmp}/solvara-fuzz-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The printer code is linked in; it must never reach a real spooler.
export CUPS_SERVER=/nonexistent/solvara-fuzz/cups.sock

failures=0
for target in "${targets[@]}"; do
    mkdir -p "$work/$target"
    log="$work/$target.log"
    if "$build/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
        "$work/$target" "$root/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "ok   $target: $seconds s, ${runs:-?} inputs"
    else
        echo "FAIL $target (input kept in $build/artifacts/):"
        tail -n 40 "$log" | sed 's/^/     /'
        failures=$((failures + 1))
    fi
done
echo "$failures fuzz target(s) failed"
[ "$failures" -eq 0 ]
