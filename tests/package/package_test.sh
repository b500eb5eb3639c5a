#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The Debian package as a user gets it: lintian finds no error or warning, the control fields and
# the file list are as meant, and the program unpacked from it runs in a private X server as an
# ordinary user, for whom its directory is not writable: it opens the main screen, prints, saves
# the picture in the user's pictures directory and ends with Escape. As root, the package is then
# installed with dpkg -i, /usr/bin/solvara prints as root (who may write to /usr/bin) and saves
# its picture in the home directory, and dpkg -r leaves nothing behind.
# Usage: package_test.sh SOLVARA-DEB
set -u
deb=$(realpath "$1")
. "$(dirname "$0")/../platform/window/x11/session.sh"
failures=0

# --- lintian ---------------------------------------------------------------------------------------
# One run: errors (E:) and warnings (W:) fail, and lintian must
# end well; the info tags (I:) and the overrides (O:) are shown as well.
report=$(lintian --display-info --show-overrides "$deb" 2>&1)
status=$?
report=$(printf '%s\n' "$report" | grep -v 'running with root privileges')
expect "lintian: no errors or warnings, status 0" "0 0" \
    "$(printf '%s\n' "$report" | grep -c -E '^[EW]: ') $status"
printf '%s\n' "$report" | sed 's/^/     lintian: /'

# --- control fields and files ----------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
arch=$(dpkg --print-architecture)
version=$(field Version)
expect "file name" "solvara_${version}_$arch.deb" "$(basename "$deb")"
expect "package" solvara "$(field Package)"
expect "architecture" "$arch" "$(field Architecture)"
expect "section" math "$(field Section)"
expect "a maintainer" yes "$(field Maintainer | grep -qE '^[^<]+ <[^@>]+@[^>]+>$' && echo yes)"
depends=$(field Depends)
for library in libc6 libsdl2-2.0-0 libcups2 libcairo2; do
    expect "depends on $library" yes "$(grep -qE "(^|, )$library( |,|$)" <<<"$depends" && echo yes)"
done
expect "a long description" yes "$([ "$(field Description | wc -l)" -ge 5 ] && echo yes)"
expect "the files" "./usr/bin/solvara
./usr/share/applications/solvara.desktop
./usr/share/doc/solvara/changelog.Debian.gz
./usr/share/doc/solvara/copyright
./usr/share/icons/hicolor/64x64/apps/solvara.png
./usr/share/icons/hicolor/scalable/apps/solvara.svg
./usr/share/lintian/overrides/solvara
./usr/share/man/man1/solvara.1.gz
./usr/share/metainfo/io.github.solvara.Solvara.metainfo.xml" \
    "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)"

# Solves x = 3, y = 4 in the program's window and prints; waits until the picture-print command
# has noted its path in $1/pr.log.
print_picture() {
    xdotool key --delay 80 x 3 Return y 4 Return
    sleep 0.5
    xdotool key p
    for _ in $(seq 200); do
        [ -s "$1/pr.log" ] && break
        sleep 0.05
    done
}

end_with_escape() {
    xdotool key Escape
    xs_wait_exit 10
    expect "Escape ends it with status 0" 0 "$APP_STATUS"
    [ "$APP_STATUS" == 0 ] || sed 's/^/     stderr: /' "$XS_DIR/app.err" | head -n 20
}

# --- the packaged program --------------------------------------------------------------------------
root=$XS_DIR/root
home=$XS_DIR/home
dpkg-deb -x "$deb" "$root" || exit 1
solvara=$root/usr/bin/solvara
expect "--version" "solvara ${version%-*}" "$("$solvara" --version)"
"$solvara" --no-such-option >/dev/null 2>"$XS_DIR/usage.err"
expect "an unknown option: status 2" 2 "$?"
expect "an unknown option: one line on stderr" 1 "$(wc -l <"$XS_DIR/usage.err")"

# An ordinary user with a pictures directory of a name of its own and a picture-print command that
# notes what it was given. As root the program runs as nobody, since root may write anywhere;
# otherwise the unpacked directory is made read-only.
mkdir -p "$home/.config" "$home/Bilder" "$XS_DIR/bin"
echo 'XDG_PICTURES_DIR="$HOME/Bilder"' >"$home/.config/user-dirs.dirs"
printf '#!/bin/sh\necho "$@" >>"$HOME/pr.log"\n' >"$XS_DIR/bin/pr"
chmod 755 "$XS_DIR" "$XS_DIR/bin" "$XS_DIR/bin/pr"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$home"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
    chmod a-w "$root/usr/bin"
fi
expect "the program's directory is not writable for the user" no \
    "$("${as_user[@]}" test -w "$root/usr/bin" && echo yes || echo no)"

xs_start_server || exit 1
cd "$home" || exit 1
if xs_start_app "${as_user[@]}" env -i DISPLAY="$DISPLAY" HOME="$home" \
    PATH="$XS_DIR/bin:/usr/bin:/bin" CUPS_SERVER=/nonexistent/solvara-package/cups.sock "$solvara"; then
    expect "window geometry (x y width height)" "638 298 643 483" "$(xs_geometry "$WIN")"
    xs_shot "$XS_DIR/main.rgb"
    expect "main screen: grey title bar" "170,170,170" "$(xs_pixel "$XS_DIR/main.rgb" 1038 306)"
    expect "main screen: white background" "255,255,255" "$(xs_pixel "$XS_DIR/main.rgb" 958 538)"

    print_picture "$home"
    picture=$home/Bilder/Solvara.bmp
    expect "the picture is in the pictures directory" 312130 "$(stat -c %s "$picture" 2>&1)"
    expect "pr was given its path" "$picture" "$(cat "$home/pr.log" 2>&1)"
    expect "nothing beside the program" no "$([ -e "$root/usr/bin/Solvara.bmp" ] && echo yes || echo no)"
    end_with_escape
else
    failures=$((failures + 1))
fi

# --- installed with dpkg ---------------------------------------------------------------------------
# Only as root, and only where no other copy would be overwritten or taken for this one.
status=$(dpkg-query -W -f='${db:Status-Status}' solvara 2>/dev/null)
if [ "$(id -u)" -ne 0 ]; then
    echo "skip installing the package: not root"
elif [ "${status:-not-installed}" != not-installed ] || [ -e /usr/bin/solvara ] ||
    [ -e /usr/bin/Solvara.bmp ]; then
    echo "skip installing the package: solvara is installed already"
else
    # Removed however the script ends, and a picture it left in /usr/bin with it.
    remove_package() {
        dpkg -r solvara >/dev/null 2>&1
        rm -f /usr/bin/Solvara.bmp
    }
    trap 'xs_cleanup; remove_package' EXIT
    dpkg -i "$deb" >"$XS_DIR/dpkg.log" 2>&1
    installed=$?
    expect "dpkg -i" 0 "$installed"
    [ "$installed" == 0 ] || sed 's/^/     dpkg: /' "$XS_DIR/dpkg.log"
    # Root's home for this run: a fresh directory, no pictures directory named.
    roothome=$XS_DIR/roothome
    mkdir -p "$roothome"
    cd "$roothome" || exit 1
    if xs_start_app env -i DISPLAY="$DISPLAY" HOME="$roothome" PATH="$XS_DIR/bin:/usr/bin:/bin" \
        CUPS_SERVER=/nonexistent/solvara-package/cups.sock /usr/bin/solvara; then
        print_picture "$roothome"
        expect "installed, run as root: the picture is in the home directory" 312130 \
            "$(stat -c %s "$roothome/Solvara.bmp" 2>&1)"
        expect "installed, run as root: pr was given its path" "$roothome/Solvara.bmp" \
            "$(cat "$roothome/pr.log" 2>&1)"
        expect "installed, run as root: nothing in /usr/bin" no \
            "$([ -e /usr/bin/Solvara.bmp ] && echo yes || echo no)"
        end_with_escape
    else
        failures=$((failures + 1))
    fi
    dpkg -r solvara >>"$XS_DIR/dpkg.log" 2>&1
    expect "dpkg -r" 0 "$?"
    left=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print substr($6, 2) }' |
        while read -r file; do [ -e "$file" ] && echo "$file"; done)
    [ -e /usr/bin/Solvara.bmp ] && left="$left /usr/bin/Solvara.bmp"
    expect "dpkg -r leaves nothing behind" "" "$left"
fi

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
