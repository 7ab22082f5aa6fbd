# Sourced by the test and demo commands: a private Wine prefix on a private X
# display, with everything started here stopped again when the shell exits.
#
#   wine_session_start PREFIX   starts Xvfb and a persistent wineserver, boots
#                               (and on first use creates) the prefix
#   wine_session_stop           stops both; registered as an EXIT trap

wine_session_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEARCH=win64
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
  # No Mono or Gecko download prompts while the prefix is created.
  export WINEDLLOVERRIDES="mscoree,mshtml="

  local displayfile
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  WINE_SESSION_XVFB=$!
  trap wine_session_stop EXIT
  local i
  for i in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"

  local fresh=0
  [ -f "$WINEPREFIX/system.reg" ] || fresh=1
  mkdir -p "$WINEPREFIX"
  # The first Wine process starts background services that inherit its output;
  # booting here with output to /dev/null keeps them off ctest's pipes.
  wineserver -p
  wine wineboot -i >/dev/null 2>&1
  # A crashing test ends at once instead of waiting in Wine's debugger.
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
  if [ $fresh -eq 1 ]; then
    # Wine's virtual desktop draws captions without a window manager and
    # handles activation and focus as Windows does.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
    wineserver -k
    wineserver -w
    wineserver -p
    wine wineboot >/dev/null 2>&1
  fi
}

wine_session_stop() {
  trap - EXIT
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -n "${WINE_SESSION_XVFB:-}" ]; then
    kill "$WINE_SESSION_XVFB" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB" 2>/dev/null || true
    WINE_SESSION_XVFB=
  fi
}
