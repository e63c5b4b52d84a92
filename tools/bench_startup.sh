#!/usr/bin/env bash
# Start-up timing of the order helper against a bare dialog that shows the
# same first page (tools/bench/BareDialog.cpp), both x86_64 builds under Wine
# with a warm wineserver. Each run times from process start until the
# 415x450 window is mapped and shows the artwork at a few known pixels; the
# two programs take turns, so a busy machine slows both alike. Run by hand:
#
#   tools/bench_startup.sh [RUNS] [PROGRAM.exe] [BARE.exe]
#
# RUNS defaults to 20 per program; the programs default to the win64 preset's
# build (cmake --preset win64 && cmake --build --preset win64). Prints every
# run, min and median of each, the ratio of the medians, and fails when that
# ratio is over GOAL (1.05 unless set in the environment).
set -euo pipefail
cd "$(dirname "$0")/.."

RUNS=${1:-20}
[[ "$RUNS" =~ ^[1-9][0-9]*$ ]] || { echo "RUNS must be a positive number, got '$RUNS'" >&2; exit 1; }
PROGRAM=${2:-build/win64/ZorbelOrder.exe}
BARE=${3:-build/win64/baredialog.exe}
GOAL=${GOAL:-1.05}
ARTWORK=resources/topics.bmp
# Client points on the first page's felt, away from every text the page
# writes: the window counts as painted when all of them show the artwork.
POINTS=(250,300 12,150 60,390 395,395 380,60)

for exe in "$PROGRAM" "$BARE"; do
    [ -f "$exe" ] || { echo "missing $exe: build it with the win64 preset first" >&2; exit 1; }
done
for tool in wine wineboot wineserver Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "missing $tool: see tools/packages.sh (RUN_PACKAGES)" >&2; exit 1; }
done

# The probe is the only thing built here.
. tools/packages.sh
. tools/private_wine.sh
ensure_packages gcc libc6-dev libx11-dev
mkdir -p build/bench
probe=build/bench/startprobe
gcc -O2 -Wall -Wextra -Werror -o "$probe" tools/bench/startprobe.c -lX11

# RRGGBB of pixel (x, y) of a 24-bit BMP, top row first.
bmp_pixel() {
    local file=$1 x=$2 y=$3
    local offset width height bits
    read -r offset width height bits <<<"$(od -An -t u4 -j 10 -N 4 "$file") $(od -An -t d4 -j 18 -N 8 "$file") \
$(od -An -t u2 -j 28 -N 2 "$file")"
    [ "$bits" -eq 24 ] || { echo "$file is not a 24-bit bitmap" >&2; exit 1; }
    local stride=$(((width * 3 + 3) / 4 * 4)) row=$y
    [ "$height" -gt 0 ] && row=$((height - 1 - y))
    od -An -t x1 -j $((offset + row * stride + x * 3)) -N 3 "$file" | awk '{print $3 $2 $1}'
}
expected=()
for point in "${POINTS[@]}"; do
    expected+=("$point,$(bmp_pixel "$ARTWORK" "${point%,*}" "${point#*,}")")
done

work=$(mktemp -d)
xvfb=""
cleanup() {
    private_wine_end "$work"
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -nolisten unix 5>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
private_wine "$work"
wineserver -p   # stays up between runs: the start-ups timed are warm ones
wineboot -i >/dev/null 2>&1

# One timed start-up of $1: prints milliseconds, then closes the program with
# Esc (the pointer parked on the felt, since with no window manager the key
# goes where the pointer is) and insists on exit code 0.
time_one() {
    local exe=$1 out="$work/probe.out" pid
    xdotool mousemove 0 0
    : >"$out"
    "$probe" 415 450 "${expected[@]}" -- wine "$exe" >"$out" 2>"$work/stderr" &
    pid=$!
    while [ ! -s "$out" ] && kill -0 "$pid" 2>/dev/null; do sleep 0.02; done
    local ms x y
    read -r ms x y <"$out" || true
    [ -z "$ms" ] || xdotool mousemove $((x + 250)) $((y + 300)) sleep 0.1 key Escape
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
    local status=0
    wait "$pid" || status=$?
    if [ -z "$ms" ] || [ "$status" -ne 0 ]; then
        echo "$(basename "$exe"): ${ms:-no window} (exit code $status)" >&2
        tail -5 "$work/stderr" >&2
        return 1
    fi
    echo "$ms"
}

# Warm-up: the first start of each fills the caches and is not counted.
time_one "$PROGRAM" >/dev/null || exit 1
time_one "$BARE" >/dev/null || exit 1

printf "        %11s  %11s\n" "$(basename "$PROGRAM")" "$(basename "$BARE")"
program_times=()
bare_times=()
for run in $(seq "$RUNS"); do
    # Alternate which goes first, so neither always follows the other.
    if [ $((run % 2)) -eq 1 ]; then
        program=$(time_one "$PROGRAM") || exit 1
        bare=$(time_one "$BARE") || exit 1
    else
        bare=$(time_one "$BARE") || exit 1
        program=$(time_one "$PROGRAM") || exit 1
    fi
    program_times+=("$program")
    bare_times+=("$bare")
    printf 'run %2d: %8s ms  %8s ms\n' "$run" "$program" "$bare"
done

stats() {   # prints "min median" of the arguments
    printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%.1f %.1f\n", v[1], m }'
}
read -r program_min program_median <<<"$(stats "${program_times[@]}")"
read -r bare_min bare_median <<<"$(stats "${bare_times[@]}")"
ratio=$(awk -v a="$program_median" -v b="$bare_median" 'BEGIN {printf "%.3f", a / b}')

echo "$(basename "$PROGRAM"): min $program_min ms, median $program_median ms ($RUNS runs)"
echo "$(basename "$BARE"): min $bare_min ms, median $bare_median ms ($RUNS runs)"
echo "ratio of medians: $ratio (goal at most $GOAL)"
cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')
echo "$(date -u +%F), $(nproc) CPUs, $cpu, $(wine --version 2>/dev/null)"
awk -v r="$ratio" -v g="$GOAL" 'BEGIN {exit !(r <= g)}'
