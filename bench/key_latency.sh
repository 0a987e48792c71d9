#!/usr/bin/env bash
# The latency of a key: from a key-down of D or A reaching the game's window
# to the end of the first paint that draws Yellow elsewhere, over PRESSES
# presses (each held HOLD_MS, with a pause of 100 to 200 ms between, so that
# the presses fall on every phase of the clock and of the screen's frames).
# Prints the median and the 99th percentile in milliseconds. The game runs
# as `quondra-trace --latency`, which times both ends from the window's own
# events and signals. SCREEN=sway HZ=60 runs it on a headless sway output
# (as nobody when run as root), otherwise in Xvfb.
#
#   bench/key_latency.sh [TRACE-BIN]      (default build-bench-qt/quondra-trace)
#   PRESSES=150 HOLD_MS=120 SCREEN=sway HZ=60 bench/key_latency.sh
source "$(dirname "$0")/bench_lib.sh"
set -euo pipefail

TRACE=${1:-build-bench-qt/quondra-trace}
PRESSES=${PRESSES:-150}
HOLD_MS=${HOLD_MS:-120}
SCREEN=${SCREEN:-xvfb}
HZ=${HZ:-60}
[ -x "$TRACE" ] || { echo "missing $TRACE (make bench-qt builds it)" >&2; exit 2; }

WORK=$(mktemp -d)
chmod 755 "$WORK"
PIDS=()
AS=()
[ "$SCREEN" = sway ] && [ "$(id -u)" -eq 0 ] && AS=(runuser -u nobody --) && chown nobody "$WORK"
cleanup() {
  for p in "${PIDS[@]}"; do stop_tree "$p"; done
  rm -rf "$WORK"
}
trap cleanup EXIT

if [ "$SCREEN" = sway ]; then
  ENV=(env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$WORK" WAYLAND_DISPLAY=wayland-1)
  on_screen() { "${AS[@]}" "${ENV[@]}" "$@"; }
  printf 'output HEADLESS-1 mode 1280x900@%sHz\n' "$HZ" >"$WORK/config"
  on_screen WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 sway -c "$WORK/config" \
    >"$WORK/sway.log" 2>&1 &
  PIDS+=($!)
  wait_until 15 test -S "$WORK/wayland-1" || { echo "sway did not start" >&2; exit 1; }
  on_screen wtype -s 3600000 &
  PIDS+=($!)
  down() { on_screen wtype -P "$1"; }
  up() { on_screen wtype -p "$1"; }
  tap() { on_screen wtype -k "$1"; }
  PLATFORM=wayland
else
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  PIDS+=($!)
  wait_until 10 test -s "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(cat "$WORK/display")"
  on_screen() { env "$@"; }
  down() { xdotool keydown "$1"; }
  up() { xdotool keyup "$1"; }
  tap() { xdotool key "$1"; }
  PLATFORM=xcb
fi

on_screen QT_QPA_PLATFORM=$PLATFORM "$(realpath "$TRACE")" --latency "$WORK/latency" >"$WORK/game.log" 2>&1 &
PIDS+=($!)
sleep 3
if [ "$SCREEN" != sway ]; then
  xdotool windowfocus --sync "$(xdotool search --sync --name '^ Quondra$' | head -n 1)" 2>/dev/null || true
fi
tap Return
sleep 1
for i in $(seq "$PRESSES"); do
  key=d
  [ $((i % 2)) -eq 0 ] && key=a
  down $key
  sleep "$(awk -v h="$HOLD_MS" 'BEGIN { printf "%.3f", h / 1000 }')"
  up $key
  sleep "$(awk -v r=$RANDOM 'BEGIN { printf "%.3f", 0.1 + (r % 100) / 1000 }')"
done
sleep 0.5
echo "screen: $SCREEN$([ "$SCREEN" = sway ] && echo " at $HZ Hz"); load: $(cut -d' ' -f1-3 /proc/loadavg)"
awk '/^latency/ { print $2 / 1e6 }' "$WORK/latency" | sort -g | awk '
  { v[NR] = $1 }
  END {
    if (NR == 0) { print "no latency measured"; exit 1 }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    p = v[int(0.99 * (NR - 1)) + 1]
    printf "key-down to the first paint that shows it: median %.1f ms, 99th percentile %.1f ms, over %d presses (min %.1f, max %.1f)\n", m, p, NR, v[1], v[NR]
  }'
