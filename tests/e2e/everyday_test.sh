#!/usr/bin/env bash
# Everyday use of the bus window: the sign keys answer again whenever the window is activated
# again, keys with Alt reach the sign, the menu answers the keyboard, and closing or the end of
# the session keeps the settings.
. "$(dirname "$0")/lib.sh"
INI="$E2E_DIR/rumona.ini"
signs="$E2E_DIR/signs"
mkdir "$signs"
for f in a:f00 b:0f0 c:00f; do convert -size 52x32 "xc:#${f#*:}" "BMP3:$signs/${f%:*}.bmp"; done
winpath="Z:${signs//\//\\}"
record() {  # no field as the fallback has it; only the folder and the option vary
  printf '1215,900,1215,4500,"%s","",0,0,"",7425,1665,#TRUE#,#TRUE#,123,456,%s\r\n' "$@"
}
record "$winpath" 0 >"$INI"

# Presses a key and waits for the sign to turn to a colour it did not show before.
key_shows() { ! e2e_sign_is "$2" && e2e_key "$1" && e2e_wait e2e_sign_is "$2"; }
default_sign() { import -window root -crop "52x32+$((bx + 295))+$((by + 45))" png:- |
  compare -metric AE - "$(dirname "$0")/../../assets/sign_default.bmp" null: 2>/dev/null; }
keypad_7() { e2e_click $((px + 173)) $((py + 53)); }
# Opens the menu with the keys given, chooses its first item "看板の表示" with Down and Return,
# and waits for the signboard to go or come back.
board_turns() {
  local x=$((bx + 540)) y=$((by + 125)) was
  was=$(e2e_pixel "$x" "$y")
  e2e_key "$@" Down Return && e2e_wait e2e_pixel_not "$x" "$y" "$was"
}

e2e_start
e2e_click $((bx + 300)) $((by + 47))
check "Down on the sign shows b" key_shows Down 00ff00
keypad_7
e2e_click $((bx + 200)) $((by + 186))
check "after the panel, a click on the background gives the sign its keys" key_shows Down 0000ff
keypad_7
e2e_click $((bx + 400)) $((by - 10))  # the caption Wine draws
check "after the panel, a click on the title bar gives them back too" key_shows Up 00ff00
check "Alt+Up steps the sign too" key_shows alt+Up ff0000
check "the Menu key opens the menu, whose keys hide the signboard" board_turns Menu
check "Shift+F10 opens it too, and the board shows again" board_turns shift+F10
e2e_key shift+F10 Escape
check "Esc closes it and the sign has its keys again" key_shows Down 00ff00
e2e_key alt+F4
check "Alt+F4 closes the bus window" e2e_wait e2e_ended
check "closing wrote the folder with the steps' separator" cmp -s "$INI" <(record "$winpath\\" 0)

echo broken >"$signs/a.bmp"
e2e_start
check "an unreadable first picture leaves the default sign" e2e_wait default_sign
e2e_click $((px + 122)) $((py + 116))  # "右"
e2e_click $((bx + 300)) $((by + 47))
check "Down then shows b, once the panel has had the click" key_shows Down 00ff00
timeout 60 wineboot --end-session
check "the end of the session ends the program" e2e_wait e2e_ended
check "it wrote the run's settings: 右's option, the rest as read despite the first picture" \
  cmp -s "$INI" <(record "$winpath\\" 2)
e2e_finish
