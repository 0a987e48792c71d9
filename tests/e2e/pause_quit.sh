#!/usr/bin/env bash
# Escape pauses and nothing moves; Q asks "Exit Program"; No goes on; Q then Enter ends with 0.
source "$(dirname "$0")/lib.sh"
start_game
press Return
sleep 0.3
press Escape
sleep 0.2
shot paused1; sleep 0.4; shot paused2
[ "$(pixels_differing paused1 paused2)" -eq 0 ] || fail "the field moves while paused"
press Escape
sleep 0.3
shot resumed
[ "$(pixels_differing paused2 resumed)" -gt 0 ] || fail "Escape did not resume"

press q
wait_until 5 has_window 'Exit Program' || fail "Q did not open 'Exit Program'"
press Escape
wait_until 5 bash -c "! xdotool search --name 'Exit Program' >/dev/null 2>&1" || fail "Escape did not close the question"
game_running || fail "the game ended on No"
sleep 0.3
xdotool windowfocus --sync "$WID" 2>/dev/null || true
press q
wait_until 5 has_window 'Exit Program' || fail "the second Q did not ask"
press Return
await_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
echo "pause and quit: ok"
