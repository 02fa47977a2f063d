#!/usr/bin/env bash
# The sign as a user drives it: a folder chosen through the panel's "方向幕フォルダー" button,
# Up and Down on the sign, the keypad's "設定", and a missing folder sent back to the chooser.
. "$(dirname "$0")/lib.sh"

signs="$E2E_DIR/signs"
mkdir -p "$signs"
convert -size 52x32 xc:'#ff0000' "BMP3:$signs/a.bmp"
convert -size 52x32 xc:'#00ff00' "BMP3:$signs/B.bmp"
convert -size 52x32 xc:'#0000ff' "BMP3:$signs/c.bmp"
echo text >"$signs/d.txt"
winpath="Z:$(echo "$signs" | tr '/' '\\')"

e2e_start

# The panel's client origin, as for the bus window (Wine draws the frame itself).
e2e_geometry "$PANEL_WIN"
pborder=$(( (GW - 263) / 2 ))
PX=$((GX + pborder))
PY=$((GY + GH - 171 - pborder))
panel_click_twips() { e2e_point_at $(( $1 / 15 + PX )) $(( $2 / 15 + PY )); xdotool click 1; }
# Keys lie in Frame1 (2265, 0); the folder button at (75, 2190) in it.
key_twips() {  # index -> centre of that keypad key in panel twips
  local lefts=(75 75 570 1065 75 570 1065 75 570 1065 570 1065)
  local tops=(1770 1380 1380 1380 990 990 990 600 600 600 1770 1770)
  echo "$((2265 + ${lefts[$1]} + 255)) $((${tops[$1]} + 195))"
}
press_key() { panel_click_twips $(key_twips "$1"); sleep 0.2; }
sign_colour() { e2e_pixel $((CX + 295 + 26)) $((CY + 45 + 16)); }

open_chooser() {
  panel_click_twips $((2265 + 75 + 765)) $((2190 + 135))
  CHOOSER=$(e2e_wait_window "画像の位置")
  xdotool windowfocus --sync "$CHOOSER"
}

open_chooser
check "the folder button opens the chooser" test -n "$CHOOSER"
xdotool key ctrl+a
xdotool type --delay 20 "$winpath"
xdotool key Return
check "Enter confirms the chooser" e2e_window_gone "画像の位置"

e2e_click_twips 4500 700  # focus back to the sign
xdotool key Down
sleep 0.3
check "Down shows the second picture in name order (B.bmp)" test "$(sign_colour)" = "00ff00"
xdotool key Down
sleep 0.3
check "Down again shows c.bmp" test "$(sign_colour)" = "0000ff"
xdotool key Down
sleep 0.3
check "Down at the end stays" test "$(sign_colour)" = "0000ff"
xdotool key Up Up
sleep 0.3
check "Up twice shows a.bmp" test "$(sign_colour)" = "ff0000"

press_key 10
press_key 2
press_key 11
check "keypad 2 then 設定 shows c.bmp" test "$(sign_colour)" = "0000ff"
e2e_click_twips 4500 700
xdotool key Down
sleep 0.3
check "the arrows step on from where they were (B.bmp)" test "$(sign_colour)" = "00ff00"

open_chooser
xdotool key ctrl+a
xdotool type --delay 20 "${winpath}\\missing"
xdotool key Return
box=$(e2e_wait_window "カナテラ" || true)
check "a missing folder gives the message" test -n "$box"
e2e_screenshot "$E2E_DIR/missing.png"
[ -n "$box" ] && { xdotool windowfocus --sync "$box" 2>/dev/null || true; xdotool key Return; }
again=$(e2e_wait_window "画像の位置" || true)
check "then the chooser opens again" test -n "$again"
[ -n "$again" ] && { xdotool windowfocus --sync "$again"; xdotool key Escape; }
check "Esc closes it" e2e_window_gone "画像の位置"
check "the sign is unchanged" test "$(sign_colour)" = "00ff00"

e2e_finish
