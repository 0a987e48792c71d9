#!/usr/bin/env bash
# A recorded session with a pad in the real window, played again by the
# console: south starts the match, the D-pad held walks Yellow right and its
# release stops it, the stick walks Yellow back left. The pad is SDL's
# virtual one, worked through the game's standard input.
source "$(dirname "$0")/lib.sh"
readonly OPT_LOW_X=1260 OPT_LOW_Y=2940   # the Low gravity option button

pad() { echo "$*" >&4; }

start_display
mkfifo "$WORK/pad"
exec 4<>"$WORK/pad"
next_record
QT_QPA_PLATFORM=xcb "$GAME" "$RECORD" <"$WORK/pad" 2>"$WORK/stderr" 4>&- &
GAME_PID=$!
wait_until 15 has_window '^ Quondra$' || { cat "$WORK/stderr" >&2; fail "no window titled ' Quondra'"; }
WID=$(window_named '^ Quondra$')
xdotool windowfocus --sync "$WID" 2>/dev/null || true

# Low gravity: the ball stays up longest, and fewer points cut the walks short.
click_at $OPT_LOW_X $OPT_LOW_Y
wait_until 5 grep -qx 'click optLow' "$RECORD" || fail "the click did not choose Low"
pad down south; pad up south
wait_until 5 in_match || fail "south did not start the match"

# Yellow's place moves 150 units (ten pixels) by OP from FROM.
moved() { state_cmp shpCir1.Left "$1" "$(awk -v f="$2" -v op="$1" 'BEGIN { print op == "<" ? f - 150 : f + 150 }')"; }
# After the last input LINE Yellow never goes further by OP than where it stood.
stood_after() {
  local line=$1 op=$2 stood further
  await_periods 5 16 || fail "the clock stopped after $line"
  stood=$(values_since "$line" shpCir1.Left | head -n 1)
  further=$(values_since "$line" shpCir1.Left | awk -v s="$stood" "\$1 + 0 $op s + 0" | head -n 1)
  [ -z "$further" ] || fail "Yellow went on from $stood to $further after '$line'"
}

wait_until 10 in_rally || fail "no rally to walk in"
start=$(state shpCir1.Left)
pad down right
wait_until 5 moved '>' "$start" || fail "the D-pad did not walk Yellow right (from $start)"
pad up right
wait_until 5 grep -qx 'key up 68' "$RECORD" || fail "the D-pad's release did not reach the game"
stood_after 'key up 68' '>'

stood=$(state shpCir1.Left)
pad stick -30000
wait_until 5 moved '<' "$stood" || fail "the stick did not walk Yellow left (from $stood)"
pad stick 0
wait_until 5 grep -qx 'key up 65' "$RECORD" || fail "the stick's return did not reach the game"
stood_after 'key up 65' '<'

pad down start
wait_until 5 paused || fail "Start did not pause"
# The end of the pad's input ends the game.
exec 4>&-
await_exit 5
replay_sessions
echo "session pad: ok ($start -> $stood -> $(state shpCir1.Left) units)"
