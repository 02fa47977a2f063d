#!/usr/bin/env bash
# The signboard as a user handles it: dragging it with the mouse, gathering its frame with a
# double click and with the frame command, its popup menu, a picture chosen in the open dialog,
# and the reset.
. "$(dirname "$0")/lib.sh"

SHOT="$E2E_DIR/shot.png"

# Pixels of colour $5 (rrggbb) in a rectangle of the bus window's client area, in pixels.
count_colour() {
  convert "$SHOT" -crop "$3x$4+$((CX + $1))+$((CY + $2))" +repage -fuzz 2% -fill black \
    +opaque "#$5" -fill white -opaque "#$5" -format '%[fx:round(mean*w*h)]' info:
}
shot() { sleep 0.5; e2e_screenshot "$SHOT"; }
# Puts the pointer on a client pixel (mousemove --sync would wait in vain if it is there already).
point_at() {
  local x=$((CX + $1)) y=$((CY + $2)) X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$x,$y" ] || xdotool mousemove --sync "$x" "$y"
}
# The board (94 x 30 pixels when empty) is white, the frame's fill light grey.
board_at() { test "$(count_colour "$1" "$2" 94 30 ffffff)" -eq $((94 * 30)); }
no_white_at() { test "$(count_colour "$1" "$2" 94 30 ffffff)" -eq 0; }
# The left post's inside, a 3 x 25 strip beside a board whose left edge is x, top y.
post_at() { test "$(count_colour $(($1 - 4)) $(($2 + 3)) 3 25 e0e0e0)" -eq 75; }
no_post_at() { test "$(count_colour $(($1 - 4)) $(($2 + 3)) 3 25 e0e0e0)" -eq 0; }
# Opens the popup menu on the board at client pixel x, y and picks the item n steps down.
menu_item() {
  point_at "$1" "$2"
  xdotool click 3
  sleep 0.5
  for _ in $(seq "$3"); do xdotool key Down; done
  xdotool key Return
}

e2e_start
# The board's default place: Left 7425, Top 1665 twips = 495, 111 pixels.
shot
check "the empty board is white at its default place" board_at 495 111
check "the frame stands beside it" post_at 495 111

# A real drag: press on the board, move in steps, release 120 pixels left and 40 down.
point_at 535 126
xdotool mousedown 1
sleep 0.3
for step in 1 2 3 4; do
  point_at $((535 - 30 * step)) $((126 + 10 * step))
  sleep 0.1
done
xdotool mouseup 1
shot
check "the board moved by the mouse's displacement" board_at 375 151
check "nothing white is left at the old place" no_white_at 495 111
check "the frame stayed behind" post_at 495 111
check "the frame is not yet at the new place" no_post_at 375 151

# A double click on the board: its first press drags nowhere, the second gathers the frame.
point_at 420 166
xdotool click --repeat 2 --delay 120 1
shot
check "the double click left the board in place" board_at 375 151
check "the double click gathered the frame round the board" post_at 375 151
check "the old frame is gone" no_post_at 495 111

# The right button opens the popup menu and does not move the board.
before=$(e2e_window_count)
point_at 420 166
xdotool click 3
sleep 0.5
check "a right click on the board opens the popup menu" test "$(e2e_window_count)" -gt "$before"
xdotool key Escape
sleep 0.3
check "Escape closes it" test "$(e2e_window_count)" -eq "$before"
point_at 420 166
xdotool click 2
shot
check "the right and middle buttons do not move the board" board_at 375 151

# Dragged again, "枠の表示" twice (off, then on) brings the frame round the board too.
point_at 420 166
xdotool mousedown 1
sleep 0.3
point_at 400 156; sleep 0.1
point_at 380 146; sleep 0.1
xdotool mouseup 1
shot
check "the second drag moved the board" board_at 335 131
menu_item 380 146 2
shot
check "frame off: no post at the board" no_post_at 335 131
menu_item 380 146 2
shot
check "frame on again: the frame is round the moved board" post_at 335 131
check "the board's own white is untouched by the frame" board_at 335 131

# "看板の画像を設定...": a picture typed into the open dialog; the board takes its size.
convert -size 120x40 xc:'#ff0000' "BMP3:$E2E_DIR/board.bmp"
menu_item 380 146 3
dialog=$(e2e_wait_window "開く")
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 20 "Z:${E2E_DIR//\//\\}\\board.bmp"
xdotool key Return
e2e_window_gone "開く"
shot
check "the board shows the chosen picture at its place" \
  test "$(count_colour 335 131 120 40 ff0000)" -eq $((120 * 40))
check "the frame's right post stands beside the wider board" \
  test "$(count_colour $((335 + 120 + 1)) 134 3 25 e0e0e0)" -eq 75

# "看板のリセット" (below a separator, last item) empties the board and puts it back.
menu_item 380 146 4
shot
check "the reset puts the empty board back at its default place" board_at 495 111
check "the frame follows it" post_at 495 111
check "nothing red is left" test "$(count_colour 335 131 120 40 ff0000)" -eq 0

e2e_finish
