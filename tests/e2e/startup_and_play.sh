#!/usr/bin/env bash
# The window opens on the settings screen with Play focused; Enter starts a match.
source "$(dirname "$0")/lib.sh"
start_game
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "${WIDTH}x${HEIGHT}" = "849x588" ] || fail "window is ${WIDTH}x${HEIGHT}, not 849x588"

readonly PLAY_X=5400 PLAY_Y=4990       # inside the Play button, left of its caption
readonly BACKGROUND=128,255,255
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "Play is not drawn green: $(colour_at now $PLAY_X $PLAY_Y)"
[ "$(colour_at now 6300 7000)" = 255,255,255 ] || fail "the net is not white"
[ "$(colour_at now 100 8000)" = 0,0,0 ] || fail "the ground is not black"

press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"
# The ball falls onto Yellow: two screenshots apart differ.
wait_until 5 moving play || fail "nothing moves after the match started"
echo "startup and play: ok"
