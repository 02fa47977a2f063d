# End-to-end harness: runs a copy of the real rumona.exe under Wine on the test display, finds
# its windows, clicks and types with xdotool, takes screenshots, and always cleans up.
# Sourced by each *_test.sh with the exe's path as $1. Needs DISPLAY and the Wine environment
# that scripts/test sets up.
set -euo pipefail
E2E_EXE_SRC=$(readlink -f "$1")
E2E_DIR=$(mktemp -d /tmp/rumona-e2e.XXXXXX)
E2E_PID=
E2E_FAILS=0
E2E_CHECKS=0

e2e_cleanup() {
  e2e_stop
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

# Installs the exe (under a name, default rumona.exe) and its library into the test folder.
e2e_install() {
  local name=${1:-rumona.exe}
  cp "$E2E_EXE_SRC" "$E2E_DIR/$name"
  local dll
  dll="$(dirname "$E2E_EXE_SRC")/QMR5Res.dll"
  [ -f "$dll" ] && cp "$dll" "$E2E_DIR/" || true
}

# Starts the program; waits until both of its windows are on the display.
e2e_start() {
  local name=${1:-rumona.exe}
  [ -f "$E2E_DIR/$name" ] || e2e_install "$name"
  (cd "$E2E_DIR" && exec wine "$E2E_DIR/$name" >/dev/null 2>&1) &
  E2E_PID=$!
  BUS_WIN=$(e2e_wait_window "ルモナ　-　${name%.exe}")
  PANEL_WIN=$(e2e_wait_window "設定パネル")
  e2e_client_origin
}

e2e_running() { [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; }

# Ends the program if it still runs (it is asked first, then killed).
e2e_stop() {
  if e2e_running; then
    kill "$E2E_PID" 2>/dev/null || true
    for _ in $(seq 50); do e2e_running || break; sleep 0.1; done
    kill -9 "$E2E_PID" 2>/dev/null || true
  fi
  E2E_PID=
}

# Waits (up to 20 s) for a visible window with exactly this title; prints its X id.
e2e_wait_window() {
  local title=$1 id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  echo "e2e: no window titled '$title'" >&2
  return 1
}

e2e_window_gone() {
  local title=$1
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# X geometry of a window: sets GX GY GW GH.
e2e_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1" | sed -n 's/^X=/GX=/p; s/^Y=/GY=/p; s/^WIDTH=/GW=/p; s/^HEIGHT=/GH=/p')"
}

# The bus window's client origin on the screen (Wine draws the frame itself): CX CY.
e2e_client_origin() {
  e2e_geometry "$BUS_WIN"
  local border=$(( (GW - 764) / 2 ))
  CX=$((GX + border))
  CY=$((GY + GH - 216 - border))
}

# Puts the pointer on a screen pixel; `mousemove --sync` would wait in vain when it is there.
e2e_point_at() {
  eval "$(xdotool getmouselocation --shell | sed -n 's/^X=/PTX=/p; s/^Y=/PTY=/p')"
  [ "$PTX,$PTY" = "$1,$2" ] || xdotool mousemove --sync "$1" "$2"
}

# Clicks at a point of the bus window's client area given in twips.
e2e_click_twips() {
  local x=$(( $1 / 15 + CX )) y=$(( $2 / 15 + CY )) button=${3:-1}
  e2e_point_at "$x" "$y"
  xdotool click "$button"
}

e2e_screenshot() { import -window root "$1"; }

# The colour of one screen pixel as rrggbb.
e2e_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | tail -n1 | grep -o '#[0-9A-Fa-f]\{6\}' | tr -d '#' | tr 'A-F' 'a-f'
}

# Counts visible X windows (popup menus are unnamed windows of their own).
e2e_window_count() { xdotool search --onlyvisible --name '' 2>/dev/null | wc -l; }

check() {
  local what=$1
  shift
  E2E_CHECKS=$((E2E_CHECKS + 1))
  if "$@"; then
    echo "ok   - $what"
  else
    echo "FAIL - $what"
    E2E_FAILS=$((E2E_FAILS + 1))
  fi
}

e2e_finish() {
  echo "$((E2E_CHECKS - E2E_FAILS)) passed, $E2E_FAILS failed"
  [ "$E2E_FAILS" -eq 0 ]
}
