#!/usr/bin/env bash
# Libraries that the program loads at their first use cannot be loaded (here Wine is told not to
# load them): the call that needs one fails as it can fail on any system, and the program
# carries on. winmm plays the door sounds, which then fail silently; shell32 opens the version
# dialog's link, which then shows its error box.
. "$(dirname "$0")/lib.sh"
# Wine's first window in this prefix after the code-page test's run calls shell32 itself (seen:
# SHGetDesktopFolder, which then aborts the program): a program with every library goes first.
wine rundll32.exe </dev/null >/dev/null 2>&1 || true
WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winmm,shell32=d" e2e_start
leaf=$(e2e_pixel $((bx + 395)) $((by + 100)))  # the middle door's left leaf, closed
e2e_click $((px + 30)) $((py + 75))  # the middle door's button: the buzzer, then the leaves
check "without its buzzer the middle door opens" \
  e2e_wait e2e_pixel_not $((bx + 395)) $((by + 100)) "$leaf"
e2e_click $((px + 30)) $((py + 75))
check "and closes again" e2e_wait e2e_pixel_is $((bx + 395)) $((by + 100)) "$leaf"
e2e_click $((px + 98)) $((py + 155))  # "バージョン情報"
dialog=$(e2e_window "ルモナのバージョン情報")
read -r dx dy < <(e2e_origin "$dialog" 333 223)
e2e_click $((dx + 60)) $((dy + 206))  # the link line
check "the version dialog's link shows its error box" e2e_wait e2e_shown "Nubhpurl.dllのエラー"
e2e_finish
