#!/usr/bin/env bash
# The version dialog as a user meets it: opened from the panel, its look, the link handed to the
# web browser, the error box when the maker's library is missing, Enter and Esc.
. "$(dirname "$0")/lib.sh"

# Wine hands a web address to the programs listed here; for this test only, that is a script
# that records it. The prefix is shared with the other tests, so the old setting comes back.
BROWSER_KEY='HKCU\Software\Wine\WineBrowser'
OLD_BROWSERS=$(wine reg query "$BROWSER_KEY" /v Browsers 2>/dev/null | iconv -f sjis -t utf-8 |
  sed -n 's/^ *Browsers *REG_SZ *//p' | tr -d '\r') || OLD_BROWSERS=
restore_browsers() {
  if [ -n "$OLD_BROWSERS" ]; then
    wine reg add "$BROWSER_KEY" /v Browsers /t REG_SZ /d "$OLD_BROWSERS" /f
  else
    wine reg delete "$BROWSER_KEY" /v Browsers /f
  fi
}
trap 'restore_browsers >/dev/null 2>&1 || true; e2e_cleanup' EXIT

BROWSER_LOG="$E2E_DIR/browser.log"
cat >"$E2E_DIR/browser.sh" <<EOF
#!/bin/sh
printf '%s\n' "\$@" >>"$BROWSER_LOG"
EOF
chmod +x "$E2E_DIR/browser.sh"
: >"$BROWSER_LOG"
wine reg add "$BROWSER_KEY" /v Browsers /t REG_SZ /d "$E2E_DIR/browser.sh" /f >/dev/null 2>&1

TITLE="ルモナのバージョン情報"
ERROR_TITLE="Nubhpurl.dllのエラー"

# Clicks the panel's "バージョン情報" button and waits for the dialog; sets DLG, DX, DY (client
# origin on the screen).
click_version_button() {
  e2e_geometry "$PANEL_WIN"
  local border=$(( (GW - 263) / 2 ))
  e2e_point_at $(( GX + border + (720 + 1515 / 2) / 15 )) \
    $(( GY + GH - 171 - border + (2145 + 360 / 2) / 15 ))
  xdotool click 1
}
open_dialog() {
  click_version_button
  DLG=$(e2e_wait_window "$TITLE") || return 1
  e2e_geometry "$DLG"
  local border=$(( (GW - 333) / 2 ))
  DX=$((GX + border))
  DY=$((GY + GH - 223 - border))
  sleep 0.3  # let it paint before pixels are read
}

dialog_click_twips() { e2e_point_at $(( $1 / 15 + DX )) $(( $2 / 15 + DY )); xdotool click 1; }
dialog_pixel_twips() { e2e_pixel $(( $1 / 15 + DX )) $(( $2 / 15 + DY )); }
# Crops a control's rectangle (twips) out of a screenshot.
crop_twips() {
  convert "$1" -crop "$(( $4 / 15 ))x$(( $5 / 15 ))+$(( $2 / 15 + DX ))+$(( $3 / 15 + DY ))" +repage "$6"
}
count_colour() {  # file colour: how many pixels have exactly that colour
  convert "$1" -fill black +opaque "#$2" -fill white -opaque "#$2" -format '%[fx:mean*w*h]' info:
}
dialog_count() { xdotool search --onlyvisible --name "^${TITLE}\$" 2>/dev/null | wc -l; }
press_in() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }
wait_for_lines() {  # file n: waits up to 20 s until the file has n lines
  for _ in $(seq 200); do
    [ "$(wc -l <"$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  return 1
}

# --- With the maker's library beside the exe.
e2e_start
check "the panel's button opens the dialog" open_dialog
e2e_screenshot "$E2E_DIR/dialog.png"
check "white background" test "$(dialog_pixel_twips 4900 2000)" = ffffff
check "labels on dark grey" test "$(dialog_pixel_twips 4700 300)" = 4e4e4e
check "the bar above the link is not white" test "$(dialog_pixel_twips 2400 2865)" != ffffff
crop_twips "$E2E_DIR/dialog.png" 285 165 480 480 "$E2E_DIR/icon.png"
icon_white=$(count_colour "$E2E_DIR/icon.png" ffffff)
check "the bus icon is drawn" awk "BEGIN{exit !($icon_white < 800)}"
crop_twips "$E2E_DIR/dialog.png" 240 2985 3315 225 "$E2E_DIR/link.png"
link_blue=$(count_colour "$E2E_DIR/link.png" 0000ff)
check "the link line is blue text on white" \
  awk "BEGIN{exit !($link_blue > 100 && $(count_colour "$E2E_DIR/link.png" ffffff) > 1000)}"
crop_twips "$E2E_DIR/dialog.png" 165 720 4605 270 "$E2E_DIR/model-rumona.png"
crop_twips "$E2E_DIR/dialog.png" 165 1035 3225 225 "$E2E_DIR/version-rumona.png"

# Modal: the panel is disabled while the dialog is open.
click_version_button
sleep 0.5
check "the panel cannot open a second dialog" test "$(dialog_count)" -eq 1

# The address the library holds, read from the library file itself.
address=$(strings -n 8 "$E2E_DIR/QMR5Res.dll" | grep -m1 -E '^https?://' || true)
check "the library holds a web address" test -n "$address"
dialog_click_twips 900 3090
check "a click on the link hands the address to the browser" wait_for_lines "$BROWSER_LOG" 1
check "the browser got exactly the library's address" test "$(head -n1 "$BROWSER_LOG")" = "$address"
check "the dialog stays open after the link" test "$(dialog_count)" -eq 1
sleep 0.7  # a second press within the double-click time is a double click, not a click
dialog_click_twips 900 3090
check "the link works again" wait_for_lines "$BROWSER_LOG" 2

press_in "$DLG" Return
check "Enter presses OK" e2e_window_gone "$TITLE"
open_dialog
press_in "$DLG" Escape
check "Esc presses OK too" e2e_window_gone "$TITLE"
check "the program still runs" e2e_running
e2e_stop

# --- Another name for the exe, and no library beside it.
rm -f "$E2E_DIR/QMR5Res.dll"
cp "$E2E_EXE_SRC" "$E2E_DIR/basu.exe"
e2e_start basu.exe
check "the renamed program opens the dialog" open_dialog
e2e_screenshot "$E2E_DIR/dialog-basu.png"
crop_twips "$E2E_DIR/dialog-basu.png" 165 720 4605 270 "$E2E_DIR/model-basu.png"
crop_twips "$E2E_DIR/dialog-basu.png" 165 1035 3225 225 "$E2E_DIR/version-basu.png"
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
not_same() { ! same "$1" "$2"; }
check "the model line follows the exe's name" \
  not_same "$E2E_DIR/model-rumona.png" "$E2E_DIR/model-basu.png"
check "the version line stays as it was" same "$E2E_DIR/version-rumona.png" "$E2E_DIR/version-basu.png"

lines_before=$(wc -l <"$BROWSER_LOG")
dialog_click_twips 900 3090
box=$(e2e_wait_window "$ERROR_TITLE" || true)
check "without the library the link shows the error box" test -n "$box"
[ -n "$box" ] && e2e_screenshot "$E2E_DIR/error.png"
check "nothing reaches the browser" test "$(wc -l <"$BROWSER_LOG")" -eq "$lines_before"
[ -n "$box" ] && press_in "$box" Return
check "Enter closes the error box" e2e_window_gone "$ERROR_TITLE"
check "the dialog stays open after the error" test "$(dialog_count)" -eq 1
press_in "$DLG" Escape
check "then Esc closes the dialog" e2e_window_gone "$TITLE"
check "the program still runs" e2e_running

# Kept for a look when asked: RUMONA_E2E_KEEP=folder.
if [ -n "${RUMONA_E2E_KEEP:-}" ]; then
  mkdir -p "$RUMONA_E2E_KEEP"
  cp "$E2E_DIR"/*.png "$RUMONA_E2E_KEEP"/
fi

e2e_finish
