# SPDX-License-Identifier: GPL-2.0-or-later
# Helpers for running the real program in a private X server; sourced by the X server tests and
# by the demo. Everything started here is stopped by its process id in xs_cleanup.
#
# A session: xs_start_server, then xs_start_app BINARY, then xdotool steps (xs_step between them),
# xs_shot / xs_pixel to look, xs_wait_exit to collect the exit status.

XS_WIDTH=1920
XS_HEIGHT=1080
XS_DIR=$(mktemp -d "${TMPDIR:-/tmp}/solvara-x11-XXXXXX")
XVFB_PID=
APP_PID=
APP_STATUS=
WIN=

xs_cleanup() {
    if [ -n "$XS_ABSENT_PID" ]; then
        kill -TERM "$XS_ABSENT_PID" 2>/dev/null
        wait "$XS_ABSENT_PID" 2>/dev/null
    fi
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill -KILL "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill -TERM "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$XS_DIR"
}
trap xs_cleanup EXIT

xs_now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Starts Xvfb on a free display it picks itself and exports DISPLAY. No window manager: the
# program's window is placed exactly where it asks. -noreset keeps the server from resetting
# (and forgetting its atoms) whenever its last client leaves.
xs_start_server() {
    local numberFile="$XS_DIR/display"
    : >"$numberFile"
    Xvfb -displayfd 9 -screen 0 "${XS_WIDTH}x${XS_HEIGHT}x24" -nolisten tcp -noreset \
        9>"$numberFile" 2>"$XS_DIR/xvfb.log" &
    XVFB_PID=$!
    local i
    for i in $(seq 200); do
        [ -s "$numberFile" ] && break
        sleep 0.025
    done
    if ! [ -s "$numberFile" ]; then
        echo "Xvfb did not start:" >&2
        cat "$XS_DIR/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(tr -d '\n' <"$numberFile")"
    unset WAYLAND_DISPLAY
    return 0
}

# Sets XS_ABSENT_DISPLAY to a display (":N") that no X server answers on while this script runs.
# A helper holds the display's abstract socket, the name every X server on Linux binds first, so
# that no server started meanwhile (one picking its own number with -displayfd included) takes
# the number; a client finds nobody listening there. xs_cleanup stops it.
XS_ABSENT_PID=
xs_absent_display() {
    local numberFile="$XS_DIR/absent-display"
    python3 -c '
import os, signal, socket, sys
for n in range(100, 1000):
    s = socket.socket(socket.AF_UNIX)
    try:
        s.bind("\0/tmp/.X11-unix/X%d" % n)
    except OSError:
        s.close()
        continue
    if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
        s.close()
        continue
    print(n, flush=True)
    signal.pause()
sys.exit(1)
' >"$numberFile" &
    XS_ABSENT_PID=$!
    local i
    for i in $(seq 200); do
        [ -s "$numberFile" ] && break
        kill -0 "$XS_ABSENT_PID" 2>/dev/null || break
        sleep 0.025
    done
    if ! [ -s "$numberFile" ]; then
        echo "no display number between 100 and 999 is free" >&2
        return 1
    fi
    XS_ABSENT_DISPLAY=":$(tr -d '\n' <"$numberFile")"
}

# Starts the program in the current directory and waits (5 s at most) until its window is mapped
# and shows a page; sets APP_PID and WIN. It runs as on a fresh X server with no session bus, and
# with a mark in its environment that whatever it starts inherits (see xs_leftovers).
XS_MARK="SOLVARA_LEFTOVER_MARK=$XS_DIR"
xs_start_app() {
    env -u DBUS_SESSION_BUS_ADDRESS -u XDG_RUNTIME_DIR "$XS_MARK" \
        "$@" >"$XS_DIR/app.out" 2>"$XS_DIR/app.err" &
    APP_PID=$!
    APP_STATUS=
    WIN=
    local deadline=$(($(xs_now_ms) + 5000))
    while [ "$(xs_now_ms)" -lt "$deadline" ]; do
        if ! kill -0 "$APP_PID" 2>/dev/null; then
            echo "the program ended at start:" >&2
            cat "$XS_DIR/app.err" >&2
            return 1
        fi
        WIN=$(xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | head -n 1)
        [ -n "$WIN" ] && break
        sleep 0.02
    done
    if [ -z "$WIN" ]; then
        echo "no window appeared" >&2
        return 1
    fi
    # Keyboard input goes to the focus window; without a desktop nobody else gives it focus.
    xdotool windowfocus --sync "$WIN" 2>/dev/null
    # Let the first page be shown and the start-up pauses pass.
    sleep 0.4
    return 0
}

# The command lines of the processes still running that a program started here started, the
# program included.
xs_leftovers() {
    local p
    for p in /proc/[0-9]*; do
        if { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "$XS_MARK"; then
            { tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null
            echo
        fi
    done
}

# The pause between input steps: SDL reads the pointer state once per event batch, so events
# closer together than this can merge (a fast click reads as no click).
xs_step() {
    sleep 0.05
}

# Waits up to $1 seconds for the program to end; sets APP_STATUS (or "running" when it did not).
xs_wait_exit() {
    local deadline=$(($(xs_now_ms) + ${1:-3} * 1000))
    while kill -0 "$APP_PID" 2>/dev/null; do
        if [ "$(xs_now_ms)" -ge "$deadline" ]; then
            APP_STATUS=running
            return 1
        fi
        sleep 0.02
    done
    wait "$APP_PID"
    APP_STATUS=$?
    APP_PID=
    return 0
}

# The whole screen as raw 8-bit RGB, row after row.
xs_shot() {
    import -window root -depth 8 "rgb:$1"
}

# The colour "r,g,b" of screen pixel (x, y) in a shot.
xs_pixel() {
    local offset=$((($3 * XS_WIDTH + $2) * 3))
    od -An -tu1 -j "$offset" -N 3 "$1" | awk '{ printf "%s,%s,%s", $1, $2, $3 }'
}

# The window's top-left corner and size, "x y width height".
xs_geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X/ { x = $NF }
        /Absolute upper-left Y/ { y = $NF }
        /Width:/ { w = $NF }
        /Height:/ { h = $NF }
        END { print x, y, w, h }'
}

# expect WHAT WANTED ACTUAL: prints ok or FAIL and counts the failures in $failures.
expect() {
    if [ "$2" == "$3" ]; then
        echo "ok   $1"
    else
        echo "FAIL $1: wanted [$2], got [$3]"
        failures=$((failures + 1))
    fi
}
