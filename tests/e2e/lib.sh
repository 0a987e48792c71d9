# Helpers for driving the real game in its own X server, as a person would:
# keys through xdotool, judgement from screenshots and the process itself.
set -euo pipefail

GAME=${1:?usage: test.sh PATH-TO-QUONDRA}
WORK=$(mktemp -d)
XVFB_PID=
GAME_PID=
WID=
# Device pixels per logical pixel; a test of a scaled window sets it before start_game.
SCALE=${SCALE:-1}
SCREEN=${SCREEN:-1280x1024x24}
# Arguments for the game, set after sourcing this file.
GAME_ARGS=()

cleanup() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

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

press() { xdotool key --delay 30 "$@"; }
# A left click at a scene point (units) of the game window.
click_at() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  xdotool mousemove --sync $((X + $1 * SCALE / 15)) $((Y + $2 * SCALE / 15)) click 1
}
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }

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

shot() { import -window root "$WORK/$1.png"; }

# The colour at a scene point (in units, 15 to a pixel) of a screenshot, as r,g,b.
colour_at() {
  local name=$1 x=$(( $2 * SCALE / 15 )) y=$(( $3 * SCALE / 15 ))
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  convert "$WORK/$name.png" -format "%[fx:int(255*p{$((X + x)),$((Y + y))}.r)],%[fx:int(255*p{$((X + x)),$((Y + y))}.g)],%[fx:int(255*p{$((X + x)),$((Y + y))}.b)]" info:
}

colour_now_is() {
  shot now
  [ "$(colour_at now "$1" "$2")" = "$3" ]
}

# How many pixels differ between two screenshots.
pixels_differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }
