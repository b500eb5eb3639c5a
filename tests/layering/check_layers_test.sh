#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# scripts/check-layers on a small tree that keeps every rule, then on the same tree with
# includes across layers planted in it: the first passes, the second fails naming each of them.
# Usage: check_layers_test.sh CHECK-LAYERS-SCRIPT
set -u
check=$1
tree=$(mktemp -d "${TMPDIR:-/tmp}/solvara-layers-XXXXXX")
trap 'rm -rf "$tree"' EXIT

failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

put() {  # put PATH [INCLUDE...]: a licensed file that includes the given headers
    local path=$tree/$1
    shift
    mkdir -p "$(dirname "$path")"
    echo "// SPDX-License-Identifier: GPL-2.0-or-later" >"$path"
    for header in "$@"; do echo "#include \"$header\"" >>"$path"; done
}

# Every allowed kind of include once.
put src/main.cpp app/program.h platform/window/backend.h
put src/app/program.h results/screen.h solver/solver.h values/panel.h platform/geometry.h
put src/results/screen.h solver/solver.h values/panel.h platform/print/printer.h
put src/solver/solver.h values/triangle.h trig.h
put src/solver/trig.h
put src/values/triangle.h
put src/values/panel.h triangle.h platform/geometry.h
put src/platform/geometry.h
put src/platform/window/backend.h platform/geometry.h
put src/platform/print/printer.cpp platform/print/printer.h platform/print/private/spool.h
put src/platform/print/printer.h
put src/platform/print/private/spool.h ../../geometry.h
put tests/print_test.cpp app/program.h platform/print/private/spool.h
put CMakeLists.txt
mkdir -p "$tree/fuzz/corpus/x" && echo "data" >"$tree/fuzz/corpus/x/seed.cpp"

out=$("$check" "$tree" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "a tree that keeps the rules fails ($status): $out"
[ "$(wc -l <<<"$out")" -eq 1 ] || fail "more than a summary line on success: $out"

# The same tree with one break of each rule.
echo '#include "app/program.h"' >>"$tree/src/platform/geometry.h"
echo '#include "platform/print/private/spool.h"' >>"$tree/src/results/screen.h"
echo '#include "values/panel.h"' >>"$tree/src/solver/trig.h"
echo '#include "../platform/print/printer.h"' >>"$tree/src/solver/trig.h"
echo '#include <results/screen.h>' >>"$tree/src/values/triangle.h"
echo '#include "platform/geometry.h"' >"$tree/src/values/unlicensed.cpp"

out=$("$check" "$tree" 2>&1)
status=$?
[ "$status" -eq 1 ] || fail "planted breaks: exit $status, not 1"
expect() {  # expect LINE-START: the output has a line starting so
    grep -qF -- "$1" <<<"$out" || fail "not reported: $1"
}
expect 'src/platform/geometry.h:2: `platform/geometry.h` may not include `app/program.h`'
expect 'src/results/screen.h:5: `results/screen.h` may not include `platform/print/private/spool.h`'
expect 'src/solver/trig.h:2: `solver/trig.h` may not include `values/panel.h`'
expect 'src/solver/trig.h:3: `solver/trig.h` may not include `platform/print/printer.h`'
expect 'src/values/triangle.h:2: `values/triangle.h` may not include `results/screen.h`'
expect 'src/values/unlicensed.cpp:1: no `SPDX-License-Identifier: GPL-2.0-or-later`'
[ "$(grep -c -e 'may not include' -e 'no `SPDX' <<<"$out")" -eq 6 ] ||
    fail "reports other than the six planted breaks"
[ "$failures" -eq 0 ] || { echo "$out"; exit 1; }
echo "ok   check-layers passes a clean tree and names each planted break"
