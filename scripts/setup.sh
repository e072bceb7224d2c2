#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12
# machine. Safe to run again: each step checks first and does nothing when
# its result is already there.
#   scripts/setup.sh [--benches]   (--benches: Google Benchmark cross-built
#   as well, for the programs in bench/; no test needs it)
set -euo pipefail
BENCHES=0
[ "${1:-}" = --benches ] && BENCHES=1

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CACHE="$ROOT/.cache"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

log() { echo "setup: $*" >&2; }

# wine32:i386 is installed on every machine, also where the kernel cannot
# run 32-bit programs: it installs there all the same (a few of its
# packages' setup steps report "Exec format error" and go on), and the
# scripts then find that out and use wine64 (see wine-env.sh).
PKGS=(cmake make g++ clang gcc-mingw-w64-i686 g++-mingw-w64-i686 gcc-mingw-w64-x86-64
      g++-mingw-w64-x86-64 libz-mingw-w64-dev wine wine64 wine32:i386 xvfb xdotool
      imagemagick libpng-dev libjpeg-dev googletest libgtest-dev libbenchmark-dev
      dpkg-dev libclang-rt-14-dev zip unzip e2fsprogs nsis icoutils)

need_apt=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  $SUDO dpkg --add-architecture i386
  need_apt=1
fi

# A deb-src entry, so the sources of libpng, libjpeg-turbo and Google
# Benchmark can be fetched: derived from the machine's own Debian entries, so
# it names the same mirror the binary packages come from. Rewritten whenever
# those entries change; an entry is only added where none covers them yet.
SRC_LIST=/etc/apt/sources.list.d/zarnet-src.sources
codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
apt_lists=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list)
for f in /etc/apt/sources.list.d/*.sources; do
  if [ "$f" != "$SRC_LIST" ]; then apt_lists+=("$f"); fi
done
src_entries="$(bash "$ROOT/scripts/apt-deb-src.sh" "${codename:-none}" "${apt_lists[@]}")"
if [ -n "$src_entries" ]; then
  src_text="# Written by Zarnet's scripts/setup.sh from this machine's Debian entries.
$src_entries"
  if [ "$(cat "$SRC_LIST" 2>/dev/null)" != "$src_text" ]; then
    log "writing the deb-src entry $SRC_LIST"
    printf '%s\n' "$src_text" | $SUDO tee "$SRC_LIST" >/dev/null
    need_apt=1
  fi
elif [ -f "$SRC_LIST" ]; then
  # The machine's own deb-src entries cover every Debian source now.
  log "removing $SRC_LIST"
  $SUDO rm -f "$SRC_LIST"
  need_apt=1
elif ! grep -qsE '^[[:space:]]*(deb-src|Types:.*deb-src)' "${apt_lists[@]}"; then
  log "warning: no Debian entry (suite ${codename:-unknown}) in the apt sources to derive a deb-src entry from"
fi

missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ] || [ $need_apt = 1 ]; then
  log "installing: ${missing[*]:-(lists only)}"
  # A mirror caught mid-sync fails an update now and then: try again, and
  # go on with the lists already there when every try fails.
  for try in 1 2 3; do
    $SUDO apt-get update -q && break
    log "apt-get update failed (try $try of 3)"
    sleep $((try * 10))
  done
  if [ ${#missing[@]} -gt 0 ] &&
     ! $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    # Lists left behind by a failed update can hold i386 packages one
    # version behind their amd64 halves; everything else still installs.
    # Without wine32 the scripts test the x86_64 build alone.
    log "warning: installing with the i386 packages failed; installing the rest without them"
    rest=()
    for p in "${missing[@]}"; do
      case "$p" in *:i386) ;; *) rest+=("$p") ;; esac
    done
    [ ${#rest[@]} -eq 0 ] || $SUDO apt-get install -y -q --no-install-recommends "${rest[@]}"
  fi
fi

# The toolchain file the cross-built libraries are configured with.
write_toolchain() {
  local triple="$1" prefix="$CACHE/$1"
  mkdir -p "$prefix"
  cat >"$CACHE/toolchain-$triple.cmake" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${triple%%-*})
set(CMAKE_C_COMPILER $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER $triple-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triple $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
TC
}

# Google Benchmark for the programs in bench/, on request only.
build_cross_benchmark() {
  local triple="$1" prefix="$CACHE/$1"
  mkdir -p "$CACHE/src"
  (
    cd "$CACHE/src"
    if ! ls -d benchmark-*/ >/dev/null 2>&1; then
      apt-get source --download-only benchmark >/dev/null
      dpkg-source -x --no-check benchmark_*.dsc >/dev/null
    fi
  )
  rm -rf "$CACHE/build-bench-$triple"
  write_toolchain "$triple"
  local tc="$CACHE/toolchain-$triple.cmake"
  log "cross-building Google Benchmark for $triple"
  cmake -S "$(ls -d "$CACHE"/src/benchmark-*/ | head -1)" -B "$CACHE/build-bench-$triple" \
    -DCMAKE_TOOLCHAIN_FILE="$tc" -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DBENCHMARK_ENABLE_TESTING=OFF -DBENCHMARK_ENABLE_GTEST_TESTS=OFF \
    -DBENCHMARK_ENABLE_WERROR=OFF -DBENCHMARK_ENABLE_INSTALL=ON -DBUILD_SHARED_LIBS=OFF \
    -DGIT_VERSION=0.0.0 -DHAVE_STD_REGEX=ON -DRUN_HAVE_STD_REGEX=1 -DHAVE_STEADY_CLOCK=ON \
    -DRUN_HAVE_STEADY_CLOCK=1 -DBENCHMARK_ENABLE_LTO=OFF >/dev/null
  cmake --build "$CACHE/build-bench-$triple" -j"$(nproc)" --target install >/dev/null
}

# libpng and libjpeg-turbo, cross-built for each Windows target, small: each
# function in a section of its own, so that a program keeps only the parts
# it calls (no PNG writer and its deflate in a reader), and libjpeg without
# its JPEGMEM variable, whose sscanf would bring the whole scanf family into
# every program. They report errors by longjmp, never by a C++ exception:
# on i686 longjmp unwinds by the SEH chain alone, so their unwind tables
# would be dead weight there, while on x86_64 longjmp unwinds by them. Their
# few messages are printed by the system's C library: MinGW's own printf
# brings its floating-point formatting (about 30 KB), which nothing else in
# the programs uses. The stamp marks a cache built this way.
SMALL_C_FLAGS="-ffunction-sections -fdata-sections -D__USE_MINGW_ANSI_STDIO=0"
build_cross_libs() {
  local triple="$1" prefix="$CACHE/$1"
  local stamp="$prefix/built-small-stdio" cflags="$SMALL_C_FLAGS"
  [ "$triple" = i686-w64-mingw32 ] && cflags="$cflags -fno-asynchronous-unwind-tables"
  if [ -f "$prefix/lib/libpng.a" ] && [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$stamp" ]; then return; fi
  mkdir -p "$CACHE/src" "$prefix"
  (
    cd "$CACHE/src"
    if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then
      apt-get source --download-only libpng1.6 >/dev/null
      dpkg-source -x --no-check libpng1.6_*.dsc >/dev/null
    fi
    if ! ls -d libjpeg-turbo-*/ >/dev/null 2>&1; then
      apt-get source --download-only libjpeg-turbo >/dev/null
      dpkg-source -x --no-check libjpeg-turbo_*.dsc >/dev/null
    fi
  )
  local pngsrc jpegsrc
  pngsrc="$(ls -d "$CACHE"/src/libpng1.6-*/ | head -1)"
  jpegsrc="$(ls -d "$CACHE"/src/libjpeg-turbo-*/ | head -1)"
  # Build trees are made anew: one left from other flags, or copied from
  # another checkout (CMake refuses a tree made for another path), would
  # keep its old settings.
  rm -rf "$CACHE/build-jpeg-$triple" "$CACHE/build-png-$triple"
  write_toolchain "$triple"
  local tc="$CACHE/toolchain-$triple.cmake"
  log "cross-building libjpeg-turbo for $triple"
  cmake -S "$jpegsrc" -B "$CACHE/build-jpeg-$triple" -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="$cflags -DNO_GETENV" -DCMAKE_C_FLAGS_RELEASE="-Os -DNDEBUG" >/dev/null
  cmake --build "$CACHE/build-jpeg-$triple" -j"$(nproc)" --target install >/dev/null
  log "cross-building libpng for $triple"
  cmake -S "$pngsrc" -B "$CACHE/build-png-$triple" -DCMAKE_TOOLCHAIN_FILE="$tc" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="$cflags" -DCMAKE_C_FLAGS_RELEASE="-Os -DNDEBUG" \
    -DZLIB_LIBRARY=/usr/$triple/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$triple/include >/dev/null
  cmake --build "$CACHE/build-png-$triple" -j"$(nproc)" --target install >/dev/null
  # libpng installs libpng16.a; give it the plain name too.
  if [ ! -f "$prefix/lib/libpng.a" ]; then
    cp "$(ls "$prefix"/lib/libpng16*.a | head -1)" "$prefix/lib/libpng.a"
  fi
  touch "$stamp"
}
for triple in i686-w64-mingw32 x86_64-w64-mingw32; do
  build_cross_libs "$triple"
  [ $BENCHES = 0 ] || [ -f "$CACHE/$triple/lib/libbenchmark.a" ] || build_cross_benchmark "$triple"
done
log "ready"
