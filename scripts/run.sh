#!/usr/bin/env bash
# Sets up the machine if needed, builds the Windows programs and opens the
# bundled example design in the designer Zarnet under Wine (with --viewer:
# in the viewer Pelmo): the i686 build, or the x86_64 one where this machine
# cannot run 32-bit programs (see wine-env.sh). Without a display it runs on
# a private Xvfb, saves a screenshot and prints its path.
#   scripts/run.sh [--viewer] [DESIGN.zrf]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
program=designer
if [ "${1:-}" = --viewer ]; then
  program=viewer
  shift
fi
bash scripts/setup.sh
. scripts/wine-env.sh
zarnet_wine_choose
config="$(zarnet_wine_build)"
zarnet_wine_note32
bash scripts/build.sh "$config"
design="$(realpath "${1:-examples/example.zrf}")"
export ZARNET_BUILD="$ROOT/build/$config"
# The build puts the programs side by side in bin/, as installed: the
# designer finds the viewer beside itself for its preview.
if [ "$program" = viewer ]; then
  exe="$ROOT/build/$config/bin/Pelmo.exe"
  window="Zarnet preview"
else
  exe="$ROOT/build/$config/bin/Zarnet.exe"
  window="$(basename "$design")   client"
fi
zarnet_wine_env "$exe"
# The program is given the design as Windows programs get it: a DOS path.
design_dos="Z:${design//\//\\}"

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$exe" "$design_dos"
fi

shot="$ROOT/build/$program-example.png"
scripts/with-xvfb.sh bash -c '
  scripts/wine-run.sh "$1" "$2" &
  pid=$!
  for _ in $(seq 1 300); do
    xdotool search --name "$4" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 2
  import -window root "$3"
  kill "$pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
' run "$exe" "$design_dos" "$shot" "$window"
echo "No display: $(basename "$exe") ran on a private Xvfb. Screenshot: $shot"
