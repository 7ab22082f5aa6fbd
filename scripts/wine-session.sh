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
#   wine_keep_desktop PREFIX D   keeps PREFIX's virtual desktop on display D
#                                open until the session stops (with the built
#                                desktop_keeper.exe; nothing without it)
#   wine_second_disk PREFIX      gives PREFIX a drive D: on another file system
#                                (a folder in /dev/shm that wine_session_stop
#                                removes), so that a move between C: and D:
#                                is no rename, as between two disks
#   wine_codepage_environment CP exports the Unix locale under which Wine
#                                gives its programs the ANSI code page CP:
#                                936 (Simplified Chinese, the default), 950
#                                (Traditional Chinese), 1252 (English) or 65001
#                                (Windows' UTF-8 option, for a Chinese user)
#   wine_codepage_prefixes_start DIR D
#                                boots DIR/cp950, DIR/cp1252 and DIR/cp65001,
#                                each under its code page, in the background;
#                                DIR/ready appears when all three are up
#   wine_session_stop            stops all of them; registered as an EXIT trap
#
# WINE_SESSION_CODEPAGE, when set, is the code page of the prefixes and
# programs started here.

WINE_SESSION_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE_SESSION_PIDS=()
WINE_SESSION_PREFIXES=()
WINE_SESSION_THROWAWAY=()
WINE_SESSION_DISKS=()
WINE_SESSION_JOBS=()

wine_common_environment() {
  export WINEDEBUG=-all
  export WINEARCH=win64
  wine_codepage_environment "${WINE_SESSION_CODEPAGE:-936}"
  # No Mono or Gecko download prompts while a prefix is created.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# Wine takes a program's ANSI code page from its Unix locale: LC_CTYPE gives
# the system's, LANG the user's. A locale without a code page of its own
# (hi_IN) gives 65001.
wine_codepage_environment() {
  unset LC_CTYPE
  case $1 in
    936) unset LOCPATH; export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 ;;
    # The shell itself knows nothing of LOCPATH and would warn.
    950) wine_private_locales; export LANG=zh_TW.UTF-8 LC_ALL=zh_TW.UTF-8 2>/dev/null ;;
    1252) wine_private_locales; export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 2>/dev/null ;;
    65001) wine_private_locales; unset LC_ALL; export LANG=zh_CN.UTF-8 LC_CTYPE=hi_IN.UTF-8 2>/dev/null ;;
    *) echo "wine-session: no locale for code page $1" >&2; return 1 ;;
  esac
}

# The locales of the other code pages, compiled beside the build (once) and
# not into the machine's own archive, which LOCPATH then stands in for.
wine_private_locales() {
  local dir=${VEXLO_BUILD_DIR:-$WINE_SESSION_ROOT/build}/locales name
  mkdir -p "$dir"
  for name in zh_CN zh_TW en_US hi_IN; do
    [ -d "$dir/$name.UTF-8" ] || localedef -i "$name" -c -f UTF-8 "$dir/$name.UTF-8" >/dev/null 2>&1 || true
  done
  export LOCPATH=$dir
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

# English and UTF-8 Windows link the dialog font to Chinese fonts of their
# own (SIMSUN.TTC, MSYH.TTC), so that Chinese text in message boxes and
# captions shows. Wine's prefix names the same files, which are not here, and
# links Chinese only under a Chinese locale: under 1252 and 65001 the link
# goes to the Chinese font of this machine instead.
wine_cjk_font_link() {
  case ${WINE_SESSION_CODEPAGE:-936} in
    1252|65001)
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v Tahoma \
        /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1 ;;
  esac
}

wine_prefix_start() {
  WINE_SESSION_PREFIXES+=("$1")
  trap wine_session_stop EXIT
  wine_prefix_boot "$1" "$2"
}

wine_codepage_prefixes_start() {
  local dir=$1 display=$2 codepage
  rm -rf "$dir"
  mkdir -p "$dir"
  (wine_private_locales) # compiled once, before the three boots want them
  for codepage in 950 1252 65001; do WINE_SESSION_PREFIXES+=("$dir/cp$codepage"); done
  trap wine_session_stop EXIT
  (
    for codepage in 950 1252 65001; do
      WINE_SESSION_CODEPAGE=$codepage wine_prefix_boot "$dir/cp$codepage" "$display" &
    done
    wait
    : > "$dir/ready"
  ) &
  WINE_SESSION_JOBS+=($!)
}

# PREFIX boots under WINE_SESSION_CODEPAGE when that is set.
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
  if [ $fresh -eq 1 ]; then wine_cjk_font_link; fi
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

# Wine closes a virtual desktop a second after its last program ends, and a
# program starting just then may die of an X error; a program that stays on
# the desktop keeps it open. Only for a prefix with a display of its own:
# the desktops of prefixes that share one would lie on top of each other.
wine_keep_desktop() (
  local keeper=${VEXLO_BUILD_DIR:-$WINE_SESSION_ROOT/build}/bin/desktop_keeper.exe
  [ -f "$keeper" ] || exit 0
  export WINEPREFIX=$1 DISPLAY=$2
  wine_common_environment
  wine "$keeper" </dev/null >/dev/null 2>&1 &
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
  # A prefix still booting is stopped once it is up.
  for pid in "${WINE_SESSION_JOBS[@]}"; do wait "$pid" 2>/dev/null || true; done
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
  WINE_SESSION_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WINE_SESSION_PIDS=()
  WINE_SESSION_PREFIXES=()
  WINE_SESSION_THROWAWAY=()
}
