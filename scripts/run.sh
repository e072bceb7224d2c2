#!/usr/bin/env bash
# Sets up the machine if needed, builds the Windows programs and opens the
# bundled example design in the viewer Pelmo under Wine. Without a display
# it runs on a private Xvfb, saves a screenshot and prints its path.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
bash scripts/build.sh win32
design="$(realpath "${1:-examples/example.zrf}")"
export ZARNET_BUILD="$ROOT/build/win32"
. scripts/wine-env.sh
zarnet_wine_env
pelmo="$ROOT/build/win32/viewer/Pelmo.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$pelmo" "$design"
fi

shot="$ROOT/build/pelmo-example.png"
scripts/with-xvfb.sh bash -c '
  wine "$1" "$2" &
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
