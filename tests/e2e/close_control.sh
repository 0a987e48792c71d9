#!/usr/bin/env bash
# The desktop's close control (a WM_DELETE_WINDOW request) ends the program
# with status 0, on the settings screen, in play, while paused and with the
# "Exit Program" question open; so does another client destroying the window.
# Another client destroying the question answers it as Escape would: No.
source "$(dirname "$0")/lib.sh"
X11_CONTROL=${2:?usage: close_control.sh PATH-TO-QUONDRA PATH-TO-X11-CONTROL}
readonly PLAY_X=5400 PLAY_Y=4990 BACKGROUND=128,255,255

to_settings() { :; }
to_play() {
  press Return
  wait_until 5 colour_now_is $PLAY_X $PLAY_Y $BACKGROUND || fail "Enter did not start the match"
}
to_paused() {
  to_play
  press Escape
}
to_question() {
  to_play
  press q
  wait_until 5 has_window '^Exit Program$' || fail "Q did not ask"
}

start_display
for state in settings play paused question; do
  launch_game
  "to_$state"
  game_running || fail "the game ended before the close request ($state)"
  "$X11_CONTROL" close "$WID" || fail "the close request could not be sent ($state)"
  await_exit 3
  [ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after closing in $state"
  has_window '^ Quondra$' && fail "a window titled ' Quondra' is left after closing in $state"
  has_window 'Exit Program' && fail "closing in $state left a question"
  echo "closed in $state: ok"
done

launch_game
to_play
"$X11_CONTROL" destroy "$WID" || fail "the window could not be destroyed"
await_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after the window was destroyed"
echo "window destroyed: ok"

# The question destroyed by another client: the match goes on (a frozen game
# draws nothing new), and the next Q asks again.
launch_game
to_question
box=$(window_named '^Exit Program$')
"$X11_CONTROL" destroy "$box" || fail "the question could not be destroyed"
wait_until 5 moving after_destroy || fail "the game froze when its question was destroyed"
ask_quit has_window '^Exit Program$' || fail "Q did not ask again after the question was destroyed"
press Return
await_exit 3
[ "$GAME_STATUS" -eq 0 ] || fail "exit status $GAME_STATUS after Yes"
echo "question destroyed: ok"
