#!/usr/bin/env bash
# Configures and builds one or more configurations into build/<config>:
#   native  portable code, zarnet-cli and native tests (ASan/UBSan)
#   win32   the shipped i686 Windows programs and their Wine tests
#   win64   the x86_64 Windows build, which must compile cleanly
#   fuzz    the libFuzzer targets (clang)
# Usage: scripts/build.sh [config ...]   (default: native win32 win64 fuzz)
# Each target's sources are compiled sixteen at a time (CMake's unity
# build): the system and library headers, most of what a compiler reads,
# are read once per batch rather than once per file. ZARNET_UNITY=OFF
# compiles file by file, which rebuilds less after a small edit.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="${ZARNET_JOBS:-$(nproc)}"
configs=("$@")
[ ${#configs[@]} -eq 0 ] && configs=(native win32 win64 fuzz)

mkdir -p "$ROOT/build"
for c in "${configs[@]}"; do
  dir="$ROOT/build/$c"
  case "$c" in
    native) args=(-DCMAKE_BUILD_TYPE=Debug) ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-i686-w64-mingw32.cmake"
                 -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake"
                 -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    fuzz) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZARNET_FUZZ=ON
                -DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    *) echo "build: unknown configuration '$c'" >&2; exit 2 ;;
  esac
  echo "build: $c" >&2
  cmake -S "$ROOT" -B "$dir" "${args[@]}" -DCMAKE_UNITY_BUILD="${ZARNET_UNITY:-ON}" \
    -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >"$ROOT/build/$c.configure.log" 2>&1 ||
    { cat "$ROOT/build/$c.configure.log" >&2; exit 1; }
  cmake --build "$dir" -j"$JOBS"
done
