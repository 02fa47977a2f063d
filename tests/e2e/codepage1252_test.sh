#!/usr/bin/env bash
# On a system whose ANSI code page is 1252 (most Windows outside Japan), in a Wine prefix of its
# own: the folder browser's Japanese title and paths the code page cannot hold, through the
# Win32 tests there; then the real program, whose windows carry their Japanese titles, takes a
# sign folder typed into the chooser and shows it again after a restart. (The folder's name is
# ASCII: xdotool's typing of Japanese into Wine under this locale lost characters now and then.)
. "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
RUMONA_ACP=1252 . "$ROOT/scripts/lib/wine-env.sh"
wine_prefix_ready >/dev/null 2>&1
trap 'e2e_cleanup; wineserver -k >/dev/null 2>&1 || true' EXIT

check "the folder browser's title and chosen paths, through the wide API (Win32 tests)" \
  wine "$(dirname "$E2E_EXE")/rumona_win_tests.exe" --gtest_brief=1 \
  --gtest_filter='BrowseDir.TheBrowser*:Settings.ChosenPaths*'

signs="$E2E_DIR/signs"
mkdir "$signs"
convert -size 52x32 xc:'#ff0000' "BMP3:$signs/a.bmp"
e2e_start
e2e_click $((px + 207)) $((py + 155))  # "方向幕フォルダー"
chooser=$(e2e_window "画像の位置")
xdotool windowfocus --sync "$chooser" type "Z:${signs//\//\\}"
e2e_key_to "$chooser" Return
check "Enter closes the chooser" e2e_wait e2e_absent "画像の位置"
e2e_close $((bx + 200)) $((by + 186))
e2e_start
check "after a restart the sign shows that folder's picture still" \
  e2e_wait e2e_sign_is ff0000
e2e_finish
