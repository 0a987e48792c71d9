#!/usr/bin/env bash
# A whole match against the computer: Yellow keeps walking away from the
# serve, Red wins 10-0, the "MATCH" box appears, and Enter brings back the
# settings screen.
source "$(dirname "$0")/lib.sh"
start_game
readonly PLAY_X=5400 PLAY_Y=4990
readonly RED_SCORE="11640 180 975 855" YELLOW_SCORE="120 180 975 855"
shot start
# shellcheck disable=SC2086
red_start=$(dark_pixels_in start $RED_SCORE)
# shellcheck disable=SC2086
yellow_start=$(dark_pixels_in start $YELLOW_SCORE)

press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 128,255,255 || fail "Enter did not start the match"
# Each serve drops where Yellow starts; a fresh D press after every serve
# walks Yellow out from under it, so every ball lands in Yellow's half.
deadline=$((SECONDS + 70))
until has_window '^MATCH$'; do
  [ $SECONDS -lt $deadline ] || fail "no MATCH box within 70 s"
  game_running || fail "the game ended during the match"
  hold d; sleep 0.25; release d; sleep 0.25
done
shot match
# shellcheck disable=SC2086
red_end=$(dark_pixels_in match $RED_SCORE)
# shellcheck disable=SC2086
yellow_end=$(dark_pixels_in match $YELLOW_SCORE)
# Red's score has two digits now; Yellow's still reads 0.
[ "$red_end" -gt $((red_start * 3 / 2)) ] || fail "Red's score did not grow to 10 ($red_start -> $red_end dark pixels)"
[ "$yellow_end" -eq "$yellow_start" ] || fail "Yellow's score changed ($yellow_start -> $yellow_end dark pixels)"
[ "$(xdotool search --name '^MATCH$' | wc -l)" -eq 1 ] || fail "more than one MATCH box"

press Return
wait_until 5 bash -c "! xdotool search --name '^MATCH\$' >/dev/null 2>&1" || fail "Enter did not close the MATCH box"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "the settings screen did not come back"
game_running || fail "the game ended after the match"
echo "whole match: ok"
