#!/usr/bin/env bash
# A whole match against the computer: Yellow steps away from every serve, so
# each ball comes down on Yellow's side and Red scores, ten times. The "MATCH"
# box then names Red, and closing it brings back the settings screen.
source "$(dirname "$0")/lib.sh"
start_game
readonly PLAY_X=5400 PLAY_Y=4990
readonly OPT_HIGH_X=1297 OPT_HIGH_Y=3907 OPT_FAST_X=9862 OPT_FAST_Y=4027
readonly BACKGROUND=128,255,255 PLAY_GREEN=0,255,0
# High gravity and Fast speed keep each rally short.
click_at $OPT_HIGH_X $OPT_HIGH_Y
click_at $OPT_FAST_X $OPT_FAST_Y
press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter on an option did not start the match"

# D is pressed anew every 0.2 s: a serve stops Yellow's walk until its next
# key-down, and the ball needs about 0.6 s to come down to Yellow's height.
match_box_open() { has_window '^MATCH$'; }
deadline=$((SECONDS + 60))
until match_box_open; do
  [ $SECONDS -lt $deadline ] || fail "no MATCH box within 60 s"
  game_running || fail "the game ended during the match"
  hold d; sleep 0.2; release d
done
release d

box=$(window_named '^MATCH$')
import -window "$box" "$WORK/box.png"
text=$(convert "$WORK/box.png" -colorspace Gray -resize 300% "$WORK/box_big.png" && tesseract "$WORK/box_big.png" - 2>/dev/null | tr -s ' \n' ' ')
case "$text" in
  *"Red Wins!"*) ;;
  *) fail "the MATCH box reads '$text', not 'Red Wins!'" ;;
esac

xdotool windowfocus --sync "$box" 2>/dev/null || true
press Return
wait_until 5 bash -c "! xdotool search --name '^MATCH$' >/dev/null 2>&1" || fail "Enter did not close the MATCH box"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "the settings screen did not come back: $(colour_at now $PLAY_X $PLAY_Y)"
game_running || fail "the game ended after the match"
echo "match to the end: ok"
