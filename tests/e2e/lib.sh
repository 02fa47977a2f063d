# shellcheck shell=bash
# End-to-end harness: the real rumona.exe under Wine on the test display, driven with xdotool.
# Sourced by each *_test.sh, which ctest runs with the exe's path as $1, inside the Xvfb and
# Wine environment that scripts/test sets up. Every wait polls a condition and gives up after
# E2E_TIMEOUT seconds (default 20) with a message naming what it waited for.
set -euo pipefail
E2E_EXE=$(readlink -f "$1")
E2E_DIR=$(mktemp -d /tmp/rumona-e2e.XXXXXX)  # the program's folder: exe, library, settings
E2E_PID=
E2E_FAILS=0
# Ends the program if it still runs, and removes its folder.
e2e_cleanup() {
  e2e_running && { kill "$E2E_PID"; E2E_TIMEOUT=5 e2e_wait e2e_ended || kill -9 "$E2E_PID"; }
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# e2e_wait CMD...: runs CMD until it succeeds.
e2e_wait() {
  local deadline=$((SECONDS + ${E2E_TIMEOUT:-20}))
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || { echo "  timed out waiting for: $*" >&2; return 1; }
    sleep 0.1
  done
}

# e2e_install: puts rumona.exe and QMR5Res.dll into the program's folder.
e2e_install() { cp "$E2E_EXE" "$(dirname "$E2E_EXE")/QMR5Res.dll" "$E2E_DIR/"; }
# e2e_start: starts rumona.exe from the program's folder (installing it there first unless it is
# there) and waits for its two windows; BUS and PANEL are their X ids, bx by and px py the
# screen positions of their client areas.
e2e_start() {
  [ -e "$E2E_DIR/rumona.exe" ] || e2e_install
  (cd "$E2E_DIR" && exec wine rumona.exe >/dev/null 2>&1) &
  E2E_PID=$!
  BUS=$(e2e_window "ルモナ　-　rumona")
  PANEL=$(e2e_window "設定パネル")
  read -r bx by < <(e2e_origin "$BUS" 764 216)
  # shellcheck disable=SC2034  # px py: the panel's origin, for the tests that source this
  read -r px py < <(e2e_origin "$PANEL" 263 171)
}

# e2e_find TITLE: the X id of a visible window with exactly this title; fails if there is none.
e2e_find() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .; }
# e2e_window TITLE: waits for that window; prints its X id.
e2e_window() { e2e_wait e2e_find "$1" >/dev/null && e2e_find "$1"; }
e2e_shown() { e2e_find "$1" >/dev/null; }
e2e_absent() { ! e2e_shown "$1"; }
e2e_running() { [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; }
e2e_ended() { ! e2e_running; }

# e2e_geometry WIN: "X Y WIDTH HEIGHT" of a window's outer rectangle on the screen.
e2e_geometry() {
  xdotool getwindowgeometry --shell "$1" | sed -n 's/^\(X\|Y\|WIDTH\|HEIGHT\)=//p' | paste -sd' '
}

# e2e_origin WIN W H: the screen position "X Y" of the client area (W x H pixels) of a window;
# without a window manager Wine draws the frame itself, caption on top, equal borders.
e2e_origin() {
  local x y w h
  read -r x y w h < <(e2e_geometry "$1")
  echo "$((x + (w - $2) / 2)) $((y + h - $3 - (w - $2) / 2))"
}

# e2e_click X Y [BUTTON]: clicks a screen pixel (button 1 unless given); the pointer is moved
# there first unless it is there already (mousemove --sync would wait in vain).
e2e_click() {
  # shellcheck disable=SC2034  # SCREEN WINDOW: set by the eval too, kept local
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [ "$X,$Y" = "$1,$2" ] || xdotool mousemove --sync "$1" "$2" || return
  xdotool click "${3:-1}"
}

# e2e_key KEY...: presses keys; without a window manager they go to the window under the pointer.
e2e_key() { xdotool key "$@"; }
# e2e_key_to WIN KEY...: gives the window the focus first (a dialog that was just opened).
e2e_key_to() { xdotool windowfocus --sync "$1" key "${@:2}"; }

# e2e_pixel X Y: the colour of a screen pixel as rrggbb.
e2e_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null |
    grep -o '#[0-9A-Fa-f]\{6\}' | tail -n1 | tr -d '#' | tr 'A-F' 'a-f'
}
e2e_pixel_is() { [ "$(e2e_pixel "$1" "$2")" = "$3" ]; }
e2e_pixel_not() { [ "$(e2e_pixel "$1" "$2")" != "$3" ]; }
e2e_sign_is() { e2e_pixel_is $((bx + 321)) $((by + 61)) "$1"; }  # the sign's middle

# e2e_close X Y: Alt+F4 on the bus window, clicked first at screen pixel X Y (its background);
# waits until the process has ended.
e2e_close() { e2e_click "$1" "$2" && e2e_key alt+F4 && e2e_wait e2e_ended; }

# check WHAT CMD...: runs CMD and prints the result as one line; e2e_finish sums them up.
check() {
  if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1"; E2E_FAILS=$((E2E_FAILS + 1)); fi
}
e2e_finish() { echo "$E2E_FAILS failed"; [ "$E2E_FAILS" -eq 0 ]; }
