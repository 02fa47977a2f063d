# shellcheck shell=bash
# Sourced by the scripts: the project's own Wine prefix, Japanese locale (ANSI code page 932),
# quiet Wine, and helpers for a private X display. ROOT must be set to the repository.
# RUMONA_ACP=1252 gives a prefix of its own whose ANSI code page is 1252, as on most Windows
# outside Japan (the C locale; the Japanese fonts are mapped there too).
# RUMONA_DPI=144 or 192 (or any other LogPixels) gives each of those prefixes a twin of its own
# at that display DPI, named with a "-dpi144" ending; 96 is the plain prefix.
# The tests' prefixes see only the fonts that scripts/setup unpacks into build/test-fonts, whatever
# the machine has. RUMONA_FONTS=droid gives a prefix of its own ("-droid") without the font
# substitutes whose only Japanese face is Droid Sans Fallback, which has no Latin letters.
: "${ROOT:?}"
export BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
# Two prefixes: the tests' windows are unmanaged (fast without a window manager); a desktop run
# (RUMONA_WINDOWS=managed, set by scripts/run) lets the window manager frame them and list them.
RUMONA_WINDOWS="${RUMONA_WINDOWS:-unmanaged}"
RUMONA_DPI="${RUMONA_DPI:-96}"
if [ "${RUMONA_ACP:-932}" = 1252 ]; then
  WINEPREFIX="$BUILD_DIR/wineprefix-1252"
elif [ "$RUMONA_WINDOWS" = managed ]; then
  WINEPREFIX="$BUILD_DIR/wineprefix-desktop"
else
  WINEPREFIX="$BUILD_DIR/wineprefix"
fi
[ "$RUMONA_DPI" = 96 ] || WINEPREFIX+="-dpi$RUMONA_DPI"
RUMONA_FONTS="${RUMONA_FONTS:-standard}"
if [ "$RUMONA_WINDOWS" = unmanaged ]; then
  [ "$RUMONA_FONTS" = standard ] || WINEPREFIX+="-$RUMONA_FONTS"
  # Wine lists the fonts fontconfig gives it, and keeps them in the prefix from then on.
  export FONTCONFIG_FILE="$BUILD_DIR/test-fonts/$RUMONA_FONTS.conf"
fi
export WINEPREFIX="${RUMONA_WINEPREFIX:-$WINEPREFIX}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "${RUMONA_ACP:-932}" = 1252 ]; then
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
else
  export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
fi
export WINEARCH=win64

# Creates the prefix once and maps the Windows Japanese font names to the IPA fonts. The stamp
# holds the version of these settings: a prefix made by an older script is brought up to date.
wine_prefix_ready() {
  local stamp="$WINEPREFIX/.rumona-ready"
  local settings_version="5 $RUMONA_WINDOWS $RUMONA_DPI $RUMONA_FONTS"
  if [ -n "${FONTCONFIG_FILE:-}" ]; then
    mkdir -p "$(dirname "$FONTCONFIG_FILE")"
    test_fonts_config >"$FONTCONFIG_FILE"
  fi
  [ "$(cat "$stamp" 2>/dev/null)" = "$settings_version" ] && return 0
  # A prefix keeps every font it was once shown: one of ours made with older settings is made anew.
  case "$WINEPREFIX" in "$BUILD_DIR"/*) rm -rf "$WINEPREFIX" ;; esac
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
  local pair
  # The droid prefix has none: a Windows without the Japanese faces the program names.
  local pairs=("ＭＳ Ｐゴシック=IPAPGothic" "ＭＳ ゴシック=IPAGothic" "ＭＳ 明朝=IPAMincho"
    "ＭＳ Ｐ明朝=IPAPMincho" "MS Shell Dlg=IPAPGothic" "MS Shell Dlg 2=IPAPGothic"
    "MS UI Gothic=IPAPGothic" "MS PGothic=IPAPGothic" "MS Gothic=IPAGothic"
    "Tahoma=IPAPGothic" "MS Sans Serif=IPAPGothic")
  [ "$RUMONA_FONTS" = standard ] || pairs=()
  for pair in "${pairs[@]}"; do
    wine reg add "$key" /v "${pair%%=*}" /t REG_SZ /d "${pair#*=}" /f >/dev/null 2>&1
  done
  # Wine draws the caption buttons of the title bars it draws itself as letters of its Marlett
  # font. Debian's Wine does not load the fonts that fonts-wine puts in /usr/share/wine/fonts, so
  # without a copy in the prefix a close box shows the letter "r".
  local marlett=/usr/share/wine/fonts/marlett.ttf
  [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"
  # Without a window manager Wine waits 2 s for one at every hide; unmanaged windows do not.
  local managed=N
  [ "$RUMONA_WINDOWS" = managed ] && managed=Y
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d $managed /f >/dev/null 2>&1
  # Windows shows a window's contents while it is dragged; Wine's default is an outline.
  wine reg add 'HKCU\Control Panel\Desktop' /v DragFullWindows /t REG_SZ /d 1 /f >/dev/null 2>&1
  # The display's DPI, which system metrics, fonts and GetDpiForSystem follow.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$RUMONA_DPI" /f \
    >/dev/null 2>&1
  wineserver -w
  echo "$settings_version" >"$stamp"
}

# The fontconfig configuration of a test prefix's fonts: the IPA fonts that scripts/setup installs
# and the test fonts it unpacks; RUMONA_FONTS=droid, Droid Sans Fallback alone.
test_fonts_config() {
  local dirs=("$BUILD_DIR/test-fonts/droid")
  [ "$RUMONA_FONTS" = droid ] || dirs+=(/usr/share/fonts/opentype/ipafont-gothic
    /usr/share/fonts/opentype/ipafont-mincho "$BUILD_DIR/test-fonts/noto")
  echo '<?xml version="1.0"?>'
  echo '<!DOCTYPE fontconfig SYSTEM "fonts.dtd">'
  echo '<fontconfig>'
  printf '  <dir>%s</dir>\n' "${dirs[@]}"
  echo "  <cachedir>$BUILD_DIR/test-fonts/cache</cachedir>"
  echo '</fontconfig>'
}

# other_prefix_ready NAME=VALUE...: makes ready the prefix those settings select (for example
# RUMONA_DPI=192), in a shell of its own, so that this one keeps its prefix.
other_prefix_ready() {
  # shellcheck disable=SC2016  # $ROOT is the inner shell's
  env "$@" ROOT="$ROOT" bash -c '. "$ROOT/scripts/lib/wine-env.sh" && wine_prefix_ready'
}

# Starts Xvfb on a free display (XVFB_SCREEN: its size; unless given 2560x1600x24, room for the windows at 200 %) and exports
# DISPLAY; XVFB_PID is set for stop_xvfb.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-2560x1600x24}" -nolisten tcp 3>"$fifo" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  local num
  if ! read -r -t 20 num <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$num"
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
}
