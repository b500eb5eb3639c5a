#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real program without a display, and when its X server goes away under it: it must end,
# never hang.
# Usage: display_loss_test.sh SOLVARA-BINARY
set -u
SOLVARA=$(realpath "$1")
. "$(dirname "$0")/../platform/window/x11/session.sh"

failures=0

cd "$XS_DIR" || exit 1

# --- no display: one line on stderr, status 1 ----------------------------------------------------
# What the environment names besides no X display (none of it can be reached), then the case.
no_display_cases=(
    "|no display"
    "WAYLAND_DISPLAY=solvara-no-socket XDG_RUNTIME_DIR=$XS_DIR|a Wayland socket that is not there"
    "WAYLAND_DISPLAY=$XS_DIR/no-socket|a Wayland socket path that is not there"
    "WAYLAND_DISPLAY=wayland-0|a Wayland socket without XDG_RUNTIME_DIR to find it in"
)
for case in "${no_display_cases[@]}"; do
    what=${case#*|}
    # shellcheck disable=SC2086 # the variables are words of their own
    env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR ${case%%|*} \
        timeout 5 "$SOLVARA" >none.out 2>none.err
    # A program that waits for a display is stopped after 5 s with timeout's 124.
    expect "$what: status 1, within 5 s" 1 "$?"
    expect "$what: one line on stderr" 1 "$(wc -l <none.err)"
    echo "     stderr: $(head -n 1 none.err)"
done

# --- the X server goes away while the program runs -----------------------------------------------
for signal in TERM KILL; do
    xs_start_server || exit 1
    if xs_start_app "$SOLVARA"; then
        # The program is idle in its main loop; take its display away.
        kill -"$signal" "$XVFB_PID"
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=
        start=$(xs_now_ms)
        xs_wait_exit 5
        elapsed=$(($(xs_now_ms) - start))
        expect "X server killed ($signal): the program ends within 5 s" ended \
            "$([ "$APP_STATUS" != running ] && echo ended || echo "still running")"
        echo "     ended after $elapsed ms with status $APP_STATUS;" \
            "stderr: $(head -n 3 "$XS_DIR/app.err" | tr '\n' ' ')"
        expect "X server killed ($signal): it does not claim success" yes \
            "$([ "$APP_STATUS" != 0 ] && echo yes || echo "no, status 0")"
    else
        failures=$((failures + 1))
    fi
done

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
