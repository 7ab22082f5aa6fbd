# Sourced by the test, demo, benchmark and gallery commands: private Wine
# prefixes on private X displays, with everything started here stopped (and
# every throwaway prefix removed) again when the shell exits.
#
#   wine_display_start           starts an Xvfb; sets WINE_SESSION_DISPLAY (":N")
#   wine_prefix_start PREFIX D   boots (and on first use creates) PREFIX with a
#                                persistent wineserver, for display D
#   wine_session_start PREFIX [D]
#                                both (on display D when given, else on a new
#                                Xvfb), and exports WINEPREFIX and DISPLAY
#   wine_throwaway_session NAME [D]
#                                the same in a new prefix /tmp/vexlo-NAME-XXXXXX
#                                that wine_session_stop removes
#   wine_throwaway_run NAME TARGETS PROGRAM [ARGS...]
#                                builds TARGETS (one word, names separated by
#                                blanks), runs build/bin/PROGRAM with ARGS in a
#                                throwaway session NAME (on WINE_RUN_DISPLAY
#                                when set, else a private Xvfb; with a second
#                                disk when WINE_RUN_SECOND_DISK is set), stops
#                                the session and answers PROGRAM's status
#   wine_second_disk PREFIX      gives PREFIX a drive D: on another file system
#                                (a folder in /dev/shm that wine_session_stop
#                                removes), so that a move between C: and D:
#                                is no rename, as between two disks
#   wine_session_stop            stops all of them; registered as an EXIT trap

WINE_SESSION_PIDS=()
WINE_SESSION_PREFIXES=()
WINE_SESSION_THROWAWAY=()
WINE_SESSION_DISKS=()

wine_common_environment() {
  export WINEDEBUG=-all
  export WINEARCH=win64
  export LANG=zh_CN.UTF-8
  export LC_ALL=zh_CN.UTF-8
  # No Mono or Gecko download prompts while a prefix is created.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

wine_display_start() {
  local displayfile i
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  WINE_SESSION_PIDS+=($!)
  trap wine_session_stop EXIT
  for i in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  WINE_SESSION_DISPLAY=":$(head -n1 "$displayfile")"
  rm -f "$displayfile"
}

wine_prefix_start() {
  WINE_SESSION_PREFIXES+=("$1")
  trap wine_session_stop EXIT
  wine_prefix_boot "$1" "$2"
}

wine_prefix_boot() (
  export WINEPREFIX=$1 DISPLAY=$2
  wine_common_environment
  local fresh=0
  [ -f "$WINEPREFIX/system.reg" ] || fresh=1
  mkdir -p "$WINEPREFIX"
  # The first Wine process starts background services that inherit its output;
  # booting here with output to /dev/null keeps them off ctest's pipes.
  wineserver -p
  wine wineboot -i >/dev/null 2>&1
  # A crashing program ends at once instead of waiting in Wine's debugger.
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1 || true
  if [ $fresh -eq 1 ] && [ -z "${VEXLO_NO_VIRTUAL_DESKTOP:-}" ]; then
    # Wine's virtual desktop draws captions without a window manager and
    # handles activation and focus as Windows does.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
    wineserver -k
    wineserver -w
    wineserver -p
    wine wineboot >/dev/null 2>&1
  fi
)

wine_session_start() {
  wine_common_environment
  if [ -n "${2:-}" ]; then
    export DISPLAY=$2
  else
    wine_display_start
    export DISPLAY=$WINE_SESSION_DISPLAY
  fi
  export WINEPREFIX=$1
  wine_prefix_start "$WINEPREFIX" "$DISPLAY"
}

wine_throwaway_session() {
  local prefix
  prefix=$(mktemp -d "/tmp/vexlo-$1-XXXXXX")
  WINE_SESSION_THROWAWAY+=("$prefix")
  trap wine_session_stop EXIT
  wine_session_start "$prefix" "${2:-}"
}

wine_throwaway_run() {
  local name=$1 targets=$2 program=$3 root build status=0
  shift 3
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  build=${VEXLO_BUILD_DIR:-$root/build}
  # shellcheck disable=SC2086 # the targets are words on purpose
  "$root/scripts/build.sh" $targets
  echo "Creating a throwaway Wine prefix ..."
  wine_throwaway_session "$name" "${WINE_RUN_DISPLAY:-}"
  [ -z "${WINE_RUN_SECOND_DISK:-}" ] || wine_second_disk "$WINEPREFIX"
  wine "$build/bin/$program" "$@" || status=$?
  wine_session_stop
  return $status
}

wine_second_disk() {
  local disk
  disk=$(mktemp -d /dev/shm/vexlo-disk-XXXXXX)
  WINE_SESSION_DISKS+=("$disk")
  trap wine_session_stop EXIT
  ln -sfn "$disk" "$1/dosdevices/d:"
}

wine_session_stop() {
  trap - EXIT
  local prefix pid
  for prefix in "${WINE_SESSION_PREFIXES[@]}"; do
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  done
  for pid in "${WINE_SESSION_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  for prefix in "${WINE_SESSION_THROWAWAY[@]}" "${WINE_SESSION_DISKS[@]}"; do
    rm -rf "$prefix"
  done
  WINE_SESSION_DISKS=()
  WINE_SESSION_PIDS=()
  WINE_SESSION_PREFIXES=()
  WINE_SESSION_THROWAWAY=()
}
