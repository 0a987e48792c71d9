#!/usr/bin/env bash
# Starts a built game in its own X server and waits until its window shows.
# Given the launcher too, it checks that the window is the one the launcher
# names (WM_CLASS against StartupWMClass) and that it carries its icon in
# several sizes. SHOT=FILE keeps a screenshot of the window.
#   data/window_shows.sh GAME [LAUNCHER]
source "$(dirname "$0")/../tests/e2e/lib.sh"
launcher=${2:-}
readonly kMinIconSizes=4

start_game
echo "window ' Quondra' shows: $(xdotool getwindowgeometry "$WID" | tail -n 1 | xargs)"

if [ -n "$launcher" ]; then
  wm_class=$(xprop -id "$WID" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)".*/\1/p')
  startup_class=$(sed -n 's/^StartupWMClass=//p' "$launcher")
  [ -n "$wm_class" ] && [ "$wm_class" = "$startup_class" ] ||
    fail "WM_CLASS '$wm_class', the launcher's StartupWMClass '$startup_class'"
  sizes=$(xprop -id "$WID" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)' | sort -u | wc -l)
  [ "$sizes" -ge "$kMinIconSizes" ] || fail "the window's icon has $sizes sizes"
  echo "WM_CLASS '$wm_class' matches the launcher; the icon has $sizes sizes"
fi
if [ -n "${SHOT:-}" ]; then
  sleep 0.5
  import -window "$WID" "$SHOT"
fi
