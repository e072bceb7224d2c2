#!/usr/bin/env bash
# Builds the Release programs and writes what a Windows user downloads
# (--test-builds: into build/dist-test instead):
#   dist/zarnet-VERSION-win32.zip   the shipped i686 programs
#   dist/zarnet-VERSION-win64.zip   the x86_64 programs
#   dist/zarnet-VERSION-setup.exe   installs the i686 programs (NSIS)
# and, of the test builds alone, zarnet-VERSION-setup-win64.exe, the same
# setup for the x86_64 programs: the package test installs it where 32-bit
# programs cannot run.
# Each zip holds the stripped Zarnet.exe, Pelmo.exe, zarnet-assoc.exe and
# zarnet-cli.exe, the example design, the templates folder, README.txt and
# LICENSE.txt. A program past its size limit (packaging/size_limits.txt), or
# an x86_64 program more than 15% larger than the i686 one, stops the
# packaging.
#   scripts/package.sh [--no-setup] [--test-builds]
# --no-setup leaves out the setup program; --test-builds packages the
# programs of build/win32 and build/win64 (those scripts/test.sh builds and
# tests) instead of building Release ones, for the package test.
# ZARNET_SKIP_SETUP=1 skips scripts/setup.sh; ZARNET_PACKAGE_ARCHS="win64"
# packages one architecture only.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${ZARNET_JOBS:-$(nproc)}"
# Each program's largest size, from packaging/size_limits.txt.
size_limit() {  # size_limit NAME ARCH
  "$ROOT/packaging/size_limit.sh" "$1" "$2"
}
cd "$ROOT"
make_setup=1
test_builds=0
for arg in "$@"; do
  case "$arg" in
    --no-setup) make_setup=0 ;;
    --test-builds) test_builds=1 ;;
    *) echo "package: unknown option '$arg'" >&2; exit 2 ;;
  esac
done

[ "${ZARNET_SKIP_SETUP:-0}" = 1 ] || bash scripts/setup.sh
for tool in zip makensis; do
  if ! command -v "$tool" >/dev/null; then
    [ "$tool" = makensis ] && [ "$make_setup" = 0 ] && continue
    echo "package: $tool is missing (scripts/setup.sh installs it)" >&2
    exit 1
  fi
done

# One program of a build, by the list the build writes.
program_of() {  # program_of LIST NAME
  sed -n "s/^$2=//p" "$1"
}

# Packages of the test builds are not releases: they go under build/.
DIST="$ROOT/dist"
# The stripped sizes of the i686 programs, which the x86_64 ones may pass by
# 15% at most.
declare -A i686_size=()
[ "$test_builds" = 1 ] && DIST="${ZARNET_PACKAGE_DIST:-$ROOT/build/dist-test}"
mkdir -p "$DIST"
for arch in ${ZARNET_PACKAGE_ARCHS:-win32 win64}; do
  case "$arch" in
    win32) triple=i686-w64-mingw32 ;;
    win64) triple=x86_64-w64-mingw32 ;;
  esac
  if [ "$test_builds" = 1 ]; then
    build="$ROOT/build/$arch"
    [ -f "$build/CMakeCache.txt" ] || bash scripts/build.sh "$arch"
  else
    build="$ROOT/build/package-$arch"
    echo "package: building the $arch Release programs in $build" >&2
    mkdir -p "$ROOT/build"
    cmake -S "$ROOT" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-$triple.cmake" \
      -DCMAKE_BUILD_TYPE=Release >"$build.configure.log" 2>&1 ||
      { cat "$build.configure.log" >&2; exit 1; }
  fi
  cmake --build "$build" -j"$JOBS" --target Zarnet Pelmo zarnet-assoc zarnet-cli

  list="$build/package/programs.txt"
  version="$(program_of "$list" VERSION)"
  stage="$build/package/zarnet-$version-$arch"
  rm -rf "$stage" && mkdir -p "$stage"
  for exe in Zarnet.exe Pelmo.exe zarnet-assoc.exe zarnet-cli.exe; do
    "$triple-strip" -o "$stage/$exe" "$(program_of "$list" "$exe")"
    size="$(stat -c %s "$stage/$exe")"
    limit="$(size_limit "$exe" "$arch")"
    if [ "$size" -gt "$limit" ]; then
      echo "package: $exe ($arch) is $size bytes, more than its limit of $limit" >&2
      exit 1
    fi
    if [ "$arch" = win32 ]; then
      i686_size[$exe]="$size"
    elif [ -n "${i686_size[$exe]:-}" ] && [ $((size * 100)) -gt $((i686_size[$exe] * 115)) ]; then
      echo "package: $exe (win64) is $size bytes, more than 15% over the i686 program's ${i686_size[$exe]}" >&2
      exit 1
    fi
  done
  cp examples/example.zrf "$stage/example.zrf"
  mkdir -p "$stage/templates"
  cp examples/templates/*.zrf "$stage/templates/"
  # Text files as Windows editors expect them: CR LF.
  sed -e "s/@VERSION@/$version/" -e 's/$/\r/' packaging/README.txt >"$stage/README.txt"
  sed -e 's/$/\r/' LICENSE >"$stage/LICENSE.txt"

  zipfile="$DIST/zarnet-$version-$arch.zip"
  rm -f "$zipfile"
  (cd "$(dirname "$stage")" && zip -q -X -r "$zipfile" "$(basename "$stage")")
  echo "package: wrote $zipfile"

  if [ "$make_setup" = 1 ] && { [ "$arch" = win32 ] || [ "$test_builds" = 1 ]; }; then
    setup="$DIST/zarnet-$version-setup.exe"
    defines=()
    if [ "$arch" = win64 ]; then
      setup="$DIST/zarnet-$version-setup-win64.exe"
      defines=(-DAMD64)
    fi
    makensis -V2 "${defines[@]}" -DVERSION="$version" -DSOURCE="$stage" -DOUTFILE="$setup" \
      packaging/zarnet.nsi >&2
    echo "package: wrote $setup"
  fi
done
