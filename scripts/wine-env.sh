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

# The size of the prefix's virtual desktop (scripts/wine-prefix.sh sets it).
wine_desktop_size=1280x800

winepath_of() { printf 'Z:%s' "${1//\//\\}"; }

session_dir=""
xvfb_pid=""
vnc_pid=""
vnc_port=""
vnc_password=""

# wine_session_start [--sound] [--display] [--size WxH] [--vnc]: a private display
# and runtime folder for this run. --sound adds a PulseAudio daemon with the null
# sink "glintcast"; --display uses the display in DISPLAY instead of a private
# Xvfb; --size sets the private display's size (default 1280x1024); --vnc serves
# the private display through x11vnc on 127.0.0.1 only, behind a fresh password
# (vnc_port and vnc_password tell them).
wine_session_start() {
  local sound=0 own_display=0 size=1280x1024 vnc=0
  while [ $# -gt 0 ]; do
    case $1 in
      --sound) sound=1 ;;
      --display) own_display=1 ;;
      --size) size=$2; shift ;;
      --vnc) vnc=1 ;;
    esac
    shift
  done
  session_dir=$(mktemp -d /tmp/glintcast-session.XXXXXX)
  chmod 700 "$session_dir"
  export XDG_RUNTIME_DIR=$session_dir
  # A stale server of this prefix may be bound to another display.
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
  if [ $own_display = 0 ]; then
    exec 9> "$session_dir/display"
    Xvfb -displayfd 9 -screen 0 "${size}x24" -nolisten tcp -noreset >"$session_dir/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 9>&-
    local i
    for i in $(seq 100); do
      [ -s "$session_dir/display" ] && break
      sleep 0.05
    done
    export DISPLAY=":$(tr -d '\n' < "$session_dir/display")"
    if [ $vnc = 1 ]; then wine_session_vnc || return 1; fi
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

# Serves the session's display to VNC viewers. Loopback only: a viewer elsewhere
# comes through a tunnel (ssh -L). A password all the same, since the program may
# run as root and any local user could reach a port on 127.0.0.1; it is given to
# x11vnc in a file that it removes once read, never on a command line.
wine_session_vnc() {
  vnc_password=$(head -c 6 /dev/urandom | base64 | tr '+/' '-_')
  (umask 077; printf '%s\n' "$vnc_password" > "$session_dir/vnc-password")
  # -norc: no rc file adds a listener or drops the password; -nocmds: it runs no
  # external command; -autoport: the first free port from 5900 on.
  x11vnc -display "$DISPLAY" -localhost -noipv6 -norc -nocmds -nolookup -forever -shared \
    -autoport 5900 -passwdfile "rm:$session_dir/vnc-password" -flag "$session_dir/vnc-port" \
    -o "$session_dir/x11vnc.log" </dev/null >/dev/null 2>&1 &
  vnc_pid=$!
  local i
  for i in $(seq 200); do
    vnc_port=$(sed -n 's/^PORT=\([0-9]*\)$/\1/p' "$session_dir/vnc-port" 2>/dev/null)
    [ -n "$vnc_port" ] && return 0
    kill -0 "$vnc_pid" 2>/dev/null || break
    sleep 0.05
  done
  echo "[session] the VNC server did not start:" >&2
  tail -5 "$session_dir/x11vnc.log" >&2 2>/dev/null || true
  return 1
}

wine_session_stop() {
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "$vnc_pid" ]; then
    kill "$vnc_pid" 2>/dev/null || true
    wait "$vnc_pid" 2>/dev/null || true
  fi
  if [ -n "$session_dir" ]; then
    pulseaudio --kill 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  if [ -n "$session_dir" ]; then rm -rf "$session_dir"; fi
  session_dir=""; xvfb_pid=""; vnc_pid=""; vnc_port=""; vnc_password=""
  return 0
}
