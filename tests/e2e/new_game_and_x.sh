#!/usr/bin/env bash
# N brings the settings back; X on the settings screen ends the program at once.
source "$(dirname "$0")/lib.sh"
start_game
readonly PLAY_X=5400 PLAY_Y=4990
press Return
wait_until 5 in_match || fail "Enter did not start the match"
# N counts only while a rally is in play; between rallies a player presses again.
press_until n on_settings || fail "N did not bring the settings back"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "Play is not drawn on the settings screen"
press x
await_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after X"
has_window 'Exit Program' && fail "X on the settings asked a question"
replay_sessions
echo "new game and X: ok"
