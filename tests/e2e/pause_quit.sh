#!/usr/bin/env bash
# Escape pauses and nothing moves; Q asks "Exit Program"; No goes on; Q then Enter ends with 0.
source "$(dirname "$0")/lib.sh"
start_game
press Return
wait_until 5 in_match || fail "Enter did not start the match"
press_until Escape paused || fail "Escape did not pause"
shot paused1
paused_label_shown paused1 || fail "\"Game Paused\" is not shown"
ran=$(periods)
press Escape
wait_until 5 resumed_since "$ran" || fail "Escape did not resume"
wait_until 5 moving resumed || fail "nothing moves on the screen after the resume"

ask_quit has_window 'Exit Program' || fail "Q did not open 'Exit Program'"
ran=$(periods)
press Escape
wait_until 5 bash -c "! xdotool search --name 'Exit Program' >/dev/null 2>&1" || fail "Escape did not close the question"
wait_until 5 resumed_since "$ran" || fail "the match did not go on after No"
xdotool windowfocus --sync "$WID" 2>/dev/null || true
ask_quit has_window 'Exit Program' || fail "the second Q did not ask"
press Return
await_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
replay_sessions
echo "pause and quit: ok"
