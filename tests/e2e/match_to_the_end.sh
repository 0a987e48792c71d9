#!/usr/bin/env bash
# A whole match against the computer: Yellow, with D held throughout, walks
# away from every serve, so each ball comes down on Yellow's side and Red
# scores, ten times. The "MATCH" box then names Red, and Enter held to close
# it brings back the settings screen with the final score, not a new match.
source "$(dirname "$0")/lib.sh"
start_display
# The window manager draws the box's title bar, where "MATCH" must show.
start_window_manager
launch_game
xdotool windowactivate --sync "$WID" 2>/dev/null || true
readonly PLAY_X=5400 PLAY_Y=4990
readonly OPT_HIGH_X=1297 OPT_HIGH_Y=3907 OPT_FAST_X=9862 OPT_FAST_Y=4027
readonly BACKGROUND=128,255,255 PLAY_GREEN=0,255,0
# High gravity and Fast speed keep each rally short.
click_at $OPT_HIGH_X $OPT_HIGH_Y
click_at $OPT_FAST_X $OPT_FAST_Y
press Return
wait_until 5 in_match || fail "Enter on an option did not start the match"

match_box_open() { has_window '^MATCH$'; }
hold d
wait_until 60 match_box_open || fail "no MATCH box within 60 s (Red $(state lblRed.Caption), Yellow $(state lblYellow.Caption))"
release d

box=$(window_named '^MATCH$')
window_geometry "$box"
bx=$X by=$Y bw=$WIDTH bh=$HEIGHT
# The box with the title bar above it, read once it is drawn.
readonly TITLE_BAR=24
box_text() {
  shot match_box
  convert "$WORK/match_box.png" -crop "${bw}x$((bh + TITLE_BAR))+${bx}+$((by - TITLE_BAR))" +repage \
    -colorspace Gray -resize 300% "$WORK/box_big.png"
  text=$(tesseract "$WORK/box_big.png" - 2>/dev/null | tr -s ' \n' ' ')
  case "$text" in *"Red Wins!"*) ;; *) return 1 ;; esac
}
wait_until 10 box_text || fail "the MATCH box reads '$text', not 'Red Wins!'"
case "$text" in
  *MATCH*) ;;
  *) fail "the title \"MATCH\" does not show on the box ($bw px wide): '$text'" ;;
esac
# "Red Wins!" is centred in the box: its dark pixels in the upper half of
# the box lie as far from the left edge as from the right.
trim=$(convert "$WORK/match_box.png" -crop "${bw}x$((bh / 2))+${bx}+${by}" +repage \
  -colorspace Gray -threshold 50% -negate -format "%@" info:)
IFS='x+' read -r tw _ tx _ <<< "$trim"
off_centre=$(( (tx + tw / 2) - bw / 2 ))
[ "${off_centre#-}" -le 3 ] || fail "\"Red Wins!\" is $off_centre px off the box's centre ($trim in $bw px)"

xdotool windowfocus --sync "$box" 2>/dev/null || true
# Held for 3 s: its repeats must not press Play, which has the focus then.
hold Return
wait_until 5 bash -c "! xdotool search --name '^MATCH$' >/dev/null 2>&1" || fail "Enter did not close the MATCH box"
wait_until 5 on_settings || fail "the settings screen did not come back"
sleep 3
release Return
xdotool windowfocus --sync "$WID" 2>/dev/null || true
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $PLAY_GREEN || fail "Play is not drawn on the settings screen: $(colour_at now $PLAY_X $PLAY_Y)"
on_settings || fail "Enter held after the MATCH box started a new match"
[ "$(inputs 'click cmdPlay')" -eq 0 ] && [ "$(inputs 'key down 13')" -eq 1 ] ||
  fail "the game was given Enter again or a click on Play after the MATCH box"
# Red's score still reads 10, and is drawn: its two digits are black at the top right.
state_is lblRed.Caption '"10"' || fail "Red's score reads $(state lblRed.Caption) after the match"
[ "$(colour_at now 12300 500)" = 0,0,0 ] || [ "$(colour_at now 12000 500)" = 0,0,0 ] ||
  fail "the final score is not shown beside the settings screen"
game_running || fail "the game ended after the match"
press x
await_exit 3
replay_sessions
echo "match to the end: ok"
