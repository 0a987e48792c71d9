#!/usr/bin/env bash
# The window opens on the settings screen with Play focused; Enter starts a match.
# Without the faces it asks for it says so, and plays on.
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
