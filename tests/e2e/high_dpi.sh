#!/usr/bin/env bash
# At a scale factor of 2 the window is twice the size and drawn at full
# resolution: circle edges and text are antialiased, not doubled pixels.
export QT_SCALE_FACTOR=2 SCREEN_SIZE=1920x1280
source "$(dirname "$0")/lib.sh"
start_game
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "${WIDTH}x${HEIGHT}" = "1698x1176" ] || fail "window is ${WIDTH}x${HEIGHT}, not 1698x1176"
# Play (green) at twice its unit position: the scene has been painted.
play_is_green() {
  shot field
  [ "$(convert "$WORK/field.png" -format "%[fx:int(255*p{$((X + 720)),$((Y + 665))}.g)],%[fx:int(255*p{$((X + 720)),$((Y + 665))}.r)]" info:)" = 255,0 ]
}
wait_until 5 play_is_green || fail "the settings screen is not painted at twice the size"
# Yellow's rim and the ground's first hint, in physical pixels.
for box in "120x80+$((X + 200))+$((Y + 940))" "300x36+$((X + 16))+$((Y + 1036))"; do
  convert "$WORK/field.png" -crop "$box" +repage "$WORK/box.png"
  colours=$(convert "$WORK/box.png" -format "%k" info:)
  [ "$colours" -gt 4 ] || fail "no antialiasing in $box ($colours colours)"
  # A blown-up image would come through a halve-and-double unchanged.
  convert "$WORK/box.png" -sample 50% -sample 200% "$WORK/doubled.png"
  [ "$(pixels_differing box doubled)" -gt 0 ] || fail "$box is made of doubled pixels"
done
echo "high dpi: ok"
