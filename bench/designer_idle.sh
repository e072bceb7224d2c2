#!/usr/bin/env bash
# The idle designer's processor use: Zarnet.exe started on the bundled
# example design and left alone; the user and system time of its Unix
# process and of the Wine server behind it are read from /proc before and
# after. The last line gives both together. Run under a display
# (scripts/with-xvfb.sh).
#   bench/designer_idle.sh [BUILD_FOLDER] [SECONDS]   (default: the build the
#   scripts run, 30 s)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$ROOT/scripts/wine-env.sh"
build="${1:-$ROOT/build/$(zarnet_wine_build)}"
seconds="${2:-30}"
exe="$build/bin/Zarnet.exe"
ZARNET_BUILD="$build" zarnet_wine_env "$exe"
folder="$(mktemp -d)"
cp "$exe" "$folder/Zarnet.exe"
cp "$ROOT/examples/example.zrf" "$folder/example.zrf"
"$ZARNET_WINE" "$folder/Zarnet.exe" "$(winepath -w "$folder/example.zrf" 2>/dev/null || echo "$folder/example.zrf")" &
launcher=$!
sleep 10 # start-up settles
# The designer is the launcher's own process once Wine has loaded it; the
# server is the newest one, started for this prefix.
pid="$launcher"
grep -q 'Zarnet.exe' "/proc/$pid/cmdline" 2>/dev/null || pid="$(pgrep -n -f "$folder/Zarnet.exe")"
server="$(pgrep -n wineserver || true)"
ticks() { [ -n "$1" ] && [ -r "/proc/$1/stat" ] && awk '{print $14 + $15}' "/proc/$1/stat" || echo 0; }
designer0="$(ticks "$pid")" server0="$(ticks "$server")"
sleep "$seconds"
designer1="$(ticks "$pid")" server1="$(ticks "$server")"
hz="$(getconf CLK_TCK)"
share() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN{printf "%.2f", t / hz / s * 100}'; }
echo "idle designer alone: $((designer1 - designer0)) ticks in $seconds s = $(share $((designer1 - designer0))) % of one core"
echo "idle Wine server: $((server1 - server0)) ticks in $seconds s = $(share $((server1 - server0))) % of one core"
both=$((designer1 - designer0 + server1 - server0))
echo "idle designer and Wine server: $both ticks of $hz per second in $seconds s = $(share "$both") % of one core"
wineserver -k 2>/dev/null || true
rm -rf "$folder"
