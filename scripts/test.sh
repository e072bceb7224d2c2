#!/usr/bin/env bash
# Sets up the machine if needed, builds every configuration and runs every
# test: native tests, Windows tests under Wine + Xvfb (the i686 and the x86_64
# build; the x86_64 build alone where 32-bit programs cannot run, see
# wine-env.sh), and each fuzzer for a bounded time on seeds written by our
# own writer.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
FUZZ_SECONDS="${ZARNET_FUZZ_SECONDS:-30}"
FUZZ_LARGE_SECONDS="${ZARNET_FUZZ_LARGE_SECONDS:-15}"
cd "$ROOT"

bash scripts/setup.sh || exit 1
. scripts/wine-env.sh
zarnet_wine_choose || exit 1
bash scripts/build.sh native win32 win64 || exit 1

passed=0
failed=0
record() {  # record LOGFILE: add the counts of one ctest run
  local line
  line="$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$1" | tail -1)"
  if [ -z "$line" ]; then failed=$((failed + 1)); return; fi
  local bad total
  bad="$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")"
  total="$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")"
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

echo "== script tests"
for t in tests/scripts/*_test.sh; do
  if bash "$t"; then passed=$((passed + 1)); else echo "$t: FAILED"; failed=$((failed + 1)); fi
done

echo "== native tests"
(cd build/native && ctest --output-on-failure -j2) 2>&1 | tee build/native-tests.log
record build/native-tests.log

# One bounded run of a fuzzer; its exit status goes to build/fuzz/NAME.rc.
run_fuzzer() {  # run_fuzzer FUZZER
  local fuzzer="$1" name corpus d
  name="$(basename "$fuzzer")"
  corpus="$ROOT/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  local seed_dirs=()
  case "$name" in
    compact*) seed_dirs=("$seeds/compact") ;;
    design* | record* | clipboard*) seed_dirs=("$seeds/design") ;;
  esac
  # Committed seed pictures and the like: corpus/<name> or corpus/<prefix>.
  for d in "tests/fuzz/corpus/${name%_fuzz}" "tests/fuzz/corpus/${name%%_*}"; do
    [ -d "$d" ] && { seed_dirs+=("$d"); break; }
  done
  "$fuzzer" -max_total_time="$FUZZ_SECONDS" -max_len=65536 -print_final_stats=0 \
    "$corpus" "${seed_dirs[@]}" >"build/fuzz/$name.log" 2>&1
  local rc=$?
  # Then inputs of megabytes, with memory held to a bound: a reader that
  # takes memory from what a file claims (a count, a length) rather than
  # from what it brings ends the run. A design's largest legitimate block is
  # its list of items (under 64 MB); a picture's is its pixels at the most
  # allowed (128 MB), which a decoder may hold twice while it grows them.
  if [ $rc = 0 ]; then
    mkdir -p "$corpus-large"
    local limit=96
    case "$name" in imaging*) limit=320 ;; esac
    "$fuzzer" -max_total_time="$FUZZ_LARGE_SECONDS" -max_len=4194304 -malloc_limit_mb=$limit \
      -rss_limit_mb=2048 -print_final_stats=0 "$corpus-large" "$seeds/large" "${seed_dirs[@]}" \
      >>"build/fuzz/$name.log" 2>&1
    rc=$?
  fi
  echo $rc >"build/fuzz/$name.rc"
}

# The fuzz build and the fuzzers run beside the Windows tests, at the idle
# priority: those tests spend much of their time waiting for Wine and the X
# server, and the fuzzers take only what the tests leave of the processor.
# Each fuzzer runs for its set time however much processor it gets.
fuzz_all() {
  if ! bash scripts/build.sh fuzz >build/fuzz-build.log 2>&1; then
    echo 1 >build/fuzz-build.rc
    return
  fi
  echo 0 >build/fuzz-build.rc
  seeds="$ROOT/build/fuzz/seeds"
  rm -rf "$seeds" && mkdir -p "$seeds"
  build/fuzz/tests/fuzz/write_design_seeds "$seeds/design" "$seeds/compact" "$seeds/large"
  # Each fuzzer is one process on one core: as many run at once as there are
  # cores.
  fuzz_jobs="$(nproc)"
  for fuzzer in build/fuzz/tests/fuzz/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    rm -f "build/fuzz/$(basename "$fuzzer").rc"
    while [ "$(jobs -rp | wc -l)" -ge "$fuzz_jobs" ]; do wait -n; done
    run_fuzzer "$fuzzer" &
  done
  wait
}
rm -f build/fuzz-build.rc
(chrt --idle -p 0 "$BASHPID" 2>/dev/null || renice -n 19 -p "$BASHPID" >/dev/null; fuzz_all) &
fuzz_job=$!

# Both shipped architectures where this machine runs 32-bit programs; the
# x86_64 build alone where it does not. Each build's suites run in two
# streams side by side: the designer's end-to-end suite (real X input, most
# of its time spent waiting for the programs it drives) and all the others.
# No two streams share anything: each has its own X display, and its own
# Wine prefix and server. Their logs are shown one after the other.
wine_configs=(win64)
[ "$ZARNET_WINE_RUNS32" = 1 ] && wine_configs=(win32 win64)
e2e_suite='^designer_e2e_tests$'
wine_stream() {  # wine_stream CONFIG LOG FIRST-DISPLAY CTEST-ARGS...
  local c="$1" log="$2" first="$3"
  shift 3
  (cd "build/$c" && ZARNET_XVFB_FIRST=$first "$ROOT/scripts/with-xvfb.sh" \
    ctest --output-on-failure --timeout 300 "$@") >"$log" 2>&1
}
display=90
wine_jobs=()
for c in "${wine_configs[@]}"; do
  wine_stream "$c" "build/$c-tests.log" $display -E "$e2e_suite" &
  wine_jobs+=($!)
  ZARNET_WINEPREFIX="$ROOT/build/$c/wineprefix-e2e" \
    wine_stream "$c" "build/$c-e2e-tests.log" $((display + 10)) -R "$e2e_suite" &
  wine_jobs+=($!)
  display=$((display + 20))
done
wait "${wine_jobs[@]}"
for c in "${wine_configs[@]}"; do
  case "$c" in
    win32) echo "== Windows tests under Wine: the i686 build (wine32)" ;;
    win64) echo "== Windows tests under Wine: the x86_64 build (wine64)" ;;
  esac
  for log in "build/$c-tests.log" "build/$c-e2e-tests.log"; do
    cat "$log"
    record "$log"
  done
done

# The zips (and, where 32-bit programs run, the setup program) made from the
# builds just tested, unpacked, installed and used as a user would.
echo "== package test"
if ZARNET_SKIP_SETUP=1 bash scripts/package.sh --test-builds >build/package-test.log 2>&1 &&
  scripts/with-xvfb.sh bash tests/package/package_test.sh build/dist-test \
    "$(sed -n 's/^VERSION=//p' build/win64/package/programs.txt)"; then
  passed=$((passed + 1))
else
  echo "package test: FAILED (packaging log: build/package-test.log)"
  failed=$((failed + 1))
fi

wait "$fuzz_job"
echo "== fuzzers, ${FUZZ_SECONDS}s each, then ${FUZZ_LARGE_SECONDS}s on large inputs"
fuzzers=()
if [ "$(cat build/fuzz-build.rc 2>/dev/null)" = 0 ]; then
  for fuzzer in build/fuzz/tests/fuzz/*_fuzz; do
    [ -x "$fuzzer" ] && fuzzers+=("$fuzzer")
  done
else
  echo "fuzz build: FAILED"; tail -40 build/fuzz-build.log
  failed=$((failed + 1))
fi
for fuzzer in "${fuzzers[@]}"; do
  name="$(basename "$fuzzer")"
  if [ "$(cat "build/fuzz/$name.rc" 2>/dev/null)" = 0 ]; then
    echo "fuzz $name: passed"
    passed=$((passed + 1))
  else
    echo "fuzz $name: FAILED"; tail -40 "build/fuzz/$name.log"
    failed=$((failed + 1))
  fi
done

zarnet_wine_note32
echo "all: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
