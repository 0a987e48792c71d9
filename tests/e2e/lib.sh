# Helpers for driving the real game in its own X server, as a person would:
# keys through xdotool, judgement from screenshots and the process itself.
set -euo pipefail

GAME=${1:?usage: test.sh PATH-TO-QUONDRA}
WORK=$(mktemp -d)
XVFB_PID=
WM_PID=
GAME_PID=
WID=
# Device pixels per logical pixel; a test of a scaled window sets it before start_game.
SCALE=${SCALE:-1}
SCREEN=${SCREEN:-1280x1024x24}
# Arguments for the game, set after sourcing this file.
GAME_ARGS=()
# Given quondra-session as the game, a test reads what the game did from its
# session record: a console script of each step's inputs and the state after
# them (see tests/session/). Each launch writes a record of its own, and
# replay_sessions has the console play each one again.
LAUNCHES=0
RECORD=
SIM=${QUONDRA_SIM:-$(dirname "$GAME")/quondra-sim}
recording() { [ "$(basename "$GAME")" = quondra-session ] || [ "$(basename "$GAME")" = e2e_pad_window ]; }
next_record() {
  LAUNCHES=$((LAUNCHES + 1))
  RECORD=$WORK/session_$LAUNCHES.scn
  : > "$RECORD"
}

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  [ -n "${KEEP_WORK:-}" ] && echo "kept $WORK" >&2 || rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
# ctest counts this status as skipped, not passed.
readonly SKIP_STATUS=77
skip() { echo "SKIP: $*" >&2; exit $SKIP_STATUS; }

# Polls a command until it succeeds, for at most $1 seconds.
wait_until() {
  local limit=$1; shift
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.05
  done
}

start_display() {
  # -displayfd picks a free display number without racing other tests;
  # -noreset keeps the server up when the last client leaves, for a second game.
  Xvfb -displayfd 3 -screen 0 "$SCREEN" -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
  XVFB_PID=$!
  wait_until 10 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$WORK/display")"
}

# A window manager gives the focus and the close control as on a desktop.
start_window_manager() {
  command -v openbox >/dev/null || skip "openbox is not installed"
  openbox --sm-disable >/dev/null 2>&1 &
  WM_PID=$!
  wait_until 10 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" ||
    fail "openbox did not start"
}

# Compositors refuse root: run as root, what runs on them runs as "nobody",
# through "${AS[@]}".
AS=()
as_unprivileged() {
  [ "$(id -u)" -eq 0 ] || return 0
  command -v runuser >/dev/null || skip "runuser is not installed"
  AS=(runuser -u nobody --)
  "${AS[@]}" test -x "$GAME" || skip "user nobody cannot run $GAME"
}

window_named() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

start_game() {
  start_display
  launch_game
}

# Starts the game on the display already running, e.g. once more after it ended.
launch_game() {
  local args=("${GAME_ARGS[@]}")
  if recording; then next_record; args+=("$RECORD"); fi
  QT_QPA_PLATFORM=xcb "$GAME" "${args[@]}" &
  GAME_PID=$!
  wait_until 15 has_window '^ Quondra$' || fail "no window titled ' Quondra'"
  WID=$(window_named '^ Quondra$')
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
}

# X, Y (the client area's corner on the screen), WIDTH and HEIGHT of the
# game's window, or of window $1; xdotool counts a window manager's frame twice.
window_geometry() {
  local info
  info=$(xwininfo -id "${1:-$WID}")
  X=$(awk '/Absolute upper-left X/ {print $4}' <<< "$info")
  Y=$(awk '/Absolute upper-left Y/ {print $4}' <<< "$info")
  WIDTH=$(awk '/Width:/ {print $2}' <<< "$info")
  HEIGHT=$(awk '/Height:/ {print $2}' <<< "$info")
}

press() { xdotool key --delay 30 "$@"; }
# A left click at a scene point (units) of the game window.
click_at() {
  window_geometry
  xdotool mousemove --sync $((X + $1 * SCALE / 15)) $((Y + $2 * SCALE / 15)) click 1
}
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }
# A key held for $2 seconds while the test goes on; await_key_release waits for its release.
HOLD_PID=
hold_key_for() { hold "$1"; (sleep "$2"; release "$1") & HOLD_PID=$!; }
await_key_release() { wait "$HOLD_PID" || true; HOLD_PID=; }

# Waits at most $1 seconds for the game to end and sets GAME_STATUS to its
# exit status. It runs in the test's own shell: only there is the game a
# child whose status `wait` can collect.
GAME_STATUS=
await_exit() {
  local limit=$1
  wait_until "$limit" bash -c "! kill -0 $GAME_PID 2>/dev/null" || fail "the game did not end in ${limit}s"
  GAME_STATUS=0
  wait "$GAME_PID" || GAME_STATUS=$?
  GAME_PID=
}

# Screenshots are also kept in $SHOTS_DIR when it is set, to be looked at.
shot() {
  import -window root "$WORK/$1.png"
  if [ -n "${SHOTS_DIR:-}" ]; then cp "$WORK/$1.png" "$SHOTS_DIR/$(basename "$0" .sh)_$1.png"; fi
}

# The colour at a scene point (in units, 15 to a pixel) of a screenshot, as r,g,b.
colour_at() {
  local name=$1 x=$(( $2 * SCALE / 15 )) y=$(( $3 * SCALE / 15 ))
  window_geometry
  convert "$WORK/$name.png" -format "%[fx:int(255*p{$((X + x)),$((Y + y))}.r)],%[fx:int(255*p{$((X + x)),$((Y + y))}.g)],%[fx:int(255*p{$((X + x)),$((Y + y))}.b)]" info:
}

colour_now_is() {
  shot now
  [ "$(colour_at now "$1" "$2")" = "$3" ]
}

# How many pixels differ between two screenshots.
pixels_differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }

# The bounding box "WxH+X+Y" (pixels, from the crop's corner) of one colour
# inside a crop "WxH+X+Y" of the window; empty when the colour is absent.
colour_box() {
  local name=$1 crop=$2 colour=$3 c
  window_geometry
  IFS='x+' read -r -a c <<< "$crop"
  local mask=(-fill black +opaque "rgb($colour)")
  # Black itself is sought as white on black.
  [ "$colour" = 0,0,0 ] && mask=(-fill white +opaque black -negate)
  convert "$WORK/$name.png" -crop "${c[0]}x${c[1]}+$((X + c[2]))+$((Y + c[3]))" +repage \
    "${mask[@]}" "$WORK/masked.png"
  [ "$(convert "$WORK/masked.png" -format "%[fx:maxima>0]" info:)" = 1 ] || return 0
  convert "$WORK/masked.png" -format "%@" info:
}
box_x() { local b=${1#*+}; echo "${b%%+*}"; }
box_y() { echo "${1##*+}"; }

readonly YELLOW=255,255,0 RED=255,0,0
# The rows just above the ground strip, where the players' domes are widest.
readonly DOMES=849x14+0+497
# The left edge (px) of a player's dome, from a fresh screenshot.
dome_x() { shot "$1"; box_x "$(colour_box "$1" $DOMES "$2")"; }

# Presses Q until the check "$@" sees the quit question: Q asks only in play,
# and pressed between two rallies it does nothing.
ask_quit() {
  local tries=0
  until "$@"; do
    [ $((tries += 1)) -le 5 ] || return 1
    press q
    wait_until 1 "$@" || true
  done
}

# Two screenshots apart are the same (nothing moves), or differ.
still() { shot "$1_a"; sleep 0.5; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -eq 0 ]; }
moving() { shot "$1_a"; sleep 0.3; shot "$1_b"; [ "$(pixels_differing "$1_a" "$1_b")" -gt 0 ]; }

# Black text where "Game Paused" is written (pixels of the window).
readonly PAUSED_LABEL=721x80+64+160
paused_label_shown() {
  local c
  window_geometry
  IFS='x+' read -r -a c <<< "$PAUSED_LABEL"
  [ "$(convert "$WORK/$1.png" -crop "${c[0]}x${c[1]}+$((X + c[2]))+$((Y + c[3]))" +repage \
       -fill white +opaque black -negate -format "%[fx:maxima>0]" info:)" = 1 ]
}

# "Game Paused" shown and nothing moving; a pause is not the still second
# between two rallies.
paused_still() { still "$1" && paused_label_shown "$1_b"; }

# Escape held for 3 s in a rally: it pauses once, the held key gives no
# further key-down, and the pause holds past the release; a second Escape
# resumes. The field stands still on the screen while paused.
escape_held_pauses_once() {
  wait_until 10 in_rally || fail "no rally to pause"
  local downs
  downs=$(inputs 'key down 27')
  hold_key_for Escape 3
  wait_until 3 paused || fail "Escape held did not pause"
  shot escape_held
  paused_label_shown escape_held || fail "\"Game Paused\" is not shown"
  await_key_release
  wait_until 5 input_seen 'key up 27' "$downs" || fail "the release of Escape did not reach the game"
  [ "$(inputs 'key down 27')" -eq $((downs + 1)) ] || fail "Escape held gave the game more than one key-down"
  paused || fail "the pause did not hold past the release of Escape"
  shot escape_released
  [ "$(pixels_differing escape_held escape_released)" -eq 0 ] || fail "the field changed while paused"
  local ran
  ran=$(periods)
  press Escape
  wait_until 5 resumed_since "$ran" || fail "a second Escape did not resume"
}
in_rally() { in_match && state_is tmrDelay.Enabled false && ! paused; }
# Not paused, and periods running again since a count of them.
resumed_since() { ! paused && [ "$(periods)" -gt $(($1 + 1)) ]; }
# The record holds more than N of the input line LINE.
input_seen() { [ "$(inputs "$1")" -gt "$2" ]; }
# The number of lines the record holds now, to look at what follows them.
record_mark() { wc -l < "$RECORD"; }

# With D held (by the caller), Yellow stands where a point ends it; the serve
# puts it back at its start place, and it must walk off again: in the record
# after the mark, Yellow's place drops (the serve) and then grows by ten
# pixels and more (150 units).
walks_after_a_serve() { local mark; mark=$(record_mark); wait_until 30 walked_after_serve "$mark"; }
walked_after_serve() {
  tail -n +"$(($1 + 1))" "$RECORD" | awk -v name="expect shpCir1.Left " '
    index($0, name) == 1 {
      x = substr($0, length(name) + 1) + 0
      if (seen && x < last - 150) served = x
      else if (served != "" && x > served + 150) { found = 1; exit }
      last = x; seen = 1
    }
    END { exit !found }'
}
# Yellow walks right 20 pixels (300 units) past the leftmost place it took
# after the mark.
walked_right() {
  tail -n +"$(($1 + 1))" "$RECORD" | awk -v name="expect shpCir1.Left " '
    index($0, name) == 1 {
      x = substr($0, length(name) + 1) + 0
      if (!seen || x < lowest) lowest = x
      else if (x > lowest + 300) { found = 1; exit }
      seen = 1
    }
    END { exit !found }'
}

# What the game did, from the session record.
# The last value NAME took, as the console prints it ("" before the first).
state() { grep "^expect $1 " "$RECORD" 2>/dev/null | tail -n 1 | cut -d' ' -f3-; }
state_is() { [ "$(state "$1")" = "$2" ]; }
# NAME's last value, a number, compared by awk's OP with VALUE: state_cmp NAME '<' 1440.
state_cmp() { awk -v a="$(state "$1")" -v b="$3" "BEGIN { exit !(a != \"\" && a + 0 $2 b + 0) }"; }
# How many periods, and how many of a given input line, the record holds.
periods() { grep -c '^run 1$' "$RECORD" 2>/dev/null || true; }
inputs() { grep -c -x -- "$1" "$RECORD" 2>/dev/null || true; }
# Waits at most $1 seconds for $2 more periods to run.
await_periods() { local target=$(($(periods) + $2)); wait_until "$1" periods_reach "$target"; }
periods_reach() { [ "$(periods)" -ge "$1" ]; }
# The values NAME took in the states after the last input line LINE.
values_since() {
  awk -v line="$1" -v name="expect $2 " '
    $0 == line { n = 0; delete v; next }
    index($0, name) == 1 { v[++n] = substr($0, length(name) + 1) }
    END { for (i = 1; i <= n; i++) print v[i] }' "$RECORD"
}
# The match has started (the settings screen has gone), or the settings are back.
in_match() { state_is cmdPlay.Visible false; }
on_settings() { state_is cmdPlay.Visible true; }
paused() { state_is Paused -1; }
# A key pressed until the game takes it to a state: Escape to pause, say,
# which does nothing while a point is being scored.
press_until() {
  local key=$1 tries=0; shift
  until "$@"; do
    [ $((tries += 1)) -le 5 ] || return 1
    press "$key"
    wait_until 1 "$@" || true
  done
}
# Each record of the test, played again by the console: the real window
# and the console agree on every step, to the last bit.
replay_sessions() {
  local record n=0
  for record in "$WORK"/session_*.scn; do
    [ -e "$record" ] || continue
    [ "$(grep -c '^run 1$' "$record")" -gt 0 ] || continue
    "$SIM" "$record" >"$WORK/replay.out" 2>"$WORK/replay.err" ||
      fail "the console played $(basename "$record") otherwise: $(head -n 3 "$WORK/replay.err")"
    n=$((n + 1))
  done
  [ $n -gt 0 ] || fail "no session was recorded"
  echo "sessions replayed: $n"
}
