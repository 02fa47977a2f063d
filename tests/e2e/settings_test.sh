#!/usr/bin/env bash
# The settings file as a user meets it: written at close, restored at the next start, kept when
# pictures are gone or windows would be out of reach, and left alone when it cannot be written.
# Files written for the check are in data/; @DIR@ stands for the test folder.
. "$(dirname "$0")/lib.sh"
DATA="$(cd "$(dirname "$0")" && pwd)/data"
INI="$E2E_DIR/rumona.ini"
WIN_DIR="Z:${E2E_DIR//\//\\}"

# A data file with its placeholders filled in (byte for byte otherwise).
fill() {
  perl -pe 'BEGIN { ($d, $h, $x, $y) = splice(@ARGV, 0, 4) }
            s/\@DIR\@/$d/g; s/\@BUSH\@/$h/g; s/\@PANELX\@/$x/g; s/\@PANELY\@/$y/g' \
    "$WIN_DIR" "${BUS_H_TW:-}" "${PANEL_X_TW:-}" "${PANEL_Y_TW:-}" "$DATA/$1"
}

# By the close box of the caption Wine draws: a key would reach the sign, which stores its "\".
close_bus() {
  e2e_point_at $((CX + 754)) $((CY - 10)); xdotool click 1
  for _ in $(seq 100); do e2e_running || break; sleep 0.1; done
  check "$1: closing ends the process" bash -c "! kill -0 $E2E_PID 2>/dev/null"
  E2E_PID=
}

same_file() { cmp -s "$1" "$2" || { echo "  got:      $(cat -A "$1")"; echo "  expected: $(cat -A "$2")"; false; }; }

# Client pixel of the bus window, in twips, as rrggbb.
pixel_twips() { e2e_pixel $(($1 / 15 + CX)) $(($2 / 15 + CY)); }

# 1. First run: no file; the fallback places; all 16 fields written at close.
e2e_install
e2e_start
e2e_geometry "$BUS_WIN"; bus_x=$GX; bus_y=$GY; BUS_H_TW=$((GH * 15))
check "first run: bus window at the top-left" test "$bus_x,$bus_y" = "0,0"
close_bus "first run"
fill settings_first_run.ini >"$E2E_DIR/expected.ini"
check "first run: the fallback record is written" same_file "$INI" "$E2E_DIR/expected.ini"

# 2. A run's settings come back: window places, the board's picture (from a folder with a
# Japanese name) at its place with the frame round it, and they are written back unchanged.
signs="$E2E_DIR/看板表"
mkdir -p "$signs"
convert -size 60x30 xc:'#ff0000' BMP3:"$signs/board.bmp"
convert -size 52x32 xc:'#0000ff' BMP3:"$signs/a.bmp"
fill settings_restore.ini >"$INI"
cp "$INI" "$E2E_DIR/expected.ini"
e2e_start
e2e_geometry "$BUS_WIN"
check "restore: bus window where it was left" test "$GX,$GY" = "81,60"
e2e_geometry "$PANEL_WIN"
check "restore: panel where it was left" test "$GX,$GY" = "81,400"
check "restore: the board shows its picture at its place" \
  test "$(pixel_twips $((3000 + 450)) $((1500 + 225)))" = "ff0000"
check "restore: the frame's left post stands beside the board" \
  test "$(pixel_twips $((3000 - 45)) $((1500 + 225)))" = "e0e0e0"
check "restore: nothing at the board's design place" \
  test "$(pixel_twips $((7425 + 700)) $((1665 + 225)))" != "ff0000"
close_bus "restore"
check "restore: the file is written back byte for byte" same_file "$INI" "$E2E_DIR/expected.ini"

# 3. The board's picture and the sign folder are gone: everything else still applies, the
# board stays white at its place inside its frame, and both paths are kept.
fill settings_missing.ini >"$INI"
cp "$INI" "$E2E_DIR/expected.ini"
e2e_start
e2e_geometry "$BUS_WIN"
check "missing pictures: bus window where it was left" test "$GX,$GY" = "81,60"
e2e_geometry "$PANEL_WIN"
check "missing pictures: panel where it was left" test "$GX,$GY" = "81,400"
check "missing pictures: an empty white board at its place" \
  test "$(pixel_twips $((3000 + 700)) $((1500 + 225)))" = "ffffff"
check "missing pictures: the frame laid round it" \
  test "$(pixel_twips $((3000 - 45)) $((1500 + 225)))" = "e0e0e0"
close_bus "missing pictures"
check "missing pictures: every field written back" same_file "$INI" "$E2E_DIR/expected.ini"

# 4. Places outside every monitor come back onto the screen, as near as they can.
fill settings_offscreen.ini >"$INI"
e2e_start
screen_w=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1] }')
screen_h=$(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[2] }')
e2e_geometry "$BUS_WIN"
check "off screen: bus window back at the left edge, its top kept" test "$GX,$GY" = "0,60"
e2e_geometry "$PANEL_WIN"
check "off screen: panel back in the bottom-right corner" \
  test "$((GX + GW)),$((GY + GH))" = "$screen_w,$screen_h"
PANEL_X_TW=$((GX * 15)) PANEL_Y_TW=$((GY * 15))
close_bus "off screen"
fill settings_offscreen_expected.ini >"$E2E_DIR/expected.ini"
check "off screen: the places it came back to are written" same_file "$INI" "$E2E_DIR/expected.ini"

# 5. A write that cannot be done (here the new file's place is taken by a folder) leaves the old
# file exactly as it was, and the program still ends.
fill settings_readonly.ini >"$INI"
cp "$INI" "$E2E_DIR/expected.ini"
mkdir "$E2E_DIR/rumona.ini.tmp"
e2e_start
e2e_geometry "$BUS_WIN"
check "failed write: the old file was read" test "$GX,$GY" = "81,60"
close_bus "failed write"
check "failed write: the old file is untouched" same_file "$INI" "$E2E_DIR/expected.ini"
check "no window is left" e2e_window_gone "設定パネル"

e2e_finish
