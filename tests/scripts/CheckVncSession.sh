#!/usr/bin/env bash
# Starts the session that "scripts/run.sh --vnc" starts (a private display of the
# prefix's desktop size, served by VNC), without Wine, and fails unless a viewer
# on 127.0.0.1 gets in with the session's password only and sees the prefix's
# desktop size, nothing listens beyond the loopback, and the stop leaves neither
# the display nor the VNC server behind.
#   CheckVncSession.sh SOURCE_DIR PREFIX
# PREFIX is the Wine prefix whose desktop size counts (WINEPREFIX when set).
set -uo pipefail
top=$1
prefix=${WINEPREFIX:-$2}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() { echo "FAIL: $*"; [ -n "${session_dir:-}" ] && tail -5 "$session_dir/x11vnc.log" 2>/dev/null | sed 's/^/  x11vnc: /'; exit 1; }

# What the prefix's registry holds: [Software\\Wine\\Explorer\\Desktops] "Default".
desktop=$(awk '/^\[/ { inside = ($1 == "[Software\\\\Wine\\\\Explorer\\\\Desktops]") }
               inside && /^"Default"=/ { gsub(/"/, "", $0); sub(/^Default=/, ""); print }' \
          "$prefix/user.reg" 2>/dev/null)
[ -n "$desktop" ] || fail "no desktop size in $prefix/user.reg"

# A prefix that does not exist: the session starts no wineserver and stops none.
work=$(mktemp -d "${TMPDIR:-/tmp}/glintcast-vnc-check.XXXXXX")
export GLINTCAST_BUILD=$work/build WINEPREFIX=$work/no-prefix
. "$top/scripts/wine-env.sh"
trap 'wine_session_stop; rm -rf "$work"' EXIT

wine_session_start --size "$wine_desktop_size" --vnc || fail "the session did not start"
[ -n "$vnc_port" ] && [ -n "$vnc_password" ] || fail "the session names no VNC port or password"
pids=("$xvfb_pid" "$vnc_pid")

# Every listening socket of the display and of the VNC server, TCP and UDP.
listening() {
  ss -Hltunp | awk -v a="pid=$1," -v b="pid=$2," 'index($0, a) || index($0, b) { print $5 }'
}
addresses=$(listening "${pids[@]}")
[ "$addresses" = "127.0.0.1:$vnc_port" ] || fail "listening on: ${addresses:-nothing} (want 127.0.0.1:$vnc_port only)"

answer=$(python3 "$here/vnc_probe.py" "$vnc_port" "$vnc_password") || fail "the viewer did not get in"
[ "$answer" = "security-types=2 size=$desktop" ] || fail "with the password: $answer (want security-types=2 size=$desktop)"
answer=$(python3 "$here/vnc_probe.py" "$vnc_port" "not-it") || fail "the viewer with a wrong password saw no answer"
[ "$answer" = "security-types=2 refused" ] || fail "with a wrong password: $answer"

# The password is in no file of the session and on no command line.
! grep -rqF -- "$vnc_password" "$session_dir" || fail "the password is in a file of the session"
! tr '\0' ' ' < "/proc/$vnc_pid/cmdline" | grep -qF -- "$vnc_password" || fail "the password is on x11vnc's command line"

port=$vnc_port folder=$session_dir
wine_session_stop
for pid in "${pids[@]}"; do
  ! kill -0 "$pid" 2>/dev/null || fail "process $pid ($(tr '\0' ' ' < "/proc/$pid/cmdline")) outlived the stop"
done
[ ! -e "$folder" ] || fail "the session folder $folder outlived the stop"
echo "the VNC session served $desktop on 127.0.0.1:$port only, behind its password, and stopped whole"
