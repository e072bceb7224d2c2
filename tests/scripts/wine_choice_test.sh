#!/usr/bin/env bash
# The Wine choice of scripts/wine-env.sh: whether the i686 build runs here,
# which architecture a program is, and refusing to run a program with a
# loader or prefix that cannot hold it. Starts no Wine.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
env_sh="$here/../../scripts/wine-env.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# Stand-ins for the 32-bit loader. An ELF file for no machine at all is what
# a kernel without 32-bit support makes of the real one: "Exec format error".
printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\0\0' >"$tmp/foreign" && head -c 64 /dev/zero >>"$tmp/foreign"
printf '#!/bin/sh\necho wine-8.0\n' >"$tmp/works"
printf '#!/bin/sh\necho "cannot load libc" >&2\nexit 1\n' >"$tmp/broken"
chmod +x "$tmp/foreign" "$tmp/works" "$tmp/broken"

# ARCH LOADER -> what comes out, "status|ZARNET_WINE_RUNS32|reason|build"
# (or the complaint), as a pattern.
while read -r arch loader want; do
  got="$(env -u ZARNET_WINE_RUNS32 -u ZARNET_WINE32_WHY ZARNET_WINE_ARCH="${arch#-}" bash -c '
    . "$1"; ZARNET_WINE32_LOADER="$2"
    zarnet_wine_choose 2>&1; rc=$?
    echo "$rc|${ZARNET_WINE_RUNS32:-}|${ZARNET_WINE32_WHY:-}|$(zarnet_wine_build 2>/dev/null)"
  ' choose "$env_sh" "$tmp/$loader")"
  grep -qE -- "$want" <<<"$got" || fail "choice with ZARNET_WINE_ARCH='$arch', loader $loader: $got"
done <<'TABLE'
-      works   ^0\|1\|\|win32$
auto   works   ^0\|1\|\|win32$
-      foreign ^0\|0\|this kernel does not run 32-bit programs.*"Exec format error"\|win64$
-      broken  ^0\|0\|the 32-bit Wine loader does not start: cannot load libc\|win64$
-      absent  ^0\|0\|wine32 .* is not installed\|win64$
win64  works   ^0\|0\|ZARNET_WINE_ARCH=win64 is set\|win64$
win32  works   ZARNET_WINE_ARCH='win32' is not understood
TABLE

# Programs by their PE header.
pe() {  # pe FILE MACHINE-BYTES: a minimal PE header with the PE signature at 0x40
  { printf 'MZ'; head -c 58 /dev/zero; printf '\100\0\0\0PE\0\0'; printf "$2"; } >"$1"
}
pe "$tmp/i686.exe" '\114\001'
pe "$tmp/x64.exe" '\144\206'
pe "$tmp/arm.exe" '\144\252'
printf 'MZ but no more' >"$tmp/stub.exe"
printf 'echo hello' >"$tmp/script"
while read -r file want; do
  got="$(bash -c '. "$1"; zarnet_pe_arch "$2"' pe "$env_sh" "$tmp/$file")"
  [ "$got" = "${want#-}" ] || fail "architecture of $file: '$got', want '${want#-}'"
done <<'TABLE'
i686.exe  win32
x64.exe   win64
arm.exe   -
stub.exe  -
script    -
missing   -
TABLE

# A 32-bit program where the i686 build cannot run, and a given prefix of
# the other architecture, are refused before Wine starts.
mkdir -p "$tmp/build/prefix32"
printf 'WINE REGISTRY Version 2\n\n#arch=win32\n' >"$tmp/build/prefix32/system.reg"
while read -r arch program prefix pattern; do
  arch="${arch#-}" prefix="${prefix#-}"
  got="$(env ZARNET_WINE_ARCH="$arch" ZARNET_BUILD="$tmp/build" ${prefix:+ZARNET_WINEPREFIX=$tmp/build/$prefix} \
    ZARNET_WINE_RUNS32= bash -c '. "$1"; ZARNET_WINE32_LOADER=/bin/true; ZARNET_WINE64_LOADER=/bin/true
      zarnet_wine_env "$2" 2>&1; echo "rc=$?"' refuse "$env_sh" "$tmp/$program")"
  if ! grep -q "rc=1" <<<"$got" || ! grep -qE -- "$pattern" <<<"$got"; then
    fail "refusing $program ($arch${prefix:+, prefix $prefix}): $got"
  fi
done <<'TABLE'
win64 i686.exe -        32-bit program, which cannot run here: ZARNET_WINE_ARCH=win64
-     x64.exe  prefix32 prefix .*prefix32 is win32, but a win64 prefix is needed
TABLE
[ -e "$tmp/build/wineprefix" ] && fail "a refused program still created a prefix"

[ "$failures" -eq 0 ] && echo "wine choice: all cases passed"
exit $((failures > 0))
