#!/usr/bin/env bash
# The core cases under a Wayland compositor with Qt's own Wayland platform:
# start, Enter, D held walks Yellow again after a serve, Escape held 3 s
# pauses once, another program taking the focus pauses the rally, the close
# control with "Exit Program" open ends with 0, Q and Yes end with 0, and a
# scale factor of 2 doubles the window. Headless sway, wtype for keys, grim
# for screenshots; sway refuses root, so as root both run as "nobody".
set -euo pipefail
GAME=${1:?usage: wayland.sh PATH-TO-QUONDRA}
readonly SKIP_STATUS=77
skip() { echo "SKIP: $*" >&2; exit $SKIP_STATUS; }
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in sway swaymsg wtype grim jq convert compare; do
  command -v $tool >/dev/null || skip "$tool is not installed"
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so >/dev/null 2>&1 || skip "Qt's Wayland platform is not installed"

AS=()
if [ "$(id -u)" -eq 0 ]; then
  command -v runuser >/dev/null || skip "runuser is not installed"
  AS=(runuser -u nobody --)
  "${AS[@]}" test -x "$GAME" || skip "user nobody cannot run $GAME"
fi
WORK=$(mktemp -d)
[ "$(id -u)" -eq 0 ] && chown nobody "$WORK"
chmod 700 "$WORK"
SWAY_PID= GAME_PID= KEYBOARD_PID= OTHER_PID=
HOLD_PID=
# Each of these is runuser's process when run as root: its child goes too.
stop() { [ -n "$1" ] || return 0; pkill -P "$1" 2>/dev/null || true; kill "$1" 2>/dev/null || true; }
cleanup() {
  for p in $HOLD_PID $OTHER_PID $GAME_PID $KEYBOARD_PID $SWAY_PID; do stop "$p"; done
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' TERM INT

wait_until() {
  local limit=$1; shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

# Everything on the compositor runs with the same user and runtime directory.
ENV=(env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$WORK" WAYLAND_DISPLAY=wayland-1)
on_sway() { "${AS[@]}" "${ENV[@]}" SWAYSOCK="$(ls "$WORK"/sway-ipc.*.sock)" "$@"; }

# A headless output, no borders to measure around, and new windows focused.
printf 'output HEADLESS-1 resolution 2048x1536\ndefault_floating_border none\n' > "$WORK/config"
[ "$(id -u)" -eq 0 ] && chown nobody "$WORK/config"
"${AS[@]}" "${ENV[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway -c "$WORK/config" >"$WORK/sway.log" 2>&1 &
SWAY_PID=$!
wait_until 15 bash -c "ls '$WORK'/sway-ipc.*.sock >/dev/null 2>&1 && [ -S '$WORK/wayland-1' ]" ||
  fail "sway did not start: $(tail -3 "$WORK/sway.log")"
# A headless seat has no keyboard; one that stays keeps the game's keyboard
# (and its focus) alive between two wtype calls.
on_sway wtype -s 3600000 &
KEYBOARD_PID=$!

tree() { on_sway swaymsg -t get_tree; }
has_window() { tree | jq -e --arg n "$1" '[.. | objects | select(.name? == $n and .pid? != null)] | length > 0' >/dev/null; }
# The client area's corner and size of a window: X Y W H.
geometry() {
  tree | jq -r --arg n "$1" '.. | objects | select(.name? == $n and .pid? != null) |
    "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"' | head -n 1
}
SCALE=1
launch_game() {
  on_sway QT_QPA_PLATFORM=wayland QT_SCALE_FACTOR=$SCALE "$GAME" >"$WORK/game.log" 2>&1 &
  GAME_PID=$!
  wait_until 15 has_window " Quondra" || fail "no window titled ' Quondra'"
  read -r X Y WIDTH HEIGHT <<< "$(geometry " Quondra")"
  sleep 0.3
}
game_running() { kill -0 "$GAME_PID" 2>/dev/null; }
await_exit() {
  wait_until "$1" bash -c "! kill -0 $GAME_PID 2>/dev/null" || fail "the game did not end in $1 s"
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=
}
key() { on_sway wtype -k "$1"; }
# A key held for $2 seconds by one keyboard: a keyboard that goes lets its keys go.
hold_for() { on_sway wtype -P "$1" -s $(($2 * 1000)) -p "$1" & HOLD_PID=$!; }
await_release() { wait "$HOLD_PID" || true; HOLD_PID=; }
shot() {
  on_sway grim "$WORK/$1.png"
  if [ -n "${SHOTS_DIR:-}" ]; then cp "$WORK/$1.png" "$SHOTS_DIR/wayland_$1.png"; fi
}
pixels_differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }
colour_at() {
  local x=$((X + $2 * SCALE / 15)) y=$((Y + $3 * SCALE / 15))
  convert "$WORK/$1.png" -format "%[fx:int(255*p{$x,$y}.r)],%[fx:int(255*p{$x,$y}.g)],%[fx:int(255*p{$x,$y}.b)]" info:
}
colour_now_is() { shot now; [ "$(colour_at now "$1" "$2")" = "$3" ]; }
still() { shot "$1_a"; sleep 0.5; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -eq 0 ]; }
moving() { shot "$1_a"; sleep 0.3; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -gt 0 ]; }
# The left edge (px) of Yellow's dome in the rows just above the ground.
yellow_x() {
  shot "$1"
  local b
  b=$(convert "$WORK/$1.png" -crop "$((849 * SCALE))x$((14 * SCALE))+$X+$((Y + 497 * SCALE))" +repage \
    -fill black +opaque "rgb(255,255,0)" -format "%@" info:)
  b=${b#*+}; echo "${b%%+*}"
}
paused_label_shown() {
  [ "$(convert "$WORK/$1.png" -crop "721x80+$((X + 64))+$((Y + 160))" +repage \
       -fill white +opaque black -negate -format "%[fx:maxima>0]" info:)" = 1 ]
}
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255 PLAY_GREEN=0,255,0

# Start and Enter; Tab, Tab and Up choose Slow, so that Yellow's walk is seen.
launch_game
[ "${WIDTH}x${HEIGHT}" = 849x588 ] || fail "window is ${WIDTH}x${HEIGHT}, not 849x588"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "Play is not drawn green"
key Tab; key Tab; key Up
key Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"
echo "start and Enter: ok"

# Escape held 3 s pauses once.
hold_for Escape 3
sleep 0.8; shot escape_held_1
sleep 1.0; shot escape_held_2
sleep 0.9; shot escape_held_3
await_release
sleep 0.3; shot escape_released
paused_label_shown escape_held_1 || fail "Escape held did not pause"
for s in escape_held_2 escape_held_3 escape_released; do
  [ "$(pixels_differing escape_held_1 $s)" -eq 0 ] || fail "the field changed while Escape was held ($s)"
done
key Escape
wait_until 5 moving resumed || fail "a second Escape did not resume"
echo "Escape held: ok"

# D held across a point: after the serve Yellow walks off its start place again.
hold_for d 30
deadline=$((SECONDS + 30)) before= served= walked=
while [ $SECONDS -lt $deadline ]; do
  game_running || fail "the game ended"
  now=$(yellow_x walk)
  [ -n "$now" ] || continue
  if [ -n "$before" ] && [ "$now" -lt $((before - 20)) ]; then served=$now
  elif [ -n "$served" ] && [ "$now" -gt $((served + 20)) ]; then walked=1; break
  fi
  before=$now
done
stop "$HOLD_PID"; HOLD_PID=
[ -n "$walked" ] || fail "with D held Yellow did not walk again after a serve"
echo "D held: ok"

# Another program takes the focus: the match pauses and stays paused.
if command -v foot >/dev/null; then
  on_sway foot -T other sleep 60 >/dev/null 2>&1 &
  OTHER_PID=$!
  wait_until 10 has_window other || fail "the other window did not open"
  sleep 0.5
  wait_until 5 still away || fail "the match went on while another program had the focus"
  paused_label_shown away_b || fail "focus lost without \"Game Paused\""
  stop "$OTHER_PID"
  OTHER_PID=
  deadline=$((SECONDS + 10))
  while has_window other; do
    [ $SECONDS -lt $deadline ] || fail "the other window did not close"
    sleep 0.1
  done
  on_sway swaymsg '[title="^ Quondra$"] focus' >/dev/null
  sleep 1
  still back || fail "the match resumed by itself when the focus came back"
  key Escape
  echo "focus lost: ok"
else
  echo "focus lost: not checked, foot is not installed"
fi

# The close control with "Exit Program" open.
sleep 0.5
key q
wait_until 5 has_window "Exit Program" || fail "Q did not ask"
on_sway swaymsg '[title="^ Quondra$"] kill' >/dev/null
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after the close control with the question open"
echo "close control with the question open: ok"

# Q and Yes.
launch_game
key Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the second match"
key q
wait_until 5 has_window "Exit Program" || fail "Q did not ask"
key Return
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
echo "quit: ok"

# A scale factor of 2 doubles the window; X on the settings ends at once.
SCALE=2
launch_game
[ "${WIDTH}x${HEIGHT}" = 1698x1176 ] || fail "window is ${WIDTH}x${HEIGHT} at scale 2, not 1698x1176"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "Play is not drawn green at scale 2"
key x
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after X"
echo "wayland: ok"
