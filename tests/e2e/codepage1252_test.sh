#!/usr/bin/env bash
# On a system whose ANSI code page is 1252 (most Windows outside Japan), in a Wine prefix of its
# own, through the Win32 tests there: the windows' Japanese titles, the folder browser's, and
# paths the code page cannot hold, chosen and still in effect after a restart.
. "$(dirname "$0")/lib.sh"
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
RUMONA_ACP=1252 . "$ROOT/scripts/lib/wine-env.sh"
wine_prefix_ready >/dev/null 2>&1
trap 'e2e_cleanup; wineserver -k >/dev/null 2>&1 || true' EXIT

check "the windows' titles, the folder browser's and chosen paths, through the wide API" \
  wine "$(dirname "$E2E_EXE")/rumona_win_tests.exe" --gtest_brief=1 \
  --gtest_filter='Faces/*/row0:BrowseDir.*:Settings.ChosenPaths*'
e2e_finish
