# Sourced by the scripts: the Wine environment of this build tree, and a session
# (Xvfb display, optional PulseAudio with a null sink, persistent wineserver).
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
build=${GLINTCAST_BUILD:-$top/build}
export WINEPREFIX=${WINEPREFIX:-$build/wine}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
export LANG=zh_CN.UTF-8
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINE WINESERVER

winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

session_dir=""
xvfb_pid=""

# wine_session_start [--sound] [--display]: a private display and runtime folder
# for this run. --sound adds a PulseAudio daemon with the null sink "glintcast";
# --display uses the display in DISPLAY instead of a private Xvfb.
wine_session_start() {
  local sound=0 own_display=0 arg
  for arg in "$@"; do
    case $arg in
      --sound) sound=1 ;;
      --display) own_display=1 ;;
    esac
  done
  session_dir=$(mktemp -d /tmp/glintcast-session.XXXXXX)
  chmod 700 "$session_dir"
  export XDG_RUNTIME_DIR=$session_dir
  # A stale server of this prefix may be bound to another display.
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
  if [ $own_display = 0 ]; then
    exec 9> "$session_dir/display"
    Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$session_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 9>&-
    local i
    for i in $(seq 100); do
      [ -s "$session_dir/display" ] && break
      sleep 0.05
    done
    export DISPLAY=":$(tr -d '\n' < "$session_dir/display")"
  fi
  if [ $sound = 1 ]; then
    cat > "$session_dir/pulse.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink sink_name=glintcast rate=48000 sink_properties="device.description='Null Output'"
set-default-sink glintcast
set-default-source glintcast.monitor
PA
    pulseaudio -D --exit-idle-time=-1 --system=false -n -F "$session_dir/pulse.pa" \
      --log-target=file:"$session_dir/pulse.log" 2>/dev/null || echo "[session] pulseaudio did not start" >&2
  fi
  # A persistent, warmed server: Wine's services start now and not inside the
  # first test, whose output pipe they would otherwise hold open.
  if [ -f "$WINEPREFIX/system.reg" ]; then
    "$WINESERVER" -p
    "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
  fi
}

wine_session_stop() {
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "$session_dir" ]; then
    pulseaudio --kill 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ -n "$session_dir" ]; then rm -rf "$session_dir"; fi
  session_dir=""; xvfb_pid=""
  return 0
}
