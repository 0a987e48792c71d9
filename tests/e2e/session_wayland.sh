#!/usr/bin/env bash
# A recorded session under a Wayland compositor, played again by the console,
# and the core cases there with Qt's own Wayland platform:
# start, Enter, D held walks Yellow again after a serve, Escape held 3 s
# pauses once, another program taking the focus pauses the rally, the close
# control with "Exit Program" open ends with 0, Q and Yes end with 0, and a
# scale factor of 2 doubles the window. Headless sway, wtype for keys, grim
# for screenshots; sway refuses root, so as root both run as "nobody".
source "$(dirname "$0")/lib.sh"
for tool in sway swaymsg wtype grim jq convert compare; do
  command -v $tool >/dev/null || skip "$tool is not installed"
done
[ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so ] ||
  ls /usr/lib/*/qt6/plugins/platforms/libqwayland-*.so >/dev/null 2>&1 || skip "Qt's Wayland platform is not installed"

as_unprivileged
[ "$(id -u)" -eq 0 ] && chown nobody "$WORK"
chmod 700 "$WORK"
SWAY_PID= KEYBOARD_PID= OTHER_PID=
# Each of these is runuser's process when run as root: its child goes too.
stop() { [ -n "$1" ] || return 0; pkill -P "$1" 2>/dev/null || true; kill "$1" 2>/dev/null || true; }
cleanup() {
  for p in $HOLD_PID $OTHER_PID $GAME_PID $KEYBOARD_PID $SWAY_PID; do stop "$p"; done
  rm -rf "$WORK"
}
trap cleanup EXIT
trap 'exit 1' TERM INT

# Everything on the compositor runs with the same user and runtime directory.
ENV=(env -i PATH=/usr/bin:/bin HOME="$WORK" XDG_RUNTIME_DIR="$WORK" WAYLAND_DISPLAY=wayland-1)
on_sway() { "${AS[@]}" "${ENV[@]}" SWAYSOCK="$(ls "$WORK"/sway-ipc.*.sock)" "$@"; }

# A headless output, no borders to measure around, and new windows focused.
# Sway tiles a window that can be resized; floated, the game opens at its own size.
printf 'output HEADLESS-1 resolution 2048x1536\ndefault_floating_border none\nfor_window [title="^ Quondra$"] floating enable\n' > "$WORK/config"
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
geometry_of() {
  tree | jq -r --arg n "$1" '.. | objects | select(.name? == $n and .pid? != null) |
    "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"' | head -n 1
}
SCALE=1
launch_game() {
  next_record
  [ "$(id -u)" -eq 0 ] && chown nobody "$RECORD"
  on_sway QT_QPA_PLATFORM=wayland QT_SCALE_FACTOR=$SCALE "$GAME" "$RECORD" >"$WORK/game.log" 2>&1 &
  GAME_PID=$!
  wait_until 15 has_window " Quondra" || fail "no window titled ' Quondra'"
  window_geometry
}
window_geometry() { read -r X Y WIDTH HEIGHT <<< "$(geometry_of " Quondra")"; }
press() { on_sway wtype -k "$1"; }
# One keyboard holds the key throughout: a keyboard that goes lets its keys go.
hold_key_for() { on_sway wtype -P "$1" -s $(($2 * 1000)) -p "$1" & HOLD_PID=$!; }
shot() {
  on_sway grim "$WORK/$1.png"
  if [ -n "${SHOTS_DIR:-}" ]; then cp "$WORK/$1.png" "$SHOTS_DIR/wayland_$1.png"; fi
}
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255 PLAY_GREEN=0,255,0

# Start and Enter; Tab, Tab and Up choose Slow, so that Yellow's walk is seen.
launch_game
[ "${WIDTH}x${HEIGHT}" = 849x588 ] || fail "window is ${WIDTH}x${HEIGHT}, not 849x588"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "Play is not drawn green"
press Tab; press Tab; press Up
wait_until 5 grep -qx 'click optSlow' "$RECORD" || fail "Tab, Tab and Up did not choose Slow"
press Return
wait_until 5 in_match || fail "Enter did not start the match"
echo "start and Enter: ok"

escape_held_pauses_once
echo "Escape held: ok"

# D held across a point: after the serve Yellow walks off its start place again.
hold_key_for d 30
walks_after_a_serve held || fail "with D held Yellow did not walk again after a serve"
stop "$HOLD_PID"; HOLD_PID=
echo "D held: ok"

# Another program takes the focus: the match pauses and stays paused.
if command -v foot >/dev/null; then
  on_sway foot -T other sleep 60 >/dev/null 2>&1 &
  OTHER_PID=$!
  wait_until 10 has_window other || fail "the other window did not open"
  sleep 0.5
  wait_until 5 paused || fail "the match went on while another program had the focus"
  stop "$OTHER_PID"
  OTHER_PID=
  deadline=$((SECONDS + 10))
  while has_window other; do
    [ $SECONDS -lt $deadline ] || fail "the other window did not close"
    sleep 0.1
  done
  on_sway swaymsg '[title="^ Quondra$"] focus' >/dev/null
  ran=$(periods)
  sleep 1
  paused && [ "$(periods)" -eq "$ran" ] || fail "the match resumed by itself when the focus came back"
  press Escape
  wait_until 5 resumed_since "$ran" || fail "Escape did not resume after the focus came back"
  echo "focus lost: ok"
else
  echo "focus lost: not checked, foot is not installed"
fi

# The close control with "Exit Program" open.
ask_quit has_window "Exit Program" || fail "Q did not ask"
on_sway swaymsg '[title="^ Quondra$"] kill' >/dev/null
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after the close control with the question open"
echo "close control with the question open: ok"

# Q and Yes.
launch_game
press Return
wait_until 5 in_match || fail "Enter did not start the second match"
ask_quit has_window "Exit Program" || fail "Q did not ask"
press Return
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
echo "quit: ok"

# A scale factor of 2 doubles the window; X on the settings ends at once.
SCALE=2
launch_game
[ "${WIDTH}x${HEIGHT}" = 1698x1176 ] || fail "window is ${WIDTH}x${HEIGHT} at scale 2, not 1698x1176"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "Play is not drawn green at scale 2"
press x
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after X"
replay_sessions
echo "session wayland: ok"
