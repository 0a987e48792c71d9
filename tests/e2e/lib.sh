# Helpers for driving the real game in its own X server, as a person would:
# keys through xdotool, judgement from screenshots and the process itself.
set -euo pipefail

GAME=${1:?usage: test.sh PATH-TO-QUONDRA [PATH-TO-WM-DELETE]}
WM_DELETE=${2:-}
SCREEN_SIZE=${SCREEN_SIZE:-1280x1024}
WORK=$(mktemp -d)
XVFB_PID=
GAME_PID=
WID=

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
  # -displayfd picks a free display number without racing other tests.
  rm -f "$WORK/display"
  Xvfb -displayfd 3 -screen 0 ${SCREEN_SIZE}x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
  XVFB_PID=$!
  wait_until 10 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$WORK/display")"
}

window_named() { xdotool search --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(window_named "$1")" ]; }
game_running() { kill -0 "$GAME_PID" 2>/dev/null; }

start_game() {
  start_display
  QT_QPA_PLATFORM=xcb "$GAME" &
  GAME_PID=$!
  wait_until 15 has_window '^ Quondra$' || fail "no window titled ' Quondra'"
  WID=$(window_named '^ Quondra$')
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  sleep 0.2
}

press() { xdotool key --delay 30 "$@"; }
hold() { xdotool keydown "$1"; }
release() { xdotool keyup "$1"; }

# The game has exited (a zombie not yet reaped counts: kill -0 still succeeds on it).
game_ended() {
  local state
  state=$(ps -o stat= -p "$GAME_PID" 2>/dev/null) || return 0
  [[ $state == Z* ]]
}

# Waits at most $1 seconds for the game to end and puts its exit status in
# STATUS. Not for $(...): only this shell can reap its child.
wait_for_exit() {
  local limit=$1
  wait_until "$limit" game_ended || fail "the game did not end in ${limit}s"
  STATUS=0
  wait "$GAME_PID" || STATUS=$?
  GAME_PID=
}

shot() { import -window root "$WORK/$1.png"; }

# The colour at a scene point (in units, 15 to a pixel) of a screenshot, as r,g,b.
colour_at() {
  local name=$1 x=$(( $2 / 15 )) y=$(( $3 / 15 ))
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  convert "$WORK/$name.png" -format "%[fx:int(255*p{$((X + x)),$((Y + y))}.r)],%[fx:int(255*p{$((X + x)),$((Y + y))}.g)],%[fx:int(255*p{$((X + x)),$((Y + y))}.b)]" info:
}

colour_now_is() {
  shot now
  [ "$(colour_at now "$1" "$2")" = "$3" ]
}

# How many pixels differ between two screenshots.
pixels_differing() { compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true; }

# Dark pixels (the digits' ink) in a box of a screenshot, the box in units.
dark_pixels_in() {
  local name=$1 left=$(( $2 / 15 )) top=$(( $3 / 15 )) width=$(( $4 / 15 )) height=$(( $5 / 15 ))
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  convert "$WORK/$name.png" -crop "${width}x${height}+$((X + left))+$((Y + top))" +repage \
    -colorspace gray -threshold 50% -negate -format "%[fx:int(mean*w*h+0.5)]" info:
}
