# Sourced: the one place that knows how the scripts start Wine.
#
# The shipped programs are i686; some machines of our kind run their kernel
# without 32-bit support, where the 32-bit Wine loader cannot start at all.
# zarnet_wine_choose finds out once (the answer is exported, so ctest and the
# wrappers it starts do not ask again) and the scripts then run either the
# i686 build under wine32 or the x86_64 build under wine64.
# ZARNET_WINE_ARCH=win64 takes the 64-bit path on any machine.
#
# Every program runs in a private prefix inside its build folder, created on
# first use with the architecture of the loader that runs it: a win32 prefix
# for wine32, a win64 prefix for wine64.

ZARNET_WINE32_LOADER=/usr/lib/wine/wine
ZARNET_WINE64_LOADER=/usr/lib/wine/wine64
if [ ! -x "$ZARNET_WINE64_LOADER" ] && command -v wine64 >/dev/null 2>&1; then
  ZARNET_WINE64_LOADER="$(command -v wine64)"
fi

# Sets and exports ZARNET_WINE_RUNS32 (1 when the i686 build can run here,
# else 0) and ZARNET_WINE32_WHY (why not, one phrase).
zarnet_wine_choose() {
  [ -n "${ZARNET_WINE_RUNS32:-}" ] && return 0
  case "${ZARNET_WINE_ARCH:-}" in
    "" | auto) ZARNET_WINE32_WHY="" ;;
    win64) ZARNET_WINE32_WHY="ZARNET_WINE_ARCH=win64 is set" ;;
    *)
      echo "wine: ZARNET_WINE_ARCH='$ZARNET_WINE_ARCH' is not understood (use win64, or leave it unset)" >&2
      return 1
      ;;
  esac
  ZARNET_WINE_RUNS32=0
  if [ -z "$ZARNET_WINE32_WHY" ]; then
    local out
    if [ ! -x "$ZARNET_WINE32_LOADER" ]; then
      ZARNET_WINE32_WHY="wine32 (the 32-bit Wine loader) is not installed"
    elif out="$("$ZARNET_WINE32_LOADER" --version 2>&1)"; then
      ZARNET_WINE_RUNS32=1
    elif grep -q "Exec format error" <<<"$out"; then
      ZARNET_WINE32_WHY="this kernel does not run 32-bit programs, the 32-bit Wine loader fails with \"Exec format error\""
    else
      ZARNET_WINE32_WHY="the 32-bit Wine loader does not start: $(head -1 <<<"$out")"
    fi
  fi
  export ZARNET_WINE_RUNS32 ZARNET_WINE32_WHY
}

# Prints the build configuration whose programs the scripts start here:
# win32, or win64 where the i686 build cannot run.
zarnet_wine_build() {
  zarnet_wine_choose || return 1
  if [ "$ZARNET_WINE_RUNS32" = 1 ]; then echo win32; else echo win64; fi
}

# The one line that says the i686 build is not run, and why.
zarnet_wine_note32() {
  zarnet_wine_choose || return 1
  [ "$ZARNET_WINE_RUNS32" = 1 ] && return 0
  echo "note: the i686 (32-bit) build was compiled but could not be run on this machine ($ZARNET_WINE32_WHY); the x86_64 build runs under wine64 instead."
}

# Prints win32 or win64 for a Windows program (PE) file, nothing otherwise.
zarnet_pe_arch() {
  local f="$1" off
  [ -f "$f" ] && [ "$(head -c 2 "$f" 2>/dev/null)" = MZ ] || return 1
  off="$(od -An -tu4 -j60 -N4 "$f" 2>/dev/null | tr -d ' ')" || return 1
  [ -n "$off" ] && [ "$(od -An -c -j"$off" -N2 "$f" 2>/dev/null | tr -d ' ')" = PE ] || return 1
  case "$(od -An -tx2 -j$((off + 4)) -N2 "$f" 2>/dev/null | tr -d ' ')" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

# The architecture a prefix was created for, from its registry files.
zarnet_prefix_arch() {
  sed -n 's/^#arch=//p' "$1/system.reg" 2>/dev/null | head -1
}

# zarnet_wine_env [PROGRAM]: points Wine at the build's private prefix, with
# the loader and prefix architecture that fit PROGRAM (by its PE header),
# and creates the prefix on first use. The build folder is ZARNET_BUILD, else
# PROGRAM's folder. Exports ZARNET_WINE (the loader to start), WINEPREFIX,
# WINEARCH and WINELOADER.
zarnet_wine_env() {
  zarnet_wine_choose || return 1
  local program="${1:-}" build="${ZARNET_BUILD:-}" arch=""
  if [ -z "$build" ] && [ -n "$program" ]; then build="$(cd "$(dirname "$program")" && pwd)"; fi
  if [ -z "$build" ] && [ -z "${ZARNET_WINEPREFIX:-}" ]; then
    echo "wine: no build folder for the prefix (set ZARNET_BUILD or name the program)" >&2
    return 1
  fi
  local prefix="${ZARNET_WINEPREFIX:-$build/wineprefix}"
  if [ -n "$program" ]; then arch="$(zarnet_pe_arch "$program")" || arch=""; fi
  # Not a program file (a builtin such as "cmd"): whatever the prefix is,
  # else what this machine runs.
  if [ -z "$arch" ]; then arch="$(zarnet_prefix_arch "$prefix")"; fi
  if [ -z "$arch" ]; then arch="$(zarnet_wine_build)"; fi

  if [ "$arch" = win32 ] && [ "$ZARNET_WINE_RUNS32" != 1 ]; then
    echo "wine: ${program:-this} is a 32-bit program, which cannot run here: $ZARNET_WINE32_WHY" >&2
    return 1
  fi
  if [ "$arch" = win32 ]; then ZARNET_WINE="$ZARNET_WINE32_LOADER"; else ZARNET_WINE="$ZARNET_WINE64_LOADER"; fi
  if [ ! -x "$ZARNET_WINE" ]; then
    echo "wine: the Wine loader $ZARNET_WINE is missing (scripts/setup.sh installs it)" >&2
    return 1
  fi
  export ZARNET_WINE WINEPREFIX="$prefix" WINEARCH="$arch" WINELOADER="$ZARNET_WINE"
  # Quiet unless a caller asks for channels (ZARNET_WINEDEBUG=warn+gdi).
  export WINEDEBUG="${ZARNET_WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="mscoree=d;mshtml=d"

  local have
  have="$(zarnet_prefix_arch "$prefix")"
  [ "$have" = "$arch" ] && return 0
  if [ -n "$have" ] && [ -n "${ZARNET_WINEPREFIX:-}" ]; then
    echo "wine: the prefix $prefix is $have, but a $arch prefix is needed here" >&2
    return 1
  fi
  mkdir -p "$(dirname "$prefix")"
  (
    flock 9
    have="$(zarnet_prefix_arch "$prefix")"
    [ "$have" = "$arch" ] && exit 0
    # Our own prefix of the other kind, or one whose creation broke off:
    # it is rebuilt, as Wine cannot change a prefix's architecture.
    if [ -z "${ZARNET_WINEPREFIX:-}" ] && [ -e "$prefix" ]; then
      echo "wine: replacing the ${have:-unfinished} prefix $prefix with a $arch one" >&2
      rm -rf "$prefix"
    fi
    local log
    log="$("$ZARNET_WINE" wineboot -i 2>&1)" || true
    # Debian's wineserver wrapper picks the 64-bit server when installed;
    # it serves both kinds of prefix.
    wineserver -w || true
    if [ "$(zarnet_prefix_arch "$prefix")" != "$arch" ]; then
      echo "wine: could not create a $arch prefix in $prefix:" >&2
      echo "$log" | tail -5 >&2
      exit 1
    fi
  ) 9>"$prefix.lock"
}
