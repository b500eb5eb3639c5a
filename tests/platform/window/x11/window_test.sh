#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The real program in a private X server, checked from outside: where its window lands, its
# title and frame, the colours it shows, and every way the desktop can end it.
# Usage: window_test.sh SOLVARA-BINARY CLOSE-REQUEST-HELPER
set -u
SOLVARA=$(realpath "$1")
CLOSE_REQUEST=$(realpath "$2")
. "$(dirname "$0")/session.sh"

failures=0
expect_exit() {  # expect_exit WHAT: the program ends within 3 s with status 0
    xs_wait_exit 3
    expect "$1 ends with status 0" 0 "$APP_STATUS"
    [ "$APP_STATUS" == 0 ] || sed 's/^/     stderr: /' "$XS_DIR/app.err" | head -n 20
}

cd "$XS_DIR" || exit 1
xs_start_server || exit 1

# --- placement, title, frame and colours ---------------------------------------------------------
if xs_start_app "$SOLVARA"; then
    expect "window geometry (x y width height)" "638 298 643 483" "$(xs_geometry "$WIN")"
    expect "title" "Solvara" "$(xdotool getwindowname "$WIN")"
    # Motif hints: flags = decorations (2), decorations = none (0).
    expect "no frame" "_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0, 0x0, 0x0, 0x0" \
        "$(xprop -id "$WIN" _MOTIF_WM_HINTS)"
    xs_shot shot.rgb
    # Pixels of the main screen in the palette's exact colours, page coordinates.
    while read -r what x y colour; do
        expect "$what at ($x, $y)" "$colour" "$(xs_pixel shot.rgb $((638 + x)) $((298 + y)))"
    done <<'PIXELS'
white-background     320 240 255,255,255
cyan-outer-frame     642 482 0,170,170
cyan-middle-frame    641 481 0,170,170
blue-inner-frame     640 480 0,0,170
blue-title-underline 300  17 0,0,170
grey-title-bar       400   8 170,170,170
brown-exit-block     569  15 170,85,0
red-close-block      636  10 170,0,0
green-triangle-base  150 401 4,161,0
PIXELS
    expect "desktop left of the window" "0,0,0" "$(xs_pixel shot.rgb 637 298)"
    xdotool key Escape
    expect_exit "Escape"
else
    failures=$((failures + 1))
fi

# --- the desktop's ways out ------------------------------------------------------------------------
if xs_start_app "$SOLVARA"; then
    kill -TERM "$APP_PID"
    expect_exit "SIGTERM"
else
    failures=$((failures + 1))
fi

if xs_start_app "$SOLVARA"; then
    "$CLOSE_REQUEST" "$WIN"
    expect_exit "WM_DELETE_WINDOW"
else
    failures=$((failures + 1))
fi

# --- nothing outlives the program ------------------------------------------------------------------
# Every run above had no session bus; libdbus would have launched one for SDL (dbus-launch and a
# dbus-daemon) that stays as long as the X server does, and is still running.
sleep 0.3
expect "processes left behind by the program" "" "$(xs_leftovers)"

# --- no display ------------------------------------------------------------------------------------
# SDL would fall back to its offscreen driver and run invisibly; the program must refuse instead,
# with DISPLAY unset and with a display no server answers on. A program that waits for a display
# instead is stopped after 5 s and ends with timeout's 124, not 1; how long it took is not held to
# a clock, which a loaded machine (make test runs both suites side by side) stretches past a second.
xs_absent_display || exit 1
for display in "" "$XS_ABSENT_DISPLAY"; do
    what=${display:-unset}
    if [ -z "$display" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
            timeout 5 "$SOLVARA" >no-display.out 2>no-display.err
    else
        env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY="$display" \
            timeout 5 "$SOLVARA" >no-display.out 2>no-display.err
    fi
    expect "DISPLAY $what: status 1, within 5 s" 1 "$?"
    expect "DISPLAY $what: one line on stderr" 1 "$(wc -l <no-display.err)"
    expect "DISPLAY $what: the line names the failure" yes \
        "$(grep -q '^solvara: cannot open a window: ' no-display.err && echo yes || cat no-display.err)"
    expect "DISPLAY $what: nothing on stdout" 0 "$(wc -c <no-display.out)"
done

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
