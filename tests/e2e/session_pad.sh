#!/usr/bin/env bash
# A pad in the real window: south starts the match, the D-pad held walks
# Yellow right and its release stops it, the stick walks Yellow back left.
# The pad is SDL's virtual one, worked through the game's standard input.
source "$(dirname "$0")/lib.sh"
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255
readonly OPT_LOW_X=1260 OPT_LOW_Y=2940   # the Low gravity option button
# The column above Yellow's start place that a served ball falls down.
readonly BALL_COLUMN=40x497+120+0 BALL=0,255,0
# More than a rebounding ball rises between two screenshots (px).
readonly SERVE_JUMP=250

# Waits for the ball above Yellow's start place to fly up again after it met Yellow.
ball_rebounds() {
  local lowest=-1 y deadline=$((SECONDS + 6))
  while [ $SECONDS -lt $deadline ]; do
    shot ball
    y=$(box_y "$(colour_box ball $BALL_COLUMN $BALL)")
    [ -n "$y" ] || continue
    # A jump from the ground to the top is the next serve, not a rebound.
    if [ "$y" -gt "$lowest" ] || [ "$y" -lt $((lowest - SERVE_JUMP)) ]; then lowest=$y
    elif [ "$y" -lt $((lowest - 10)) ]; then return 0
    fi
  done
  return 1
}

pad() { echo "$*" >&4; sleep 0.05; }

start_display
mkfifo "$WORK/pad"
exec 4<>"$WORK/pad"
QT_QPA_PLATFORM=xcb "$GAME" <"$WORK/pad" 2>"$WORK/stderr" &
GAME_PID=$!
wait_until 15 has_window '^ Quondra$' || { cat "$WORK/stderr" >&2; fail "no window titled ' Quondra'"; }
WID=$(window_named '^ Quondra$')
xdotool windowfocus --sync "$WID" 2>/dev/null || true
sleep 0.2

# Low gravity: the ball stays up long enough for the walks between two of its falls.
click_at $OPT_LOW_X $OPT_LOW_Y
pad down south; pad up south
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "south did not start the match"

# Red's score, cut from a screenshot: a point in the middle of the walks puts
# the players back, and they are tried again after the serve.
red_score() {
  window_geometry
  convert "$WORK/$1.png" -crop 60x50+$((X + 780))+$((Y + 5)) +repage "$WORK/$1_score.png"
}
scored_between() { red_score "$1"; red_score "$2"; [ "$(pixels_differing "$1_score" "$2_score")" != 0 ]; }

# Each served ball falls onto Yellow standing still and flies straight up
# again; the walks fit before it comes down once more.
for attempt in 1 2 3; do
  ball_rebounds || fail "the served ball did not rebound off Yellow"
  start=$(box_x "$(colour_box ball $DOMES $YELLOW)")
  pad down right; sleep 0.3
  pad up right; sleep 0.1
  stopped=$(dome_x stopped $YELLOW)
  sleep 0.2
  stood=$(dome_x stood $YELLOW)
  pad stick -30000; sleep 0.2
  pad stick 0; sleep 0.1
  back=$(dome_x back $YELLOW)
  scored_between ball back || break
  [ $attempt -lt 3 ] || fail "a point fell in the middle of every walk"
done
[ "$stopped" -gt $((start + 10)) ] || fail "the D-pad did not walk Yellow right ($start -> $stopped px)"
[ "$stood" -eq "$stopped" ] || fail "Yellow walked on after the D-pad was released ($stopped -> $stood px)"
[ "$back" -lt $((stood - 10)) ] || fail "the stick did not walk Yellow left ($stood -> $back px)"
[ -n "${PAD_SHOTS:-}" ] && cp "$WORK/stopped.png" "$WORK/back.png" "$PAD_SHOTS/"
echo "pad walking: ok ($start -> $stopped -> $back px)"
