#!/usr/bin/env bash
# Start-up as a user sees it: both windows, their places, the popup menu, closing.
. "$(dirname "$0")/lib.sh"

e2e_start
e2e_geometry "$BUS_WIN"; bus_x=$GX; bus_y=$GY; bus_h=$GH
e2e_geometry "$PANEL_WIN"; panel_x=$GX; panel_y=$GY
check "bus window at the screen's top-left" test "$bus_x,$bus_y" = "0,0"
check "panel directly below the bus window" test "$panel_x,$panel_y" = "0,$bus_h"

before=$(e2e_window_count)
e2e_click_twips 3000 2800 1
sleep 0.5
check "a left click on the background opens no menu" test "$(e2e_window_count)" -eq "$before"
e2e_click_twips 3000 2800 3
sleep 0.5
check "a right click on the background opens the popup menu" test "$(e2e_window_count)" -gt "$before"
xdotool key Escape
sleep 0.3
check "Escape closes the menu" test "$(e2e_window_count)" -eq "$before"

# The default sign: yellow arrowheads on a dark face inside the sign box.
e2e_screenshot "$E2E_DIR/start.png"
sign_pixels=$(convert "$E2E_DIR/start.png" -crop "52x32+$((CX + 295))+$((CY + 45))" -fuzz 25% \
  -fill black +opaque '#ffd000' -format '%[fx:mean*w*h]' info: 2>/dev/null || echo 0)
check "the default sign shows yellow on its face" awk "BEGIN{exit !($sign_pixels > 20)}"

# Closing the bus window ends the process, panel included.
e2e_click_twips 3000 2800 1
xdotool key alt+F4 2>/dev/null || true
for _ in $(seq 50); do e2e_running || break; sleep 0.1; done
check "closing the bus window ends the process" bash -c "! kill -0 $E2E_PID 2>/dev/null"
check "no window is left" e2e_window_gone "設定パネル"

e2e_finish
