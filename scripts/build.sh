#!/usr/bin/env bash
# Sets the machine up (scripts/setup.sh) and builds everything into build/.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLINTCAST_BUILD:-$top/build}
deps=${GLINTCAST_DEPS:-$build/deps}
"$top/scripts/setup.sh"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DGLINTCAST_DEPS="$deps/prefix" >/dev/null
fi
cmake --build "$build" -j"$(nproc)"
