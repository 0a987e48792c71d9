#!/usr/bin/env bash
# A pad in the real window: south starts the match, the D-pad held walks
# Yellow right and its release stops it, the stick walks Yellow back left.
# The pad is SDL's virtual one, worked through the game's standard input.
source "$(dirname "$0")/lib.sh"
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255 YELLOW=255,255,0
# The rows just above the ground strip, where Yellow's dome is widest.
readonly DOMES=849x14+0+497

# The left edge (px) of Yellow's dome in a fresh screenshot.
yellow_x() {
  shot "$1"
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  local c
  IFS='x+' read -r -a c <<< "$DOMES"
  convert "$WORK/$1.png" -crop "${c[0]}x${c[1]}+$((X + c[2]))+$((Y + c[3]))" +repage \
    -fill black +opaque "rgb($YELLOW)" -format "%@" info: | sed 's/.*+\([0-9]*\)+[0-9]*$/\1/'
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

pad down south; pad up south
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "south did not start the match"

start=$(yellow_x start)
pad down right; sleep 0.5
walked=$(yellow_x walking)
pad up right; sleep 0.2
stopped=$(yellow_x stopped)
sleep 0.3
[ "$walked" -gt $((start + 10)) ] || fail "the D-pad did not walk Yellow right ($start -> $walked px)"
[ "$(yellow_x stood)" -eq "$stopped" ] || fail "Yellow walked on after the D-pad was released"

pad stick -30000; sleep 0.3
pad stick 0; sleep 0.2
back=$(yellow_x back)
[ "$back" -lt $((stopped - 10)) ] || fail "the stick did not walk Yellow left ($stopped -> $back px)"
[ -n "${PAD_SHOTS:-}" ] && cp "$WORK/walking.png" "$WORK/back.png" "$PAD_SHOTS/"
echo "pad walking: ok ($start -> $walked -> $back px)"
