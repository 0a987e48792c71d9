#!/usr/bin/env bash
# The desktop's close control ends the program, on the settings screen and
# in play. While the quit question is open the window is blocked: closing the
# question answers No, and play goes on.
source "$(dirname "$0")/lib.sh"
[ -x "$WM_DELETE" ] || fail "usage: close_control.sh QUONDRA WM-DELETE"

close_and_expect_end() {
  "$WM_DELETE" "$WID"
  wait_for_exit 3
  [ "$STATUS" -eq 0 ] || fail "$1: exit status $STATUS after the close control"
}

start_game
close_and_expect_end "settings screen"
kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null || true

start_game
press Return
wait_until 5 colour_now_is 5400 4990 128,255,255 || fail "Enter did not start the match"
close_and_expect_end "in play"
kill "$XVFB_PID"; wait "$XVFB_PID" 2>/dev/null || true

start_game
press Return
sleep 0.3
press q
wait_until 5 has_window 'Exit Program' || fail "Q did not ask"
"$WM_DELETE" "$(window_named 'Exit Program')"
wait_until 5 bash -c "! xdotool search --name 'Exit Program' >/dev/null 2>&1" || fail "the question did not close"
game_running || fail "closing the question ended the game"
close_and_expect_end "after the question"
echo "close control: ok"
