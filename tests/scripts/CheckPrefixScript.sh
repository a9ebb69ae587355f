#!/usr/bin/env bash
# Runs scripts/wine-prefix.sh over a prefix that a set-up interrupted after Wine
# began it left without its stamp, and fails unless the script ends within a
# time-out with the prefix whole and set up.
#   CheckPrefixScript.sh SOURCE_DIR interrupted|elsewhere
# interrupted: the build folder's own prefix, its first "wineboot --init" killed
#   right after Wine noted the prefix as made (a shell that Wine never fills).
# elsewhere: a prefix that WINEPREFIX names outside the build folder, made by
#   "wineboot --init" alone; it must be finished in place, a file in it kept.
# Everything lives in a temporary folder: its own WINEPREFIX, hence its own
# wineserver, never the test session's. The prefix (~700 MB), its server and the
# script's display go whatever the outcome.
set -uo pipefail
top=$1
mode=$2
limit=240

work=$(mktemp -d "${TMPDIR:-/tmp}/glintcast-prefix-check.XXXXXX")
case $mode in
  interrupted) export GLINTCAST_BUILD=$work/build WINEPREFIX=$work/build/wine ;;
  elsewhere) export GLINTCAST_BUILD=$work/build WINEPREFIX=$work/wine ;;
  *) echo "usage: $0 SOURCE_DIR interrupted|elsewhere" >&2; exit 2 ;;
esac
mkdir -p "$GLINTCAST_BUILD"
. "$top/scripts/wine-env.sh"

boot_pid=""
script_pid=""
cleanup() {
  if [ -n "$boot_pid" ]; then kill -KILL "$boot_pid" 2>/dev/null; fi
  # The script's own processes (its Xvfb among them) share its process group.
  if [ -n "$script_pid" ]; then kill -KILL -- -"$script_pid" 2>/dev/null; fi
  "$WINESERVER" -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/prefix.log" ] && sed 's/^/  prefix script: /' "$work/prefix.log"; exit 1; }

# wait_while PID WHAT: waits for PID to end, at most $limit seconds.
wait_while() {
  local deadline=$((SECONDS + limit))
  while kill -0 "$1" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "$2 did not end within $limit s"
    sleep 1
  done
}

env -u DISPLAY "$WINE" wineboot --init </dev/null >/dev/null 2>&1 &
boot_pid=$!
if [ "$mode" = interrupted ]; then
  deadline=$((SECONDS + limit))
  until [ -f "$WINEPREFIX/.update-timestamp" ]; do
    kill -0 "$boot_pid" 2>/dev/null || fail "wineboot --init ended before it noted the prefix as made"
    [ $SECONDS -lt $deadline ] || fail "wineboot --init noted no prefix within $limit s"
    sleep 0.01
  done
  "$WINESERVER" -k 2>/dev/null
fi
wait_while "$boot_pid" "wineboot --init"
boot_pid=""
timeout "$limit" "$WINESERVER" -w || fail "the half-made prefix's own server did not end"
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot --init began no prefix in $WINEPREFIX"
keep=$WINEPREFIX/drive_c/users/kept-by-the-prefix-script.txt
if [ "$mode" = elsewhere ]; then echo kept > "$keep"; fi

setsid bash "$top/scripts/wine-prefix.sh" >"$work/prefix.log" 2>&1 </dev/null &
script_pid=$!
wait_while "$script_pid" "scripts/wine-prefix.sh"
wait "$script_pid"
rc=$?
[ $rc -eq 0 ] || fail "scripts/wine-prefix.sh ended with $rc"

stamps=("$WINEPREFIX"/.glintcast-prefix-*)
[ -f "${stamps[0]}" ] || fail "no stamp in the finished prefix"
[ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] || fail "the prefix is not whole (no kernel32.dll)"
grep -q '^"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" || fail "the crash dialog setting is not on disk"
grep -q '^"Version"="win10"' "$WINEPREFIX/user.reg" || fail "the Windows version setting is not on disk"
font=$(dpkg -L fonts-wine | grep -m1 -E '\.(ttf|ttc|fon)$')
[ -f "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")" ] || fail "fonts-wine's fonts are not in the prefix"
if [ "$mode" = elsewhere ]; then [ -f "$keep" ] || fail "the prefix outside the build folder was removed"; fi
! "$WINESERVER" -k 2>/dev/null || fail "the script left the prefix's wineserver running"
# Wine's processes end a moment after their server has been stopped: give them
# that moment, then name whatever is still there.
early=$(ps -eo pid=,pgid=,stat=,args= | awk -v g="$script_pid" '$2 == g' | tr '\n' ';')
deadline=$((SECONDS + 30))
while kill -0 -- -"$script_pid" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
if kill -0 -- -"$script_pid" 2>/dev/null; then
  fail "the script left processes of its own running: at its end: $early; 30 s later: $(ps -eo pid=,pgid=,stat=,args= | awk -v g="$script_pid" '$2 == g' | tr '\n' ';')"
fi
echo "scripts/wine-prefix.sh set up the half-made prefix ($mode)"
