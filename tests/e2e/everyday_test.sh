#!/usr/bin/env bash
# Everyday use of the bus window: the sign keys answer again whenever the window is activated
# again, keys with Alt reach the sign, and closing or the end of the session keeps the settings.
. "$(dirname "$0")/lib.sh"
INI="$E2E_DIR/rumona.ini"
DEFAULT_SIGN="$(dirname "$0")/../../assets/sign_default.bmp"
signs="$E2E_DIR/signs"
mkdir -p "$signs"
for s in a:ff0000 b:00ff00 c:0000ff; do convert -size 52x32 "xc:#${s#*:}" "BMP3:$signs/${s%:*}.bmp"; done
winpath="Z:${signs//\//\\}"
# A settings record whose fields are not the fallback's; only the folder and the option vary.
record() { printf '1215,900,1215,4500,"%s","",0,0,"",7425,1665,#TRUE#,#TRUE#,123,456,%s\r\n' "$1" "$2"; }
record "$winpath" 0 >"$INI"

within_10s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done; false; }
sign_is() { [ "$(e2e_pixel $((CX + 321)) $((CY + 61)))" = "$1" ]; }
# Presses a key and waits for the sign to turn to a colour it did not show before.
key_shows() { ! sign_is "$2" && xdotool key "$1" && within_10s sign_is "$2"; }
default_sign() {
  [ "$(import -window root -crop "52x32+$((CX + 295))+$((CY + 45))" png:- |
       compare -metric AE - "$DEFAULT_SIGN" null: 2>&1)" = 0 ]
}
ended() { ! e2e_running; }
panel_origin() { e2e_geometry "$PANEL_WIN"; local b=$(((GW - 263) / 2)); PX=$((GX + b)) PY=$((GY + GH - 171 - b)); }
panel_click_twips() { panel_origin; e2e_point_at $(($1 / 15 + PX)) $(($2 / 15 + PY)); xdotool click 1; }
keypad_7() { panel_click_twips $((2265 + 75 + 255)) $((600 + 195)); }
# The dot of the option "両方", which leaves it once another option has been chosen.
both_dot() { import -window root -crop "16x18+$((PX + 10))+$((PY + 108))" png:- | md5sum; }
both_dot_left() { [ "$(both_dot)" != "$before" ]; }

e2e_start
check "the folder's first picture is the sign at start" within_10s sign_is ff0000
e2e_click_twips 4500 700
check "Down on the sign shows b" key_shows Down 00ff00
keypad_7
e2e_click_twips 3000 2800
check "after the panel, a click on the background gives the keys back to the sign" key_shows Down 0000ff
keypad_7
e2e_point_at $((CX + 400)) $((CY - 10)); xdotool click 1  # on the caption Wine draws
check "after the panel, a click on the title bar gives them back too" key_shows Up 00ff00
check "Alt+Up steps the sign too" key_shows alt+Up ff0000
xdotool key alt+F4
check "Alt+F4 closes the bus window" within_10s ended
check "closing wrote the folder with the separator the steps added" cmp -s "$INI" <(record "$winpath\\" 0)

echo broken >"$signs/a.bmp"
e2e_start
e2e_geometry "$BUS_WIN"
check "an unreadable first picture keeps the other settings" test "$GX,$GY" = "81,60"
check "and the default sign" within_10s default_sign
panel_origin && before=$(both_dot)
panel_click_twips $((30 + 60 + 1470 + 277)) $((30 + 1410 + 165 + 135))  # "右"
check "右 is chosen on the panel" within_10s both_dot_left
timeout 60 wineboot --end-session
check "the end of the session ends the program" within_10s ended
check "the end of the session wrote the run's settings, 右's option among them" cmp -s "$INI" <(record "$winpath\\" 2)
e2e_finish
