#!/usr/bin/env bash
# The real program as a user meets it, in one run: it starts where the settings file beside it
# says, with that file's sign folder and board picture; the version dialog's link reaches the
# web browser, and closing writes the settings file.
. "$(dirname "$0")/lib.sh"

# Japanese names (表 ends in the byte of "\" in Shift-JIS): a sign folder of two pictures in the
# name order a, B, and the board's picture beside it.
signs="$E2E_DIR/看板表"
mkdir "$signs"
convert -size 52x32 xc:'#ff0000' "BMP3:$signs/a.bmp"
convert -size 52x32 xc:'#00ff00' "$signs/B.gif"
convert -size 60x30 xc:'#ff00ff' "BMP3:$E2E_DIR/看板.bmp"
win_dir="Z:${E2E_DIR//\//\\}"

# settings FOLDER LEFT TOP: the record, the board at LEFT TOP twips, in the ANSI code page.
settings() {
  printf '1215,900,1215,6000,"%s","rsv",-7,123456,"%s\\看板.bmp",%s,%s,#TRUE#,#TRUE#,1234,4321,2\r\n' \
    "$1" "$win_dir" "$2" "$3" | iconv -f utf-8 -t cp932
}
settings "$win_dir\\看板表" 3000 1500 >"$E2E_DIR/rumona.ini"

# Wine hands web addresses to the programs listed here: for this run, a script that notes them.
browsers='HKCU\Software\Wine\WineBrowser'
# shellcheck disable=SC2016  # the $1 is the written script's own
printf '#!/bin/sh\necho "$1" >>%s/browser.log\n' "$E2E_DIR" >"$E2E_DIR/browser.sh"
chmod +x "$E2E_DIR/browser.sh"
wine reg add "$browsers" /v Browsers /d "$E2E_DIR/browser.sh" /f >/dev/null 2>&1
trap 'wine reg delete "$browsers" /v Browsers /f >/dev/null 2>&1; e2e_cleanup' EXIT

e2e_start
at() { e2e_geometry "$1" | cut -d' ' -f1,2; }
check "both windows stand where the settings file put them" \
  test "$(at "$BUS"), $(at "$PANEL")" = "81 60, 81 400"
check "the sign shows the folder's first picture" e2e_wait e2e_sign_is ff0000
check "the board shows its picture at its place" \
  e2e_wait e2e_pixel_is $((bx + 230)) $((by + 115)) ff00ff

address=$(grep -aoE -m1 'https?://[!-~]+' "$E2E_DIR/QMR5Res.dll")
e2e_click $((px + 98)) $((py + 155))  # "バージョン情報"
dialog=$(e2e_window "ルモナのバージョン情報")
read -r dx dy < <(e2e_origin "$dialog" 333 223)
e2e_click $((dx + 60)) $((dy + 206))  # the link line
check "the link hands the library's address to the browser" \
  e2e_wait grep -qxF "$address" "$E2E_DIR/browser.log"
e2e_key_to "$dialog" Return
check "Enter closes the version dialog" e2e_wait e2e_absent "ルモナのバージョン情報"

check "closing the bus window ends the program" e2e_close $((bx + 200)) $((by + 186))
settings "$win_dir\\看板表\\" 3000 1500 >"$E2E_DIR/expected.ini"
check "closing wrote the file: the folder with the separator that Alt+F4 on the sign stored" \
  cmp "$E2E_DIR/rumona.ini" "$E2E_DIR/expected.ini"
e2e_finish
