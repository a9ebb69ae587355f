#!/usr/bin/env bash
# Turns a fresh Debian 12 machine into one that builds and tests Glintcast:
# Debian packages, the cross-built third-party libraries and a Wine prefix.
# Idempotent: every step is skipped when its result is already there, and each
# result appears only once its step is complete, so a run interrupted anywhere
# (Ctrl+C) is taken up by the next one.
set -euo pipefail
# A Ctrl+C stops the set-up even when the step it hits (cmake, say) ends normally.
trap 'exit 130' INT TERM

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${GLINTCAST_BUILD:-$top/build}
deps=${GLINTCAST_DEPS:-$build/deps}
prefix=$deps/prefix
export WINEPREFIX=${WINEPREFIX:-$build/wine}
jobs=$(nproc)
log() { printf '[setup] %s\n' "$*"; }

packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev mingw-w64-tools cmake make nasm pkg-config dpkg-dev
  debian-archive-keyring ca-certificates
  wine wine64 xvfb xauth x11-utils x11vnc iproute2 libgl1-mesa-dri libglx-mesa0
  pulseaudio pulseaudio-utils sox flac ffmpeg
  fonts-wqy-microhei fonts-wine imagemagick python3 locales gdb
)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  log "installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # An install interrupted while dpkg ran leaves packages unpacked but not
  # configured, and apt refuses to go on until they are.
  dpkg --configure -a </dev/null
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

# Debian source packages through a private apt configuration; /etc/apt is left alone.
fetch_sources() {
  local src=$deps/src
  [ -f "$src/.fetched" ] && return
  log "fetching source packages"
  # Whatever an interrupted fetch left (part of a download or of an unpacked tree) goes.
  rm -rf "$src"
  mkdir -p "$src/apt/lists/partial" "$src/apt/cache/archives/partial"
  cat > "$src/apt/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
LIST
  cat > "$src/apt/apt.conf" <<CONF
Dir::Etc::SourceList "$src/apt/sources.list";
Dir::Etc::SourceParts "/dev/null";
Dir::State::Lists "$src/apt/lists";
Dir::Cache "$src/apt/cache";
APT::Sandbox::User "root";
CONF
  export APT_CONFIG=$src/apt/apt.conf
  apt-get update -qq
  (cd "$src" && apt-get source -qq --download-only x264 flac googletest </dev/null)
  unset APT_CONFIG
  for dsc in "$src"/x264_*.dsc "$src"/flac_*.dsc "$src"/googletest_*.dsc; do
    local name; name=$(basename "$dsc" .dsc); name=${name%%_*}
    rm -rf "$src/$name"
    dpkg-source -x --no-check "$dsc" "$src/$name" >/dev/null
  done
  touch "$src/.fetched"
}

# publish STAGE LIBRARY: moves a dependency installed under DESTDIR=STAGE into the
# prefix. LIBRARY (under lib/) is what tells that the dependency is built, so it
# comes last and by a rename: an interrupted copy never leaves it in place.
publish() {
  local staged=$1$prefix lib=$2
  mv "$staged/lib/$lib" "$1/$lib"
  mkdir -p "$prefix/lib"
  cp -a "$staged/." "$prefix/"
  cp "$1/$lib" "$prefix/lib/$lib.part"
  mv "$prefix/lib/$lib.part" "$prefix/lib/$lib"
  rm -rf "$1"
}

build_x264() {
  [ -f "$prefix/lib/libx264.a" ] && return
  log "building libx264"
  local b=$deps/build/x264
  rm -rf "$b" "$b.stage"; mkdir -p "$b"
  (cd "$b" && "$deps/src/x264/configure" --host=x86_64-w64-mingw32 --cross-prefix=x86_64-w64-mingw32- \
      --prefix="$prefix" --enable-static --disable-cli --disable-opencl --bit-depth=8 >/dev/null \
   && { make -s -j"$jobs" >build.log 2>&1 || { tail -30 build.log; exit 1; }; } \
   && make -s install-lib-static DESTDIR="$b.stage" >/dev/null)
  publish "$b.stage" libx264.a
}

toolchain=$top/cmake/mingw-w64-x86_64.cmake

# cmake_dependency NAME LIBRARY [cmake options]: configures, builds and installs
# one CMake source package into the prefix, unless its library is there.
cmake_dependency() {
  local name=$1 lib=$2; shift 2
  [ -f "$prefix/lib/$lib" ] && return
  log "building $name"
  local b=$deps/build/$name
  rm -rf "$b" "$b.stage"
  cmake -S "$deps/src/$name" -B "$b" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >/dev/null
  cmake --build "$b" -j"$jobs" >"$b.log" 2>&1 || { tail -30 "$b.log"; exit 1; }
  DESTDIR="$b.stage" cmake --install "$b" >/dev/null
  publish "$b.stage" "$lib"
}

build_flac() {
  cmake_dependency flac libFLAC.a -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF \
    -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF -DWITH_OGG=OFF \
    -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
}

build_googletest() {
  cmake_dependency googletest libgtest.a -Dgtest_disable_pthreads=ON
}

# Wine takes the encoding of Unix file names from the locale: without a real
# zh_CN.UTF-8 locale every non-ASCII file name fails to open.
make_locale() {
  locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return
  log "generating the zh_CN.UTF-8 locale"
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
}

install_packages
make_locale
fetch_sources
build_x264
build_flac
build_googletest
"$top/scripts/wine-prefix.sh"
log "ready"
