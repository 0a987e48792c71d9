#!/usr/bin/env bash
# A session of real play under X11, recorded by the window and played again
# by the console: the first ball falls onto Yellow and rebounds; A held walks
# Yellow left and its release stops it; in Human vs. Human the arrows walk
# Red, chosen by Tab and an arrow key. The console must agree with the window
# on every step, and must not once an input is dropped or moved a period.
source "$(dirname "$0")/lib.sh"
recording || skip "the game given writes no session record"

start_game
press Return
wait_until 5 in_match || fail "Enter did not start the match"

# The ball's top edge goes down, then up again after it meets Yellow.
rebounded() {
  grep '^expect shpBall.Top ' "$RECORD" | awk '{ y = $3 + 0; if (y > low) low = y; else if (y < low - 150) { up = 1; exit } }
    END { exit !up }'
}
wait_until 5 rebounded || fail "the ball did not rebound off Yellow"

# Holds a key until NAME has moved 150 units (ten pixels) by OP ('<' or '>')
# from where it stood, then lets it go; after the release the player never
# goes further that way.
walk() {
  local key=$1 code=$2 name=$3 op=$4 from
  from=$(state "$name")
  hold "$key"
  wait_until 5 state_cmp "$name" "$op" "$(awk -v f="$from" -v op="$op" 'BEGIN { print op == "<" ? f - 150 : f + 150 }')" ||
    { release "$key"; fail "$key did not walk $name from $from"; }
  release "$key"
  local ups; ups=$(inputs "key up $code")
  wait_until 5 input_seen "key up $code" "$((ups - 1))" || fail "the release of $key did not reach the game"
  await_periods 5 16 || fail "the clock stopped after $key"
  local stood further
  stood=$(values_since "key up $code" "$name" | head -n 1)
  further=$(values_since "key up $code" "$name" | awk -v s="$stood" "\$1 + 0 $op s + 0" | head -n 1)
  [ -z "$further" ] || fail "$name went on from $stood to $further after $key was released"
}
walk a 65 shpCir1.Left '<'

# Human vs. Human, chosen from the keyboard: Tab to the gravity group, Tab
# to the speed group, Tab to the players group, an arrow onto the other option.
press_until n on_settings || fail "N did not bring the settings back"
wait_until 5 colour_now_is 5400 4990 0,255,0 || fail "Play is not drawn on the settings screen"
human_chosen() { grep -qx 'click optHuman' "$RECORD"; }
press Tab Tab Tab
press Down
wait_until 5 human_chosen || fail "Tab and Down did not choose Human vs. Human ($(grep -E '^(focus|click)' "$RECORD" | tail -n 3 | tr '\n' ' '))"
press Return
wait_until 5 in_match || fail "Enter did not start the second match"
walk Left 37 shpCir2.Left '<'
walk Right 39 shpCir2.Left '>'

press_until q has_window 'Exit Program' || fail "Q did not ask"
press Return
await_exit 5
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
replay_sessions

# One input dropped, or moved a period later, and the console disagrees.
mutated() {
  python3 - "$RECORD" "$1" "$WORK/mutated.scn" <<'PY'
import sys
lines = open(sys.argv[1]).read().split('\n')
at = lines.index('key down 65')
line = lines.pop(at)
if sys.argv[2] == 'move':
    after = next(k for k in range(at, len(lines)) if lines[k] == 'run 1')
    lines.insert(after + 1, line)
open(sys.argv[3], 'w').write('\n'.join(lines))
PY
  ! "$SIM" "$WORK/mutated.scn" >/dev/null 2>&1
}
mutated drop || fail "the console agreed with a record missing A's key-down"
mutated move || fail "the console agreed with a record with A's key-down a period late"
echo "session x11: ok"
