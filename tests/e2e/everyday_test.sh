#!/usr/bin/env bash
# Everyday use of the bus window: the sign keys answer again whenever the window is activated
# again, keys with Alt reach the sign, and closing or the end of the session keeps the settings.
. "$(dirname "$0")/lib.sh"
INI="$E2E_DIR/rumona.ini"
signs=$(mktemp -d "$E2E_DIR/signs.XXXXXX")
for f in a:f00 b:0f0 c:00f; do convert -size 52x32 "xc:#${f#*:}" "BMP3:$signs/${f%:*}.bmp"; done
winpath="Z:${signs//\//\\}"
record() {  # no field as the fallback has it; only the folder and the option vary
  printf '1215,900,1215,4500,"%s","",0,0,"",7425,1665,#TRUE#,#TRUE#,123,456,%s\r\n' "$@"
}
record "$winpath" 0 >"$INI"

within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; false; }
sign_is() { [ "$(e2e_pixel $((CX + 321)) $((CY + 61)))" = "$1" ]; }
# Presses a key and waits for the sign to turn to a colour it did not show before.
key_shows() { ! sign_is "$2" && xdotool key "$1" && within_10s sign_is "$2"; }
default_sign() { import -window root -crop "52x32+$((CX + 295))+$((CY + 45))" png:- |
  compare -metric AE - "$(dirname "$0")/../../assets/sign_default.bmp" null: 2>/dev/null; }
ended() { ! e2e_running; }
panel_click_twips() {  # as e2e_click_twips, on the panel
  e2e_geometry "$PANEL_WIN"
  local b=$(((GW - 263) / 2))
  local CX=$((GX + b)) CY=$((GY + GH - 171 - b))
  e2e_click_twips "$1" "$2"
}
keypad_7() { panel_click_twips $((2265 + 75 + 255)) $((600 + 195)); }

e2e_start
e2e_click_twips 4500 700
check "Down on the sign shows b" key_shows Down 00ff00
keypad_7
e2e_click_twips 3000 2800
check "after the panel, a click on the background gives the sign its keys" key_shows Down 0000ff
keypad_7
e2e_point_at $((CX + 400)) $((CY - 10)); xdotool click 1  # the caption Wine draws
check "after the panel, a click on the title bar gives them back too" key_shows Up 00ff00
check "Alt+Up steps the sign too" key_shows alt+Up ff0000
xdotool key alt+F4
check "Alt+F4 closes the bus window" within_10s ended
check "closing wrote the folder with the steps' separator" cmp -s "$INI" <(record "$winpath\\" 0)

echo broken >"$signs/a.bmp"
e2e_start
check "an unreadable first picture leaves the default sign" within_10s default_sign
panel_click_twips $((30 + 60 + 1470 + 277)) $((30 + 1410 + 165 + 135))  # "右"
e2e_click_twips 4500 700
check "Down then shows b, once the panel has had the click" key_shows Down 00ff00
timeout 60 wineboot --end-session
check "the end of the session ends the program" within_10s ended
check "it wrote the run's settings: 右's option, the rest as read despite the first picture" \
  cmp -s "$INI" <(record "$winpath\\" 2)
e2e_finish
