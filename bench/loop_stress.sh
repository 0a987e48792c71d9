#!/usr/bin/env bash
# The game's loop under stress, in the real window under Xvfb, measured from
# the trace of quondra-trace (never asserted on):
#   a) the periods run across a 2 s SIGSTOP of the process;
#   b) what moves while the "Exit Program" box is open;
#   c) the clock's rate over 30 s, against 64 periods a second;
#   d) context switches a second of the whole process (all its threads) on the
#      settings screen, in play, with the box open and while paused.
# quondra-trace is built with the benchmarks (make bench-qt).
# Usage: bench/loop_stress.sh [BUILD-DIR]   (default: build-bench-qt)
BUILD_DIR=${1:-build-bench-qt}
set -- "$BUILD_DIR/quondra-trace"
source "$(dirname "$0")/../tests/e2e/lib.sh"
[ -x "$GAME" ] || fail "no $GAME; build the project first"
readonly STOP_S=2 BOX_S=2 RATE_S=30 PHASE_S=5

switches() { cat /proc/"$GAME_PID"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { n += $2 } END { print n }'; }
# Context switches a second over $1 seconds.
switch_rate() {
  local c0 c1
  c0=$(switches); sleep "$1"; c1=$(switches)
  awk -v a="$c0" -v b="$c1" -v d="$1" 'BEGIN { printf "%.1f", (b - a) / d }'
}
TRACE="$WORK/trace.txt"
GAME_ARGS=("$TRACE")

start_game
sleep 0.5
settings_rate=$(switch_rate $PHASE_S)
press Return              # a match; Yellow idle, so the ball bounces on Yellow for good
sleep 1
play_rate=$(switch_rate $PHASE_S)

kill -STOP "$GAME_PID"; sleep $STOP_S; kill -CONT "$GAME_PID"
sleep 1

press q
wait_until 5 has_window 'Exit Program' || fail "Q did not open 'Exit Program'"
sleep 0.2
shot box1; box_rate=$(switch_rate $BOX_S); shot box2
box_pixels=$(pixels_differing box1 box2)
press Escape
wait_until 5 bash -c "! xdotool search --name 'Exit Program' >/dev/null 2>&1" || fail "Escape did not close the box"
xdotool windowfocus --sync "$WID" 2>/dev/null || true

sleep $((RATE_S + 1))
press Escape              # pause
sleep 0.5
paused_rate=$(switch_rate $PHASE_S)
press q
wait_until 5 has_window 'Exit Program' || fail "Q did not open 'Exit Program' at the end"
press Return
await_exit 5

awk -v box_pixels="$box_pixels" -v rate_s="$RATE_S" '
$1 == "wake" {
  t = $2; ran = $3; p = $4; top = $6
  if (n > 0 && !open_t && t - last_t > gap) { gap = t - last_t; gap_ran = ran; gap_dp = p - last_p; top0 = last_top; top1 = top }
  if (closed_t && t >= closed_t + 5e8) {
    if (!rate_t0) { rate_t0 = t; rate_p0 = p }
    if (t - rate_t0 <= rate_s * 1e9) { rate_t1 = t; rate_p1 = p }
  }
  if (open_t && !closed_t) box_wakes++
  last_t = t; last_p = p; last_top = top; n++; box_between = 0
}
$1 == "box" && $2 == "open" && !open_t { open_t = $3; open_p = $4; box_between = 1 }
$1 == "box" && $2 == "closed" && !closed_t { closed_t = $3; closed_p = $4; box_between = 1 }
END {
  printf "a) stopped %.3f s: the first wake after it ran %d periods; the period count rose by %d; ball Top %s -> %s\n", gap / 1e9, gap_ran, gap_dp, top0, top1
  printf "b) box open %.3f s: %d wakes, %d periods ran, %s pixels changed between two screenshots %.1f s apart\n", (closed_t - open_t) / 1e9, box_wakes, closed_p - open_p, box_pixels, '"$BOX_S"'
  rate = (rate_p1 - rate_p0) / ((rate_t1 - rate_t0) / 1e9)
  printf "c) %d periods in %.3f s: %.3f periods/s, %+.3f %% from 64\n", rate_p1 - rate_p0, (rate_t1 - rate_t0) / 1e9, rate, (rate / 64 - 1) * 100
  printf "d) context switches a second: settings %s, play %s, box open %s, paused %s\n", "'"$settings_rate"'", "'"$play_rate"'", "'"$box_rate"'", "'"$paused_rate"'"
}' "$TRACE"
