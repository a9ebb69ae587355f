#!/usr/bin/env bash
# Sets the machine up (scripts/setup.sh) and builds into build/:
#   bash scripts/build.sh [TARGET...]
# With no target it builds everything (the program, the tests, the benchmarks);
# with targets only those and what they need (e.g. Glintcast).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLINTCAST_BUILD:-$top/build}
deps=${GLINTCAST_DEPS:-$build/deps}
"$top/scripts/setup.sh"
# Configured every time (it is quick), so folders added since the last run are built too.
cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
  -DGLINTCAST_DEPS="$deps/prefix" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build "$build" -j"$(nproc)" --target "$@"
else
  cmake --build "$build" -j"$(nproc)"
fi
