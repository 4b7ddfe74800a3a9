# Sourced by the scripts: a Wine prefix inside the build folder, code page 936, and a display.
# Needs ROOT (the checkout) set by the caller.
export WINEPREFIX="${SCOURIX_WINEPREFIX:-$ROOT/build/win/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=zh_CN.UTF-8
# Wine's recycle bin is the XDG trash and its profile folders link into the home folder:
# both live under build/, never the developer's own. Caches stay where they were.
export XDG_CACHE_HOME="${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}"
export HOME="$ROOT/build/home"
export XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$XDG_DATA_HOME"
WINE=$(command -v wine64 || true)
[ -n "$WINE" ] || WINE=/usr/lib/wine/wine64
export WINE

ensure_display() {
  # A display that is named but does not answer is as good as none.
  if [ -n "${DISPLAY:-}" ] && ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    unset DISPLAY
  fi
  if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:${SCOURIX_XVFB_DISPLAY:-91}
    if ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
      Xvfb "$DISPLAY" -screen 0 "${SCOURIX_XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
      XVFB_PID=$!
      for _ in $(seq 50); do xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 && break; sleep 0.1; done
    fi
  fi
}

ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix $WINEPREFIX"
    "$WINE" wineboot --init >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Wine links the profile's Desktop, Documents, ... into the home folder it was made
  # with: a prefix made with the developer's home is pointed at this one.
  local link
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then
      case "$(readlink "$link")" in "$HOME"|"$HOME"/*) ;; *) ln -sfn "$HOME" "$link" ;; esac
    fi
  done
  # Caption buttons are drawn with Marlett; this Wine does not find Debian's copy itself.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ ! -f "$fonts/marlett.ttf" ]; then
    mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 || true
}
