#!/usr/bin/env bash
# The window opens on the settings screen with Play focused; the keyboard
# moves between and within the option groups; Enter starts a match. Without
# the faces it asks for, the game says so and plays on.
source "$(dirname "$0")/lib.sh"
start_game
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "${WIDTH}x${HEIGHT}" = "849x588" ] || fail "window is ${WIDTH}x${HEIGHT}, not 849x588"

readonly PLAY_X=5400 PLAY_Y=4990       # inside the Play button, left of its caption
readonly BACKGROUND=128,255,255
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "Play is not drawn green: $(colour_at now $PLAY_X $PLAY_Y)"
[ "$(colour_at now 6300 7000)" = 255,255,255 ] || fail "the net is not white"
[ "$(colour_at now 100 8000)" = 0,0,0 ] || fail "the ground is not black"

# The keyboard on the settings screen: a black dotted mark shows the focused
# control. Left of each group's circles nothing else is black, so the top of
# the black there says which option's line holds the mark; the lines are 32
# pixels apart.
readonly GRAVITY_EDGE=10x120+68+168 SPEED_EDGE=10x120+639+176 PLAYERS_EDGE=10x80+289+168
readonly LINE_PX=32
mark_top() { shot mark; box_y "$(colour_box mark "$1" 0,0,0)"; }
mark_on() { [ "$(mark_top "$1")" = "$2" ]; }
marked() { [ -n "$(mark_top "$1")" ]; }
# Play's mark runs inside its border, above its caption.
play_marked() { shot play; [ -n "$(colour_box play 143x5+353+303 0,0,0)" ]; }
wait_until 5 play_marked || fail "Play, focused at start, shows no mark"
press Tab
wait_until 5 marked $GRAVITY_EDGE || fail "Tab shows no mark on the gravity group"
[ -z "$(colour_box mark 143x5+353+303 0,0,0)" ] || fail "Play kept its mark after Tab"
medium=$(mark_top $GRAVITY_EDGE)
# Down past the last option stays on High (no wrapping, and never another group).
press Down Down Down
wait_until 5 mark_on $GRAVITY_EDGE $((medium + LINE_PX)) || fail "Down did not end on High: mark at $(mark_top $GRAVITY_EDGE)"
press Left
wait_until 5 mark_on $GRAVITY_EDGE "$medium" || fail "Left did not go back to Medium"
# Tab lands on each group's selected option: Average and Computer untouched.
press Tab
wait_until 5 mark_on $SPEED_EDGE "$medium" || fail "Tab did not land on Average: mark at $(mark_top $SPEED_EDGE)"
[ -z "$(mark_top $GRAVITY_EDGE)" ] || fail "the gravity group kept its mark after Tab"
press Tab
wait_until 5 marked $PLAYERS_EDGE || fail "Tab did not reach the players group"
[ "$(mark_top $PLAYERS_EDGE)" = "$((medium - LINE_PX))" ] || fail "Tab did not land on Human vs. Computer"
# Up on the first option does nothing, so Down then goes to the second.
press Up Down
wait_until 5 mark_on $PLAYERS_EDGE "$medium" || fail "Up and Down did not end on Human vs. Human"

press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"
# The ball falls onto Yellow: two screenshots apart differ.
wait_until 5 moving play || fail "nothing moves after the match started"

# Without the faces it asks for, the game says once on standard error which
# face stands in for each, and plays on. First with no fonts at all...
kill "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true; GAME_PID=
fonts_config() {
  mkdir -p "$WORK/$1"
  printf '<?xml version="1.0"?>\n<fontconfig>%s<cachedir>%s</cachedir></fontconfig>\n' "$2" "$WORK/$1" \
    >"$WORK/$1/fonts.conf"
}
fonts_config no_fonts ""
FONTCONFIG_FILE="$WORK/no_fonts/fonts.conf" launch_game 2>"$WORK/no_fonts.err"
said() { grep -c "^quondra: the font \"$2\" is not installed; its captions are drawn $3" "$WORK/$1.err" || true; }
said_both() { [ "$(said no_fonts "Liberation Sans" "in no font")" -ge 1 ] && [ "$(said no_fonts "Comic Neue" "in no font")" -ge 1 ]; }
wait_until 10 said_both || fail "without fonts the game did not name both faces: $(cat "$WORK/no_fonts.err")"
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "without fonts Play is not drawn"
press Return
wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "without fonts Enter did not start the match"
wait_until 5 moving no_fonts_play || fail "without fonts nothing moves after the match started"
# The match's frames said nothing more.
for face in "Liberation Sans" "Comic Neue"; do
  [ "$(said no_fonts "$face" "")" = 1 ] || fail "$face named $(said no_fonts "$face" "") times: $(cat "$WORK/no_fonts.err")"
done

# ... then with Liberation Sans alone: Comic Neue is named with the face
# drawn in its place, Liberation Sans (said in the same breath) is not.
kill "$GAME_PID"; wait "$GAME_PID" 2>/dev/null || true; GAME_PID=
fonts_config liberation "<dir>$(fc-list -f '%{file}\n' 'Liberation Sans' | head -n 1 | xargs dirname)</dir>"
FONTCONFIG_FILE="$WORK/liberation/fonts.conf" launch_game 2>"$WORK/liberation.err"
wait_until 10 grep -q 'Comic Neue' "$WORK/liberation.err" || fail "the missing Comic Neue was not named"
[ "$(said liberation "Comic Neue" 'in "Liberation [A-Za-z ]*" and may be clipped$')" = 1 ] ||
  fail "Comic Neue not named once with its stand-in: $(cat "$WORK/liberation.err")"
[ "$(said liberation "Liberation Sans" "")" = 0 ] || fail "Liberation Sans is there, yet named"
game_running || fail "the game ended"
echo "startup and play: ok"
