#!/bin/bash
# Builds the order helper and starts it under Wine.
#
#   tools/run.sh
#
# On a fresh Debian 12 it first installs what is missing (with apt-get, as
# root or through sudo), then builds both Windows presets (win32, the
# shipped i686 program, and win64) and runs the i686 build where 32-bit
# Wine is installed and can run, else the x86_64 build.
#
# With a display the program simply runs in the user's own Wine; the script
# returns its exit code. Without one it runs on a private Xvfb screen in a
# Wine of its own, saves a picture of the window as build/screenshot.png,
# closes the program with Esc and says where the picture is.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

. tools/packages.sh
. tools/private_wine.sh

say() { echo "run.sh: $*" >&2; }

build() {
    local preset
    for preset in win32 win64; do
        say "building $preset"
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset"
    done
}

# The i686 program needs Wine's 32-bit loader (Debian's wine32:i386) and a
# kernel that can run it: on one without IA-32 support the loader fails with
# "Exec format error", and the x86_64 build of the same sources runs instead.
pick_program() {
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo "$root/build/win32/ZorbelOrder.exe"
    else
        echo "$root/build/win64/ZorbelOrder.exe"
    fi
}

# A new Wine prefix is made once, without the offers to install Mono and
# Gecko, which the program does not need.
prepare_prefix() {
    local prefix=${WINEPREFIX:-$HOME/.wine}
    if [ ! -f "$prefix/system.reg" ]; then
        say "setting up Wine in $prefix (once, takes a few seconds)"
        WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all wineboot -i >/dev/null 2>&1 || true
    fi
}

run_on_display() {
    local program=$1 rc=0
    say "starting $(basename "$(dirname "$program")")/$(basename "$program")"
    WINEDEBUG=${WINEDEBUG:--all} wine "$program" || rc=$?
    return $rc
}

# However the headless run ends (a failure, Ctrl-C, a timeout's SIGTERM):
# the program, its Wine and the screen stop, and the scratch folder goes.
work="" xvfb="" pid=""
clean_up() {
    kill $pid 2>/dev/null || true
    [ -z "$work" ] || private_wine_end "$work"
    kill $xvfb 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}

# No display: a private screen, a picture of the window, then Esc.
run_headless() {
    local program=$1 display_file window rc=0 i
    trap clean_up EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    work=$(mktemp -d)
    display_file="$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -nolisten unix 3>"$display_file" 2>"$work/xvfb.log" &
    xvfb=$!
    for i in $(seq 1 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    [ -s "$display_file" ] || { say "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(tr -d '\n' < "$display_file")"
    private_wine "$work"
    say "setting up a Wine of its own for this run (takes a few seconds)"
    wineboot -i >/dev/null 2>&1 || true

    say "starting $(basename "$(dirname "$program")")/$(basename "$program") on the virtual screen $DISPLAY"
    wine "$program" >"$work/wine.log" 2>&1 &
    pid=$!
    window=""
    for i in $(seq 1 300); do
        for w in $(xdotool search --onlyvisible --name "" 2>/dev/null); do
            if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q "Geometry: 415x450"; then
                window=$w
                break 2
            fi
        done
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        say "the program's window did not appear"
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep 1    # let it paint
    mkdir -p "$root/build"
    import -window "$window" "$root/build/screenshot.png"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key Escape
    for i in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill "$pid"
    wait "$pid" || rc=$?
    say "the program ran and closed (exit code $rc); a picture of its window is in $root/build/screenshot.png"
    return $rc
}

ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" || exit 1
build
program=$(pick_program)
[ -f "$program" ] || { say "no $program after the build"; exit 1; }

if [ -n "${DISPLAY:-}" ]; then
    prepare_prefix
    run_on_display "$program"
else
    run_headless "$program"
fi
