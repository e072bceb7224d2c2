#!/usr/bin/env bash
# The idle designer's processor use: Zarnet.exe started on an empty design
# and left alone for 10 s; the Unix process's user and system time are read
# from /proc before and after. Run under a display (scripts/with-xvfb.sh).
#   bench/designer_idle.sh [BUILD_FOLDER]   (default: the build the scripts run)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$ROOT/scripts/wine-env.sh"
build="${1:-$ROOT/build/$(zarnet_wine_build)}"
exe="$build/bin/Zarnet.exe"
ZARNET_BUILD="$build" zarnet_wine_env "$exe"
folder="$(mktemp -d)"
cp "$exe" "$folder/Zarnet.exe"
"$ZARNET_WINE" "$folder/Zarnet.exe" &
sleep 8 # start-up settles
pid="$(pgrep -f 'Zarnet.exe' | head -1)"
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before="$(ticks "$pid")"
sleep 10
after="$(ticks "$pid")"
hz="$(getconf CLK_TCK)"
echo "idle designer: $((after - before)) ticks of $hz per second in 10 s = $(awk -v t=$((after - before)) -v hz="$hz" 'BEGIN{printf "%.2f", t / hz / 10 * 100}') % of one core"
wineserver -k 2>/dev/null || true
rm -rf "$folder"
