#!/usr/bin/env bash
# Builds one benchmark, then runs it under Wine in a session of its own and prints
# its figures: scripts/bench.sh NAME [arguments of bench/NAME_bench.exe]
# Paths among the arguments are Windows paths (Z:\tmp\x.264 is /tmp/x.264).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
name=${1:?usage: scripts/bench.sh NAME [arguments]}
shift
"$top/scripts/build.sh" "${name}_bench" >/dev/null || { echo "no benchmark ${name}_bench, or its build failed" >&2; exit 2; }
. "$top/scripts/wine-env.sh"
exe=$build/bench/${name}_bench.exe
[ -f "$exe" ] || { echo "no benchmark $exe" >&2; exit 2; }
trap wine_session_stop EXIT
wine_session_start
set +e
"$WINE" "$exe" "$@" </dev/null | tr -d '\r'
rc=${PIPESTATUS[0]}
exit $rc
