#!/usr/bin/env bash
# Starts the game in a headless sway and checks the app_id its window tells
# Wayland: the compositor finds the launcher and icon by it.
#   data/wayland_app_id.sh GAME APP_ID
set -euo pipefail
game=${1:?usage: wayland_app_id.sh GAME APP_ID}
app_id=${2:?}
readonly kWaitSeconds=20

work=$(mktemp -d)
sway_pid=
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# sway refuses to run as root: then the compositor and the game run as nobody,
# from a copy of the game it can read (the game reads no other file of ours).
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chmod 755 "$work"
fi
install -m 755 "$game" "$work/quondra"
mkdir -m 700 "$work/run"
touch "$work/config"
[ ${#as_user[@]} -eq 0 ] || chown nobody "$work/run"
# Called only in a subshell (in the background or in a substitution): the
# exec keeps the process id the one that cleanup kills.
run() {
  exec "${as_user[@]}" env -i PATH="$PATH" HOME="$work" XDG_RUNTIME_DIR="$work/run" "$@"
}

run WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway -c "$work/config" >"$work/sway.log" 2>&1 &
sway_pid=$!
socket=
for _ in $(seq $((kWaitSeconds * 10))); do
  socket=$(ls "$work"/run/sway-ipc.*.sock 2>/dev/null | head -n 1 || true)
  [ -n "$socket" ] && [ -S "$work/run/wayland-1" ] && break
  kill -0 "$sway_pid" 2>/dev/null || { cat "$work/sway.log" >&2; fail "sway ended"; }
  sleep 0.1
done
[ -n "$socket" ] || fail "sway did not start"

run WAYLAND_DISPLAY=wayland-1 QT_QPA_PLATFORM=wayland "$work/quondra" >"$work/game.log" 2>&1 &
game_pid=$!
seen=
for _ in $(seq $((kWaitSeconds * 10))); do
  seen=$(run SWAYSOCK="$socket" swaymsg -t get_tree -r |
           sed -n 's/^ *"app_id": "\(.*\)",\{0,1\}$/\1/p' | head -n 1)
  [ -n "$seen" ] && break
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window showed"
  sleep 0.1
done
[ "$seen" = "$app_id" ] || fail "the window's app_id is '$seen', not '$app_id'"
echo "the window's Wayland app_id is $app_id"
