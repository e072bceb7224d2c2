#!/usr/bin/env bash
# The figures the programs are held to, each as a ratio to its limit (below
# 1 is within it), in one run: the stripped programs' sizes, the designer's
# open of a 1,000-gadget design against the viewer's (in one process and as
# whole programs), and the idle designer's processor use. Run under a
# display (scripts/with-xvfb.sh) on a Windows build folder:
#   bench/figures.sh [BUILD_FOLDER]   (default: the build the scripts run)
# Sizes are what the zips hold only for a Release build (scripts/package.sh
# builds one in build/package-win32).
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
. "$ROOT/scripts/wine-env.sh"
build="$(cd "${1:-$ROOT/build/$(zarnet_wine_build)}" && pwd)"
list="$build/package/programs.txt"
arch=win32
grep -q 'x86_64' "$build/CMakeCache.txt" && arch=win64

ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a / b}'; }

echo "== sizes ($arch, stripped)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
triple=i686-w64-mingw32
[ "$arch" = win64 ] && triple=x86_64-w64-mingw32
for exe in Zarnet.exe Pelmo.exe zarnet-cli.exe zarnet-assoc.exe; do
  program="$(sed -n "s/^$exe=//p" "$list")"
  "$triple-strip" -o "$tmp/$exe" "$program"
  size="$(stat -c %s "$tmp/$exe")"
  limit="$("$ROOT/packaging/size_limit.sh" "$exe" "$arch")"
  printf '%-17s %9d bytes  limit %9d  %s of limit\n' "$exe" "$size" "$limit" "$(ratio "$size" "$limit")"
done

# The x86_64 programs may be 15% larger than the i686 ones: measured when
# the other architecture's build lies beside this one (build/win32 and
# build/win64, or build/package-win32 and build/package-win64).
other="$(dirname "$build")/$(basename "$build" | sed 's/win32/WIN64/; s/win64/win32/; s/WIN64/win64/')"
if [ "$other" != "$build" ] && [ -f "$other/package/programs.txt" ]; then
  echo "== x86_64 over i686 (limit 1.15)"
  small="$build"; large="$other"
  [ "$arch" = win64 ] && { small="$other"; large="$build"; }
  for exe in Zarnet.exe Pelmo.exe zarnet-cli.exe zarnet-assoc.exe; do
    i686-w64-mingw32-strip -o "$tmp/32-$exe" "$(sed -n "s/^$exe=//p" "$small/package/programs.txt")"
    x86_64-w64-mingw32-strip -o "$tmp/64-$exe" "$(sed -n "s/^$exe=//p" "$large/package/programs.txt")"
    r="$(ratio "$(stat -c %s "$tmp/64-$exe")" "$(stat -c %s "$tmp/32-$exe")")"
    printf '%-17s %sx the i686 program  %s of limit\n' "$exe" "$r" "$(ratio "$r" 1.15)"
  done
fi

echo "== opening a 1,000-gadget design, designer over viewer"
# Google Benchmark is cross-built on request only; the build folder then
# looks for it again.
bash "$ROOT/scripts/setup.sh" --benches >/dev/null 2>&1 || { echo "setup.sh --benches failed"; exit 1; }
cmake "$build" >/dev/null && cmake --build "$build" --target designer_bench >/dev/null || exit 1
out="$(ZARNET_BUILD="$build" "$ROOT/scripts/wine-run.sh" "$build/bench/designer_bench.exe" \
  --benchmark_filter='DesignerOpenOverViewer|DesignerStartOverViewerStart' 2>&1)"
for pair in "DesignerOpenOverViewer in one process:1.1" "DesignerStartOverViewerStart as whole programs:1.3"; do
  name="${pair%%:*}"; limit="${pair##*:}"
  r="$(grep "^BM_${name%% *}" <<<"$out" | sed -n 's/.*ratio=\([0-9.]*\).*/\1/p' | head -1)"
  if [ -z "$r" ]; then echo "$name: no figure"; echo "$out" | tail -5; continue; fi
  printf '%-48s %5sx the viewer  limit %sx  %s of limit\n' "${name#* }" "$r" "$limit" "$(ratio "$r" "$limit")"
done

echo "== idle designer (limit 0.3% of one core)"
idle="$("$ROOT/bench/designer_idle.sh" "$build" 2>&1)"
line="$(tail -1 <<<"$idle")"
share="$(sed -n 's/.*= *\([0-9.]*\) *% of one core.*/\1/p' <<<"$line")"
grep -E '^idle (designer alone|Wine server beside)' <<<"$idle" || true
echo "$line"
[ -n "$share" ] && echo "idle share: $(ratio "$share" 0.3) of limit"
exit 0
