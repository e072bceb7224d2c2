# Sourced: points Wine at the build's private prefix and creates it on
# first use. Expects ZARNET_BUILD (the build folder) or a program path in $1.
zarnet_wine_env() {
  local build="${ZARNET_BUILD:-}"
  if [ -z "$build" ] && [ -n "${1:-}" ]; then build="$(cd "$(dirname "$1")" && pwd)"; fi
  export WINEPREFIX="${ZARNET_WINEPREFIX:-$build/wineprefix}"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree=d;mshtml=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        WINEARCH=win32 wineboot -i >/dev/null 2>&1
        wineserver -w
      fi
    ) 9>"$WINEPREFIX.lock"
  fi
}
