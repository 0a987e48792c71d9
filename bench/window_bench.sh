#!/usr/bin/env bash
# Whole-program figures of the game against the baseline window (the same
# screen as a plain Qt program draws it), each in its own X server (Xvfb):
# start-up to the first painted frame, peak resident memory, context switches
# a second on the settings screen and while paused, and CPU time per minute
# of a Human vs. Computer match (Yellow idle, so the serve keeps bouncing on
# its head and the computer keeps walking). Runs alternate between the two
# programs; the medians of RUNS runs are compared as game / baseline. A
# start-up varies by tens of milliseconds from one launch to the next, so
# STARTUP_RUNS more launches of each, alternating too, only time the first
# frame; the start-up median is taken over all launches. The CPU time of a
# match is also compared with the baseline repainting only its ball's
# rectangle each period (--ball-only), run alternately with the others.
# SCREEN=sway HZ=144 runs every program on a headless sway output at HZ
# instead of Xvfb (whose screen reports no rate, which Qt takes for 60 Hz),
# with Qt's Wayland platform, the compositor pacing the game's frames.
#
#   bench/window_bench.sh [BUILD-DIR]      (default build-bench-qt)
#   RUNS=5 STARTUP_RUNS=40 PLAY_SECONDS=20 IDLE_SECONDS=5 bench/window_bench.sh
#   SCREEN=sway HZ=144 STARTUP_RUNS=0 bench/window_bench.sh
source "$(dirname "$0")/bench_lib.sh"
set -euo pipefail

BUILD=${1:-build-bench-qt}
RUNS=${RUNS:-5}
STARTUP_RUNS=${STARTUP_RUNS:-40}
PLAY_SECONDS=${PLAY_SECONDS:-20}
IDLE_SECONDS=${IDLE_SECONDS:-5}
SCREEN=${SCREEN:-xvfb}
HZ=${HZ:-60}
# The game is run as quondra-trace, the shipped game plus a log of its clock
# (sent to /dev/null here) and the first-frame mark; the game itself reads
# no environment variables.
GAME=$BUILD/quondra-trace
BASELINE=$BUILD/quondra-baseline
for p in "$GAME" "$BASELINE"; do [ -x "$p" ] || { echo "missing $p (make bench-qt builds it)" >&2; exit 2; }; done
CLK_TCK=$(getconf CLK_TCK)

WORK=$(mktemp -d)
XVFB_PID=
SWAY_PID=
KEYBOARD_PID=
PROG_PID=
TIME_PID=
# Sway refuses root: as root, the compositor and the programs run as nobody.
AS=()
if [ "$SCREEN" = sway ]; then
  for t in sway wtype; do command -v $t >/dev/null || { echo "no $t" >&2; exit 2; }; done
  [ "$(id -u)" -eq 0 ] && AS=(runuser -u nobody --) && chown nobody "$WORK"
fi
cleanup() {
  stop_tree "$TIME_PID"
  [ -n "$PROG_PID" ] && kill "$PROG_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  stop_tree "$KEYBOARD_PID"
  stop_tree "$SWAY_PID"
  rm -rf "$WORK"
}
trap cleanup EXIT

# Everything on the compositor runs with the same user and runtime directory.
ENV=(env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$WORK" WAYLAND_DISPLAY=wayland-1)
on_sway() { "${AS[@]}" "${ENV[@]}" "$@"; }

start_display() {
  if [ "$SCREEN" = sway ]; then
    printf 'output HEADLESS-1 mode 1280x900@%sHz\n' "$HZ" >"$WORK/config"
    rm -f "$WORK"/wayland-1 "$WORK"/sway-ipc.*.sock
    on_sway WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
      sway -c "$WORK/config" >"$WORK/sway.log" 2>&1 &
    SWAY_PID=$!
    wait_until 15 test -S "$WORK/wayland-1" || { echo "sway did not start" >&2; exit 1; }
    # A headless seat has no keyboard; one that stays keeps the focus between key presses.
    on_sway wtype -s 3600000 &
    KEYBOARD_PID=$!
    return
  fi
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  XVFB_PID=$!
  wait_until 10 test -s "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(cat "$WORK/display")"
}

stop_display() {
  if [ "$SCREEN" = sway ]; then
    stop_tree "$KEYBOARD_PID"
    stop_tree "$SWAY_PID"
    KEYBOARD_PID= SWAY_PID=
    sleep 0.3
    return
  fi
  kill "$XVFB_PID" 2>/dev/null || true
  wait "$XVFB_PID" 2>/dev/null || true
  XVFB_PID=
}

# Context switches of a process so far: each is a wake from a sleep, or a preemption.
# Every thread counts (the X connection has a reader thread of its own).
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { n += $2 } END { print n }'; }

# Context switches a second over IDLE_SECONDS.
idle_rate() {
  local c0 c1
  c0=$(switches "$1")
  sleep "$IDLE_SECONDS"
  c1=$(switches "$1")
  awk -v a="$c0" -v b="$c1" -v d="$IDLE_SECONDS" 'BEGIN { printf "%.1f\n", (b - a) / d }'
}

# User + system CPU seconds of a process so far.
cpu_seconds() {
  awk -v tck="$CLK_TCK" '{ sub(/^.*\) /, ""); printf "%.4f\n", ($12 + $13) / tck }' "/proc/$1/stat"
}

key() {
  if [ "$SCREEN" = sway ]; then on_sway wtype -k "$1"; else xdotool key "$1"; fi
}

# Starts one program in a new display and waits for its first complete frame;
# sets STARTUP_MS, TIME_PID and PROG_PID.
launch() {
  local kind=$1 prog=$2 mark="$WORK/mark" args=()
  [ "$kind" = game ] && args=(/dev/null "$mark")
  [ "$kind" = ball ] && args=(--ball-only)
  rm -f "$mark" "$WORK/rss"
  start_display
  local start_ns
  start_ns=$(date +%s%N)
  if [ "$SCREEN" = sway ]; then
    on_sway QUONDRA_FIRST_PAINT_FILE="$mark" QT_QPA_PLATFORM=wayland \
      /usr/bin/time -f '%M' -o "$WORK/rss" "$prog" "${args[@]}" &
  else
    QUONDRA_FIRST_PAINT_FILE="$mark" QT_QPA_PLATFORM=xcb /usr/bin/time -f '%M' -o "$WORK/rss" "$prog" "${args[@]}" &
  fi
  TIME_PID=$!
  wait_until 20 test -s "$mark" || { echo "$kind painted nothing" >&2; exit 1; }
  STARTUP_MS=$(awk -v s="$start_ns" -v p="$(cat "$mark")" 'BEGIN { printf "%.1f", (p - s) / 1e6 }')
  # The program itself, below runuser and time.
  PROG_PID=$TIME_PID
  while [ "$(cat /proc/"$PROG_PID"/comm 2>/dev/null)" != "$(basename "$prog" | cut -c1-15)" ]; do
    PROG_PID=$(pgrep -P "$PROG_PID" | head -n 1)
    [ -n "$PROG_PID" ] || { echo "$kind: no process" >&2; exit 1; }
  done
}

stop_program() {
  kill "$PROG_PID"
  wait "$TIME_PID" 2>/dev/null || true
  PROG_PID= TIME_PID=
  stop_display
}

# One launch that only times the first frame: prints "startup_ms".
measure_startup() {
  launch "$1" "$2"
  stop_program
  echo "$STARTUP_MS"
}

# One run of one program: prints "startup_ms peak_kb cpu_s_per_minute
# settings_switches_per_s paused_switches_per_s".
measure() {
  local kind=$1
  launch "$1" "$2"
  if [ "$SCREEN" != sway ]; then
    local wid title='^ Quondra$'
    [ "$kind" = game ] || title='^Baseline$'
    wid=$(xdotool search --sync --name "$title" | head -n 1)
    xdotool windowfocus --sync "$wid" 2>/dev/null || true
  fi
  sleep 0.5
  local settings_rate paused_rate
  settings_rate=$(idle_rate "$PROG_PID")
  key Return   # Play: Human vs. Computer, the default settings
  sleep 1   # let the match (or the baseline's animation) settle in
  local cpu0 cpu1
  cpu0=$(cpu_seconds "$PROG_PID")
  sleep "$PLAY_SECONDS"
  cpu1=$(cpu_seconds "$PROG_PID")
  key Escape   # pause
  sleep 0.5
  paused_rate=$(idle_rate "$PROG_PID")
  stop_program
  local peak_kb
  peak_kb=$(tail -n 1 "$WORK/rss")
  awk -v s="$STARTUP_MS" -v k="$peak_kb" -v c0="$cpu0" -v c1="$cpu1" -v d="$PLAY_SECONDS" \
    -v sr="$settings_rate" -v pr="$paused_rate" \
    'BEGIN { printf "%s %d %.3f %s %s\n", s, k, (c1 - c0) / d * 60, sr, pr }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
range() { sort -g | awk 'NR == 1 { lo = $1 } { hi = $1 } END { print lo "-" hi }'; }

echo "machine: $(nproc) cores, $(lscpu | sed -n 's/^Model name: *//p'); load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "screen: $SCREEN$([ "$SCREEN" = sway ] && echo " at $HZ Hz")"
: >"$WORK/game" && : >"$WORK/baseline" && : >"$WORK/ball"
for run in $(seq "$RUNS"); do
  measure baseline "$BASELINE" >>"$WORK/baseline"
  measure ball "$BASELINE" >>"$WORK/ball"
  measure game "$GAME" >>"$WORK/game"
  echo "run $run: baseline $(tail -n 1 "$WORK/baseline") | ball-only $(tail -n 1 "$WORK/ball") | game $(tail -n 1 "$WORK/game")  (startup ms, peak kB, CPU s/min, switches/s on settings, paused)"
done
cut -d' ' -f1 "$WORK/baseline" >"$WORK/baseline.startup"
cut -d' ' -f1 "$WORK/game" >"$WORK/game.startup"
for _ in $(seq "$STARTUP_RUNS"); do
  measure_startup baseline "$BASELINE" >>"$WORK/baseline.startup"
  measure_startup game "$GAME" >>"$WORK/game.startup"
done
echo "start-up only: baseline $(tail -n "$STARTUP_RUNS" "$WORK/baseline.startup" | tr '\n' ' ')"
echo "start-up only: game $(tail -n "$STARTUP_RUNS" "$WORK/game.startup" | tr '\n' ' ')"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"

printf '%-22s %12s %16s %12s %16s %8s %8s\n' figure baseline "(range)" game "(range)" ratio budget
# report NAME COLUMN BUDGET [SUFFIX]: the medians of a column of the runs, or
# of the files ending in SUFFIX.
report() {
  local name=$1 col=$2 budget=$3 suffix=${4:-} b g
  b=$(cut -d' ' -f"$col" "$WORK/baseline$suffix" | median)
  g=$(cut -d' ' -f"$col" "$WORK/game$suffix" | median)
  printf '%-22s %12s %16s %12s %16s %8s %8s\n' "$name" "$b" "($(cut -d' ' -f"$col" "$WORK/baseline$suffix" | range))" \
    "$g" "($(cut -d' ' -f"$col" "$WORK/game$suffix" | range))" \
    "$(awk -v g="$g" -v b="$b" 'BEGIN { if (b > 0) printf "%.3f", g / b; else print "-" }')" "$budget"
}
report "start-up ms" 1 "<= 1.05" .startup
report "peak RSS kB" 2 "<= 1.05"
report "CPU s per minute" 3 "<= 0.5"
b=$(cut -d' ' -f3 "$WORK/ball" | median)
g=$(cut -d' ' -f3 "$WORK/game" | median)
printf '%-22s %12s %16s %12s %16s %8s %8s\n' "CPU vs ball-only" "$b" "($(cut -d' ' -f3 "$WORK/ball" | range))" \
  "$g" "($(cut -d' ' -f3 "$WORK/game" | range))" "$(awk -v g="$g" -v b="$b" 'BEGIN { printf "%.3f", g / b }')" "<= 1.0"
report "settings switches/s" 4 "game 0"
report "paused switches/s" 5 "game 0"
echo "medians of $RUNS runs, $PLAY_SECONDS s of play each; start-up over $((RUNS + STARTUP_RUNS)) launches"
