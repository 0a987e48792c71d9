#!/usr/bin/env bash
# Keys held for seconds on a desktop with a window manager, as a player holds
# them: Escape held pauses once; D held walks Yellow again after every serve,
# with the keyboard's auto-repeat on and off; another window taking the focus
# pauses the rally and nothing resumes by itself.
source "$(dirname "$0")/lib.sh"
X11_CONTROL=${2:?usage: held_keys.sh PATH-TO-QUONDRA PATH-TO-X11-CONTROL}
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255
# Slow walking keeps Yellow on its way to the net long enough to be seen.
readonly OPT_SLOW_X=9862 OPT_SLOW_Y=3067
# Where "Game Paused" is written (pixels of the window).
readonly PAUSED_LABEL=721x80+64+160

start_display
start_window_manager
launch_game
xdotool windowactivate --sync "$WID" 2>/dev/null || true
click_at $OPT_SLOW_X $OPT_SLOW_Y
press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"

# Black text where "Game Paused" is written.
paused_label_shown() {
  local c
  window_geometry
  IFS='x+' read -r -a c <<< "$PAUSED_LABEL"
  [ "$(convert "$WORK/$1.png" -crop "${c[0]}x${c[1]}+$((X + c[2]))+$((Y + c[3]))" +repage \
       -fill white +opaque black -negate -format "%[fx:maxima>0]" info:)" = 1 ]
}
# Two screenshots half a second apart are the same: nothing moves.
still() { shot "$1_a"; sleep 0.5; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -eq 0 ]; }
moving() { shot "$1_a"; sleep 0.3; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -gt 0 ]; }

# Escape held for 3 s: paused from the first second to the release, once.
hold Escape
sleep 0.8; shot escape_held_1
sleep 1.1; shot escape_held_2
sleep 1.1; shot escape_held_3
release Escape
sleep 0.3; shot escape_released
paused_label_shown escape_held_1 || fail "Escape held did not pause"
for s in escape_held_2 escape_held_3 escape_released; do
  [ "$(pixels_differing escape_held_1 $s)" -eq 0 ] || fail "the field changed while Escape was held ($s)"
done
press Escape
wait_until 5 moving resumed || fail "a second Escape did not resume"

# D held: Yellow stands at the net until a point is over; the serve puts it
# back at its start place, and it must walk off again while D stays down.
# A serve is seen as Yellow's dome moving left, which D alone never does.
walks_after_a_serve() {
  local deadline=$((SECONDS + 30)) before= now served=
  while [ $SECONDS -lt $deadline ]; do
    game_running || fail "the game ended"
    now=$(dome_x "walk_$1" $YELLOW)
    [ -n "$now" ] || continue
    if [ -n "$before" ] && [ "$now" -lt $((before - 20)) ]; then served=$now
    elif [ -n "$served" ] && [ "$now" -gt $((served + 20)) ]; then return 0
    fi
    before=$now
  done
  return 1
}
hold d
walks_after_a_serve repeat_on || fail "with D held Yellow did not walk again after a serve (repeat on)"
release d
"$X11_CONTROL" repeat off || fail "auto-repeat could not be switched off"
hold d
walks_after_a_serve repeat_off || fail "with D held Yellow did not walk again after a serve (repeat off)"
release d
"$X11_CONTROL" repeat on

# Another window takes the focus: the rally pauses, right after the serve
# if it comes between rallies, and stays paused when the focus comes back.
xmessage -geometry +0+0 "another program" &
OTHER_PID=$!
trap 'kill $OTHER_PID 2>/dev/null || true; cleanup' EXIT
wait_until 10 has_window '^xmessage$' || fail "the other window did not open"
xdotool windowactivate --sync "$(window_named '^xmessage$')" 2>/dev/null || true
wait_until 5 still away || fail "the match went on while another window had the focus"
paused_label_shown away_b || fail "focus lost without \"Game Paused\""
kill $OTHER_PID 2>/dev/null || true
xdotool windowactivate --sync "$WID" 2>/dev/null || true
sleep 1
still back || fail "the match resumed by itself when the focus came back"
press Escape
wait_until 5 moving resumed_after_focus || fail "Escape did not resume after the focus came back"
echo "held keys: ok"
