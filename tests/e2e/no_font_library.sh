#!/usr/bin/env bash
# The settings screen, a rally and the pause show their text without the
# font library: no font configuration is read until a message box needs it.
source "$(dirname "$0")/lib.sh"
# The font configuration's caches, mapped once fonts are looked up.
font_caches() { grep -c 'fontconfig.*cache' "/proc/$GAME_PID/maps" || true; }

start_game
sleep 0.3
[ "$(font_caches)" -eq 0 ] || fail "the settings screen loaded the font library"
press Return
sleep 1
[ "$(font_caches)" -eq 0 ] || fail "the match loaded the font library"
press Escape
sleep 0.3
[ "$(font_caches)" -eq 0 ] || fail "\"Game Paused\" loaded the font library"
press Escape
# The question's own text is the toolkit's: this is where the library comes in,
# which also shows the check above can see it.
press q
wait_until 5 has_window 'Exit Program' || fail "Q did not open 'Exit Program'"
[ "$(font_caches)" -gt 0 ] || fail "no font cache even for the message box: the check sees nothing"
press Return
await_exit 3
echo "text without the font library: ok"
