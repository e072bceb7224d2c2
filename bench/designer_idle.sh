#!/usr/bin/env bash
# The idle designer's processor use: Zarnet.exe started on the bundled
# example design and left alone; the user and system time of its Unix
# process and of the Wine server behind it are read from /proc before and
# after. Then the same with the viewer Pelmo open on the same design in
# place of the designer: the Wine server's own share at rest, the floor no
# program of ours goes below (Wine's server keeps a clock of its own). The
# last line gives the designer and the server together. Run under a display
# (scripts/with-xvfb.sh).
#   bench/designer_idle.sh [BUILD_FOLDER] [SECONDS]   (default: the build the
#   scripts run, 30 s)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$ROOT/scripts/wine-env.sh"
build="$(cd "${1:-$ROOT/build/$(zarnet_wine_build)}" && pwd)"
seconds="${2:-30}"
ZARNET_BUILD="$build" zarnet_wine_env "$build/bin/Zarnet.exe"
folder="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$folder"' EXIT
cp "$build/bin/Zarnet.exe" "$build/bin/Pelmo.exe" "$folder/"
cp "$ROOT/examples/example.zrf" "$folder/example.zrf"
design="$(winepath -w "$folder/example.zrf" 2>/dev/null || echo "$folder/example.zrf")"
hz="$(getconf CLK_TCK)"
ticks() { [ -n "$1" ] && [ -r "/proc/$1/stat" ] && awk '{print $14 + $15}' "/proc/$1/stat" || echo 0; }
share() { awk -v t="$1" -v hz="$hz" -v s="$seconds" 'BEGIN{printf "%.2f", t / hz / s * 100}'; }

# idle PROGRAM: starts it on the design, lets start-up settle, and sets
# `own` and `server` to the ticks each used in the measured seconds.
idle() {
  "$ZARNET_WINE" "$folder/$1" "$design" &
  local launcher=$! pid server_pid p0 s0
  sleep 10
  # The program is the launcher's own process once Wine has loaded it; the
  # server is the newest one, started for this prefix.
  pid="$launcher"
  grep -q "$1" "/proc/$pid/cmdline" 2>/dev/null || pid="$(pgrep -n -f "$folder/$1")"
  server_pid="$(pgrep -n wineserver || true)"
  p0="$(ticks "$pid")" s0="$(ticks "$server_pid")"
  sleep "$seconds"
  own=$(($(ticks "$pid") - p0)) server=$(($(ticks "$server_pid") - s0))
  kill "$pid" "$launcher" 2>/dev/null || true
  wait "$launcher" 2>/dev/null || true
}

idle Pelmo.exe
echo "idle Wine server beside the idle viewer (the floor): $server ticks in $seconds s = $(share "$server") % of one core"
idle Zarnet.exe
echo "idle designer alone: $own ticks in $seconds s = $(share "$own") % of one core"
echo "idle Wine server: $server ticks in $seconds s = $(share "$server") % of one core"
both=$((own + server))
echo "idle designer and Wine server: $both ticks of $hz per second in $seconds s = $(share "$both") % of one core"
