#!/usr/bin/env bash
# Builds everything and runs every test under Wine, inside one private Xvfb display
# with a PulseAudio null sink. Extra arguments go to ctest (for example -R writer).
# Exits with ctest's code; every process it started is stopped, pass or fail.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/build.sh"
. "$top/scripts/wine-env.sh"

# ctest runs in a process group of its own, so that whatever a test leaves behind
# (a player it started, say) is stopped with it; that group is out of reach of a
# Ctrl+C in the terminal, so the stop also ends it.
ctest_pid=""
stop_everything() {
  if [ -n "$ctest_pid" ]; then kill -- -"$ctest_pid" 2>/dev/null || true; fi
  wine_session_stop
}
trap stop_everything EXIT
trap 'exit 130' INT TERM
wine_session_start --sound
set +e
(cd "$build" && exec setsid --wait ctest --output-on-failure -j"$(nproc)" "$@" </dev/null) &
ctest_pid=$!
wait $ctest_pid
rc=$?
exit $rc
