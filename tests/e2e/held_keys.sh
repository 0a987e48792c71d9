#!/usr/bin/env bash
# Keys held for seconds on a desktop with a window manager, as a player holds
# them: Escape held pauses once; D held walks Yellow again after every serve,
# with the keyboard's auto-repeat on and off, and after the No of the quit
# question with auto-repeat off; another window taking the focus
# pauses the rally and nothing resumes by itself.
source "$(dirname "$0")/lib.sh"
X11_CONTROL=${2:?usage: held_keys.sh PATH-TO-QUONDRA PATH-TO-X11-CONTROL}
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255
# Slow walking keeps Yellow on its way to the net long enough to be seen.
readonly OPT_SLOW_X=9862 OPT_SLOW_Y=3067

question_open() { has_window 'Exit Program'; }
question_gone() { ! has_window 'Exit Program'; }

# Q with D held asks the quit question; Escape answers No; Yellow, standing
# while the question was open, walks on with D still down: 20 pixels past
# the leftmost place it took after the answer (a point scored just after it
# serves again and puts Yellow back at its start place, from where D held
# must walk it off again).
walks_on_after_no() {
  local ran mark
  ask_quit question_open || fail "Q did not open 'Exit Program'"
  ran=$(periods)
  still no_asked || fail "the field moved with the question open"
  [ "$(periods)" -eq "$ran" ] || fail "the game's clock ran with the question open"
  mark=$(record_mark)
  press Escape
  wait_until 5 question_gone || fail "Escape did not answer the question"
  wait_until 5 walked_right "$mark"
}

start_display
start_window_manager
launch_game
xdotool windowactivate --sync "$WID" 2>/dev/null || true
click_at $OPT_SLOW_X $OPT_SLOW_Y
press Return
wait_until 5 in_match || fail "Enter did not start the match"

escape_held_pauses_once

# D held across points, with the keyboard's auto-repeat on, then off.
hold d
walks_after_a_serve repeat_on || fail "with D held Yellow did not walk again after a serve (repeat on)"
release d
"$X11_CONTROL" repeat off || fail "auto-repeat could not be switched off"
hold d
walks_after_a_serve repeat_off || fail "with D held Yellow did not walk again after a serve (repeat off)"
# Still held, and silent, through the quit question: after its No Yellow walks on.
walks_on_after_no || fail "with D held through the quit question Yellow did not walk on after No (repeat off)"
release d
"$X11_CONTROL" repeat on

# Another window takes the focus: the rally pauses, right after the serve
# if it comes between rallies, and stays paused when the focus comes back.
xmessage -geometry +0+0 "another program" &
OTHER_PID=$!
trap 'kill $OTHER_PID 2>/dev/null || true; cleanup' EXIT
wait_until 10 has_window '^xmessage$' || fail "the other window did not open"
xdotool windowactivate --sync "$(window_named '^xmessage$')" 2>/dev/null || true
wait_until 5 paused || fail "the match went on while another window had the focus"
shot away
paused_label_shown away || fail "\"Game Paused\" is not shown while another window has the focus"
kill $OTHER_PID 2>/dev/null || true
xdotool windowactivate --sync "$WID" 2>/dev/null || true
ran=$(periods)
sleep 1
paused && [ "$(periods)" -eq "$ran" ] || fail "the match resumed by itself when the focus came back"
press Escape
wait_until 5 resumed_since "$ran" || fail "Escape did not resume after the focus came back"

# Minimised, the same.
wait_until 10 in_rally || fail "no rally to leave"
xdotool windowminimize --sync "$WID" 2>/dev/null || fail "the window could not be minimised"
wait_until 5 paused || fail "the match went on while the window was minimised"
xdotool windowactivate --sync "$WID" 2>/dev/null || true
wait_until 5 paused_still restored || fail "the match is not shown paused after the window came back"
ran=$(periods)
press_until q question_open || fail "Q did not ask"
press Return
await_exit 5
replay_sessions
echo "held keys: ok"
