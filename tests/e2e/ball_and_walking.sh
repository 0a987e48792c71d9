#!/usr/bin/env bash
# In play: the first ball falls onto Yellow and rebounds; A held walks Yellow
# left and its release stops it; in Human vs. Human the arrows walk Red.
source "$(dirname "$0")/lib.sh"
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255
readonly OPT_HUMAN_X=4575 OPT_HUMAN_Y=3420   # the Human vs. Human option button
readonly BALL=0,255,0

# The column above Yellow's start place that the first ball falls down.
readonly BALL_COLUMN=40x497+120+0

start_game
press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"

# The ball's top edge goes down, then up again after it meets Yellow.
lowest=-1 rebounded=
deadline=$((SECONDS + 5))
while [ $SECONDS -lt $deadline ]; do
  shot ball
  box=$(colour_box ball $BALL_COLUMN $BALL)
  [ -n "$box" ] || fail "no ball above Yellow"
  y=$(box_y "$box")
  if [ "$y" -gt "$lowest" ]; then lowest=$y
  elif [ "$y" -lt $((lowest - 10)) ]; then rebounded=1; break
  fi
done
[ -n "$rebounded" ] || fail "the ball did not rebound off Yellow (lowest top at $lowest px)"

# Holds a key for a quarter of a second; the dome's left edge afterwards.
walk() { hold "$1"; sleep 0.25; release "$1"; sleep 0.1; dome_x "walk_$1" "$2"; }

yellow_before=$(dome_x before $YELLOW)
yellow_walked=$(walk a $YELLOW)
[ "$yellow_walked" -lt $((yellow_before - 10)) ] || fail "A did not walk Yellow left ($yellow_before -> $yellow_walked px)"
sleep 0.3
[ "$(dome_x stood $YELLOW)" -eq "$yellow_walked" ] || fail "Yellow walked on after A was released"

# Human vs. Human: the arrows are Red's.
# N counts only while a rally is in play; between rallies a player presses again.
new_game() { press n; sleep 0.1; colour_now_is $PLAY_X $PLAY_Y 0,255,0; }
wait_until 5 new_game || fail "N did not bring the settings back"
click_at $OPT_HUMAN_X $OPT_HUMAN_Y
press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the second match"
red_home=$(dome_x red_home $RED)
red_left=$(walk Left $RED)
[ "$red_left" -lt $((red_home - 10)) ] || fail "Left did not walk Red left ($red_home -> $red_left px)"
red_right=$(walk Right $RED)
[ "$red_right" -gt $((red_left + 10)) ] || fail "Right did not walk Red right ($red_left -> $red_right px)"
echo "ball and walking: ok"
