#!/usr/bin/env bash
# zarnet-cli as a user runs it: exit codes, messages and round trips.
# Usage: cli_test.sh CLI EXAMPLE
set -u
cli="$1"
example="$2"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0

expect() {  # expect NAME EXIT-CODE STDERR-PATTERN -- COMMAND...
  local name="$1" code="$2" pattern="$3"
  shift 4
  "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  if [ "$rc" != "$code" ] || { [ -n "$pattern" ] && ! grep -qE -- "$pattern" "$tmp/err"; }; then
    echo "FAIL $name: exit $rc (want $code), stderr: $(head -3 "$tmp/err")"
    failures=$((failures + 1))
  fi
}

head -c 60 "$example" >"$tmp/short.zrf"
printf 'not a design' >"$tmp/junk.zrf"
cp "$example" "$tmp/tail.zrf" && printf '\0' >>"$tmp/tail.zrf"

expect "no arguments" 2 "^usage:" -- "$cli"
expect "unknown command" 2 "zarnet-cli check FILE" -- "$cli" frobnicate
expect "dump without file" 2 "^usage:" -- "$cli" dump
expect "roundtrip with one file" 2 "^usage:" -- "$cli" roundtrip "$example"
expect "dump example" 0 "" -- "$cli" dump "$example"
grep -q 'tab 1 "Details"' "$tmp/out" || { echo "FAIL dump lists the second tab"; failures=$((failures + 1)); }
expect "check example" 0 "" -- "$cli" check "$example"
expect "check missing" 1 "missing.zrf: cannot be opened or read" -- "$cli" check "$tmp/missing.zrf"
expect "check truncated" 1 "short.zrf: offset [0-9]+: record count 18 exceeds the data" -- "$cli" check "$tmp/short.zrf"
expect "check junk" 1 "junk.zrf: offset 12: data ends inside grid step" -- "$cli" check "$tmp/junk.zrf"
expect "check tail" 1 "tail.zrf: offset [0-9]+: 1 bytes after the trailer" -- "$cli" check "$tmp/tail.zrf"
expect "roundtrip example" 0 "" -- "$cli" roundtrip "$example" "$tmp/copy.zrf"
cmp -s "$example" "$tmp/copy.zrf" || { echo "FAIL roundtrip is not byte-identical"; failures=$((failures + 1)); }
cp "$example" "$tmp/keep.zrf"
expect "roundtrip of a bad file" 1 "short.zrf: offset" -- "$cli" roundtrip "$tmp/short.zrf" "$tmp/keep.zrf"
cmp -s "$example" "$tmp/keep.zrf" || { echo "FAIL a failed roundtrip touched its output"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "cli: all cases passed"
exit "$failures"
