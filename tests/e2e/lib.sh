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

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
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

window_named() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

start_game() {
  start_display
  launch_game
}

# Starts the game on the display already running, e.g. once more after it ended.
launch_game() {
  QT_QPA_PLATFORM=xcb "$GAME" "${GAME_ARGS[@]}" &
  GAME_PID=$!
  wait_until 15 has_window '^ Quondra$' || fail "no window titled ' Quondra'"
  WID=$(window_named '^ Quondra$')
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  sleep 0.2
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

# Escape held for 3 s in play: paused from the first second to the release,
# once; a second Escape resumes.
escape_held_pauses_once() {
  hold_key_for Escape 3
  sleep 0.8; shot escape_held_1
  sleep 1.0; shot escape_held_2
  sleep 0.9; shot escape_held_3
  await_key_release
  sleep 0.3; shot escape_released
  paused_label_shown escape_held_1 || fail "Escape held did not pause"
  local s
  for s in escape_held_2 escape_held_3 escape_released; do
    [ "$(pixels_differing escape_held_1 $s)" -eq 0 ] || fail "the field changed while Escape was held ($s)"
  done
  press Escape
  wait_until 5 moving resumed || fail "a second Escape did not resume"
}

# With D held (by the caller), Yellow stands where a point ends it; the serve
# puts it back at its start place, and it must walk off again. A serve is
# seen as Yellow's dome moving left, which D alone never does.
walks_after_a_serve() {
  local deadline=$((SECONDS + 30)) before= now served=
  while [ $SECONDS -lt $deadline ]; do
    game_running || fail "the game ended"
    now=$(dome_x "walk_$1" $YELLOW)
    [ -n "$now" ] || continue
    if [ -n "$before" ] && [ "$now" -lt $((before - 20)) ]; then served=$now
    elif [ -n "$served" ] && [ "$now" -gt $((served + 20)) ]; then return 0
    fi
    before=$now
  done
  return 1
}
