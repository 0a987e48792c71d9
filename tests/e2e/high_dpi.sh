#!/usr/bin/env bash
# At a scale factor of 2 the window has twice the pixels each way, and the
# scene is drawn at that resolution: a circle's edge is antialiased and not
# made of the 2 x 2 blocks of a blown-up 849 x 588 image. F11 then fills the
# screen: the picture grows to fit, centred, and a click on Play where it is
# drawn starts the match.
SCALE=2
SCREEN=2048x1536x24
source "$(dirname "$0")/lib.sh"
export QT_SCALE_FACTOR=$SCALE
start_display
start_window_manager
launch_game
eval "$(xdotool getwindowgeometry --shell "$WID")"
[ "${WIDTH}x${HEIGHT}" = "1698x1176" ] || fail "window is ${WIDTH}x${HEIGHT}, not 1698x1176"

readonly PLAY_X=5400 PLAY_Y=4990
wait_until 5 colour_now_is $PLAY_X $PLAY_Y 0,255,0 || fail "Play is not drawn green: $(colour_at now $PLAY_X $PLAY_Y)"
[ "$(colour_at now 100 8000)" = 0,0,0 ] || fail "the ground is not black"

# Yellow's rim at 45 degrees up-left of its centre (2167.5, 7687.5), radius
# 727.5: about (1653, 7173) in units, (220, 956) in device pixels.
readonly EDGE=16
left=$(( (X + 1653 * SCALE / 15 - EDGE / 2) / 2 * 2 ))
top=$(( (Y + 7173 * SCALE / 15 - EDGE / 2) / 2 * 2 ))
convert "$WORK/now.png" -crop "${EDGE}x${EDGE}+${left}+${top}" +repage "$WORK/edge.png"
blended=$(convert "$WORK/edge.png" -depth 8 txt:- | awk 'NR > 1 {
  split($2, c, /[(),]/)
  rgb = c[2] "," c[3] "," c[4]
  if (rgb != "255,255,0" && rgb != "0,0,0" && rgb != "128,255,255") n++
} END { print n + 0 }')
[ "$blended" -gt 0 ] || fail "the rim of Yellow has no antialiased pixels"
[ "$(convert "$WORK/edge.png" -depth 8 txt:- | awk 'NR > 1 && $3 ~ /#FFFF00/' | wc -l)" -gt 0 ] || fail "the crop misses Yellow"
# Sampling every other pixel and doubling it back gives the same picture only
# if the picture was made of 2 x 2 blocks.
convert "$WORK/edge.png" -sample 50% -sample 200% "$WORK/edge_blocks.png"
[ "$(pixels_differing edge edge_blocks)" -gt 0 ] || fail "the rim of Yellow is a blown-up low-resolution image"

press F11
screen_filled() { window_geometry; [ "${WIDTH}x${HEIGHT}" = 2048x1536 ]; }
wait_until 5 screen_filled || fail "F11 did not fill the screen: window is ${WIDTH}x${HEIGHT}"
# A scene point (units) in device pixels of the screen: the client area
# scaled to the largest logical size that fits, centred on whole pixels.
drawn_at() {
  awk -v w="$WIDTH" -v h="$HEIGHT" -v r=$SCALE -v x="$1" -v y="$2" -v ox="$X" -v oy="$Y" 'BEGIN {
    lw = w / r; lh = h / r; s = lw / 849 < lh / 588 ? lw / 849 : lh / 588
    printf "%d %d", ox + (int((lw - 849 * s) / 2) + x / 15 * s) * r, oy + (int((lh - 588 * s) / 2) + y / 15 * s) * r }'
}
pixel() { convert "$WORK/$1.png" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
read -r px py <<< "$(drawn_at $PLAY_X $PLAY_Y)"
play_drawn() { shot full; [ "$(pixel full "$px" "$py")" = 0,255,0 ]; }
wait_until 5 play_drawn || fail "Play is not drawn where the scaled picture puts it: $(pixel full "$px" "$py")"
read -r nx ny <<< "$(drawn_at 6300 7000)"
[ "$(pixel full "$nx" "$ny")" = 255,255,255 ] || fail "the net is not where the scaled picture puts it"
xdotool mousemove --sync "$px" "$py" click 1
play_gone() { shot clicked; [ "$(pixel clicked "$px" "$py")" = 128,255,255 ]; }
wait_until 5 play_gone || fail "a click on Play as drawn did not start the match"
echo "high dpi: ok ($blended blended pixels on the rim; fullscreen and a click on Play)"
