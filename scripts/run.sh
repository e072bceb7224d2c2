#!/usr/bin/env bash
# Sets up the machine if needed, builds the Windows programs and opens the
# bundled example design in the viewer Pelmo under Wine: the i686 build, or
# the x86_64 one where this machine cannot run 32-bit programs (see
# wine-env.sh). Without a display it runs on a private Xvfb, saves a
# screenshot and prints its path.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
. scripts/wine-env.sh
zarnet_wine_choose
config="$(zarnet_wine_build)"
zarnet_wine_note32
bash scripts/build.sh "$config"
design="$(realpath "${1:-examples/example.zrf}")"
export ZARNET_BUILD="$ROOT/build/$config"
pelmo="$ROOT/build/$config/viewer/Pelmo.exe"
zarnet_wine_env "$pelmo"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$pelmo" "$design"
fi

shot="$ROOT/build/pelmo-example.png"
scripts/with-xvfb.sh bash -c '
  scripts/wine-run.sh "$1" "$2" &
  pid=$!
  for _ in $(seq 1 100); do
    xdotool search --name "Zarnet preview" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$3"
  xdotool key Escape
  sleep 1
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
' run "$pelmo" "$design" "$shot"
echo "No display: Pelmo ran on a private Xvfb. Screenshot: $shot"
