#!/usr/bin/env bash
# Instructions from launch to the first complete frame, game and baseline,
# counted by callgrind. Unlike wall-clock start-up they barely move with the
# machine's load (a few hundred thousand in 100 million), so one run each
# settles a change of a million. Both programs mark the frame through the
# same first-paint mark; callgrind dumps its counters when the mark's
# deferred call is entered, and the program is stopped then.
#
#   bench/first_frame_instructions.sh [BUILD-DIR]      (default build-bench-qt)
set -euo pipefail

BUILD=${1:-build-bench-qt}
GAME=$BUILD/quondra-trace
BASELINE=$BUILD/quondra-baseline
for p in "$GAME" "$BASELINE"; do [ -x "$p" ] || { echo "missing $p (make bench-qt builds it)" >&2; exit 2; }; done
command -v valgrind >/dev/null || { echo "valgrind is needed" >&2; exit 2; }
# The mark writes its file from a queued call; entering it means the frame,
# child widgets included, has been painted.
MARK_CALL='QtPrivate::QFunctorSlotObject<quondra::qt::FirstPaintMark::Painted()::*'

WORK=$(mktemp -d)
XVFB_PID=
PROG_PID=
cleanup() {
  [ -n "$PROG_PID" ] && kill "$PROG_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
[ -s "$WORK/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$WORK/display")" QT_QPA_PLATFORM=xcb

# Prints the instructions one program ran up to its first complete frame.
count() {
  local kind=$1 prog=$2 args=() out="$WORK/$1"
  [ "$kind" = game ] && args=(/dev/null "$WORK/mark")
  QUONDRA_FIRST_PAINT_FILE="$WORK/mark" valgrind --tool=callgrind --callgrind-out-file="$out.%p" \
    "--dump-before=$MARK_CALL" "$prog" "${args[@]}" >"$out.log" 2>&1 &
  PROG_PID=$!
  local dump=
  for _ in $(seq 1200); do
    dump=$(ls "$out".*.1 2>/dev/null | head -n 1) || true
    # Written completely once its totals line is there.
    [ -n "$dump" ] && grep -q '^totals:' "$dump" && break
    dump=
    sleep 0.1
  done
  kill "$PROG_PID" 2>/dev/null || true
  wait "$PROG_PID" 2>/dev/null || true
  PROG_PID=
  [ -n "$dump" ] || { echo "$kind: no first frame under callgrind" >&2; exit 1; }
  awk '/^totals:/ { print $2; exit }' "$dump"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
baseline=$(count baseline "$BASELINE")
game=$(count game "$GAME")
awk -v g="$game" -v b="$baseline" \
  'BEGIN { printf "instructions to the first complete frame: game %.1f M, baseline %.1f M, game / baseline %.3f (budget 1.05)\n", g / 1e6, b / 1e6, g / b }'
