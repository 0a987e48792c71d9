#!/usr/bin/env bash
# Starts a built game in its own X server and waits until its window shows.
# Given the launcher too, it checks that the window is the one the launcher
# names (WM_CLASS against StartupWMClass) and that it carries its icon in
# several sizes. SHOT=FILE keeps a screenshot of the window.
#   data/window_shows.sh GAME [LAUNCHER]
set -euo pipefail
game=${1:?usage: window_shows.sh GAME [LAUNCHER]}
launcher=${2:-}
readonly kTitle=' Quondra' kMinIconSizes=4 kWaitSeconds=20

work=$(mktemp -d)
xvfb=
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# -displayfd picks a free display number without racing other tests.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

QT_QPA_PLATFORM=xcb "$game" &
pid=$!
wid=
for _ in $(seq $((kWaitSeconds * 10))); do
  wid=$(xdotool search --onlyvisible --name "^${kTitle}\$" 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "$game ended before its window showed"
  sleep 0.1
done
[ -n "$wid" ] || fail "no window titled '$kTitle' within ${kWaitSeconds}s"
echo "window '$kTitle' shows: $(xdotool getwindowgeometry "$wid" | tail -n 1 | xargs)"

if [ -n "$launcher" ]; then
  wm_class=$(xprop -id "$wid" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)".*/\1/p')
  startup_class=$(sed -n 's/^StartupWMClass=//p' "$launcher")
  [ -n "$wm_class" ] && [ "$wm_class" = "$startup_class" ] ||
    fail "WM_CLASS '$wm_class', the launcher's StartupWMClass '$startup_class'"
  sizes=$(xprop -id "$wid" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | wc -l)
  [ "$sizes" -ge "$kMinIconSizes" ] || fail "the window's icon has $sizes sizes"
  echo "WM_CLASS '$wm_class' matches the launcher; the icon has $sizes sizes"
fi
if [ -n "${SHOT:-}" ]; then
  sleep 0.5
  import -window "$wid" "$SHOT"
fi
