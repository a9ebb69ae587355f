#!/usr/bin/env bash
# Runs scripts/wine-prefix.sh over a prefix that Wine made but the script never
# finished, as a set-up interrupted after "wineboot --init" leaves it, and fails
# unless the script ends within a time-out with the prefix finished.
#   CheckPrefixScript.sh SOURCE_DIR
# Everything lives in a temporary build folder: its own WINEPREFIX, hence its own
# wineserver, never the test session's. The prefix (~700 MB), its server and the
# script's display go whatever the outcome.
set -uo pipefail
top=$1
limit=240

work=$(mktemp -d "${TMPDIR:-/tmp}/glintcast-prefix-check.XXXXXX")
export GLINTCAST_BUILD=$work WINEPREFIX=$work/wine
. "$top/scripts/wine-env.sh"

script_pid=""
cleanup() {
  # The script's own processes (its Xvfb among them) share its process group.
  if [ -n "$script_pid" ]; then kill -KILL -- -"$script_pid" 2>/dev/null; fi
  "$WINESERVER" -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/prefix.log" ] && sed 's/^/  prefix script: /' "$work/prefix.log"; exit 1; }

timeout 180 env -u DISPLAY "$WINE" wineboot --init </dev/null >/dev/null 2>&1
timeout 120 "$WINESERVER" -w || fail "the half-made prefix's own server did not end"
[ -f "$WINEPREFIX/system.reg" ] || fail "wineboot --init made no prefix in $WINEPREFIX"

setsid bash "$top/scripts/wine-prefix.sh" >"$work/prefix.log" 2>&1 </dev/null &
script_pid=$!
deadline=$((SECONDS + limit))
while kill -0 "$script_pid" 2>/dev/null; do
  [ $SECONDS -lt $deadline ] || fail "scripts/wine-prefix.sh did not end within ${limit} s"
  sleep 1
done
wait "$script_pid"
rc=$?
[ $rc -eq 0 ] || fail "scripts/wine-prefix.sh ended with $rc"

stamps=("$WINEPREFIX"/.glintcast-prefix-*)
[ -f "${stamps[0]}" ] || fail "no stamp in the finished prefix"
grep -q '^"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg" || fail "the crash dialog setting is not on disk"
grep -q '^"Version"="win10"' "$WINEPREFIX/user.reg" || fail "the Windows version setting is not on disk"
font=$(dpkg -L fonts-wine | grep -m1 -E '\.(ttf|ttc|fon)$')
[ -f "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$font")" ] || fail "fonts-wine's fonts are not in the prefix"
! "$WINESERVER" -k 2>/dev/null || fail "the script left the prefix's wineserver running"
! kill -0 -- -"$script_pid" 2>/dev/null || fail "the script left processes of its own running"
echo "scripts/wine-prefix.sh finished the half-made prefix"
