#!/usr/bin/env bash
# zarnet-cli as a user runs it: exit codes, messages and round trips.
# Usage: cli_test.sh CLI EXAMPLE VERSION
set -u
cli="$1"
example="$2"
version="$3"
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
expect "version" 0 "" -- "$cli" --version
[ "$(cat "$tmp/out")" = "zarnet-cli $version" ] ||
  { echo "FAIL --version prints '$(cat "$tmp/out")'"; failures=$((failures + 1)); }
expect "version with more" 2 "^usage:" -- "$cli" --version extra
expect "unknown command" 2 "zarnet-cli check \\[--keyboard\\] FILE" -- "$cli" frobnicate
expect "dump without file" 2 "^usage:" -- "$cli" dump
expect "roundtrip with one file" 2 "^usage:" -- "$cli" roundtrip "$example"
expect "dump example" 0 "" -- "$cli" dump "$example"
grep -q 'tab 1 "Details"' "$tmp/out" || { echo "FAIL dump lists the second tab"; failures=$((failures + 1)); }
expect "check example" 0 "" -- "$cli" check "$example"
expect "check missing" 1 "missing.zrf: cannot be opened or read" -- "$cli" check "$tmp/missing.zrf"
expect "check truncated" 1 "short.zrf: offset [0-9]+: record count 18 exceeds the data" -- "$cli" check "$tmp/short.zrf"
expect "check junk" 1 "junk.zrf: offset 12: data ends inside grid step" -- "$cli" check "$tmp/junk.zrf"
expect "check tail" 1 "tail.zrf: offset [0-9]+: 1 bytes after the trailer" -- "$cli" check "$tmp/tail.zrf"
# The keyboard check lists findings on stdout, one a line, and tells by its
# exit code: 0 none, 1 some, 2 an unreadable file (with no usage text).
expect "keyboard example" 1 "" -- "$cli" check --keyboard "$example"
grep -qx "$example: gadget 6 \"ComboBoxGadget\": no TextGadget directly before it in tab order names it (gadget 5 \"OptionGadget\" comes before it)" "$tmp/out" ||
  { echo "FAIL keyboard example: $(head -2 "$tmp/out")"; failures=$((failures + 1)); }
[ "$(wc -l <"$tmp/out")" = 4 ] || { echo "FAIL keyboard example: $(wc -l <"$tmp/out") findings"; failures=$((failures + 1)); }
expect "keyboard missing" 2 "missing.zrf: cannot be opened or read" -- "$cli" check --keyboard "$tmp/missing.zrf"
grep -q "^usage:" "$tmp/err" && { echo "FAIL keyboard missing prints the usage"; failures=$((failures + 1)); }
expect "keyboard junk" 2 "junk.zrf: offset" -- "$cli" check --keyboard "$tmp/junk.zrf"
expect "keyboard without file" 2 "^usage:" -- "$cli" check --keyboard
expect "keyboard flag misplaced" 2 "^usage:" -- "$cli" check "$example" --keyboard
expect "roundtrip example" 0 "" -- "$cli" roundtrip "$example" "$tmp/copy.zrf"
cmp -s "$example" "$tmp/copy.zrf" || { echo "FAIL roundtrip is not byte-identical"; failures=$((failures + 1)); }
cp "$example" "$tmp/keep.zrf"
expect "roundtrip of a bad file" 1 "short.zrf: offset" -- "$cli" roundtrip "$tmp/short.zrf" "$tmp/keep.zrf"
cmp -s "$example" "$tmp/keep.zrf" || { echo "FAIL a failed roundtrip touched its output"; failures=$((failures + 1)); }

# Generation never destroys a file: not the design, not any design file, and
# nothing else that exists unless --force is given.
same() {  # same NAME FILE COPY: FILE must still hold what COPY holds
  cmp -s "$2" "$3" || { echo "FAIL $1: $2 changed"; failures=$((failures + 1)); }
}
absent() {  # absent NAME FILE...
  local name="$1"; shift
  for f in "$@"; do
    [ -e "$f" ] && { echo "FAIL $name: $f was written"; failures=$((failures + 1)); }
  done
}
mkdir "$tmp/gen" "$tmp/self"
cp "$example" "$tmp/gen/form.zrf"
form="$tmp/gen/form.zrf"
expect "program over its design" 1 "form.zrf: is a design file" -- "$cli" generate program "$form" "$form" --force
same "program over its design" "$form" "$example"
absent "program over its design" "$form.pb" "$tmp/gen/zarnet_include.pbi"
expect "program over another design name" 1 "OTHER.ZRF: is a design file" -- "$cli" generate program "$form" "$tmp/gen/OTHER.ZRF"
absent "program over another design name" "$tmp/gen/OTHER.ZRF" "$tmp/gen/OTHER.ZRF.pb"
expect "program gets .pb" 0 "" -- "$cli" generate program "$form" "$tmp/gen/form"
grep -q 'IncludeBinary "form.zrf"' "$tmp/gen/form.pb" || { echo "FAIL program gets .pb: no form.pb"; failures=$((failures + 1)); }
cp "$tmp/gen/form.pb" "$tmp/first.pb"
printf 'my own code' >"$tmp/gen/mine.PB"
cp "$tmp/gen/mine.PB" "$tmp/mine.PB"
expect "program over a source" 1 "mine.PB: already exists; add --force to replace it" -- "$cli" generate program "$form" "$tmp/gen/mine.PB"
same "program over a source" "$tmp/gen/mine.PB" "$tmp/mine.PB"
: >"$tmp/gen/empty.pb"
expect "program over an empty file" 1 "empty.pb: already exists" -- "$cli" generate program "$form" "$tmp/gen/empty.pb"
# The include written by the first run is ours: a second program beside it
# replaces it; a file of that name that is not ours is kept.
expect "program beside our include" 0 "" -- "$cli" generate program "$form" "$tmp/gen/new.pb"
grep -q 'IncludeBinary "form.zrf"' "$tmp/gen/new.pb" || { echo "FAIL program beside our include: no new.pb"; failures=$((failures + 1)); }
cp "$tmp/gen/zarnet_include.pbi" "$tmp/ours.pbi"
printf 'my own include\r\n' >"$tmp/gen/zarnet_include.pbi"
cp "$tmp/gen/zarnet_include.pbi" "$tmp/theirs.pbi"
expect "program beside another include" 1 "zarnet_include.pbi: already exists" -- "$cli" generate program "$form" "$tmp/gen/other.pb"
absent "program beside another include" "$tmp/gen/other.pb"
same "program beside another include" "$tmp/gen/zarnet_include.pbi" "$tmp/theirs.pbi"
cp "$tmp/ours.pbi" "$tmp/gen/zarnet_include.pbi"
expect "program with --force" 0 "" -- "$cli" generate program "$form" "$tmp/gen/mine.PB" --force
same "program with --force" "$tmp/gen/mine.PB" "$tmp/first.pb"
cp "$tmp/gen/zarnet_include.pbi" "$tmp/include.pbi"
printf ';my own first line\r\n' | cat - "$tmp/include.pbi" >"$tmp/gen/zarnet_include.pbi"
expect "include over an include" 1 "zarnet_include.pbi: already exists" -- "$cli" generate include "$form"
expect "include with --force" 0 "" -- "$cli" generate include --force "$form"
same "include with --force" "$tmp/gen/zarnet_include.pbi" "$tmp/include.pbi"
cp "$example" "$tmp/self/zarnet_include.pbi"
expect "include over its design" 1 "zarnet_include.pbi: is a design file" -- "$cli" generate include "$tmp/self/zarnet_include.pbi" --force
same "include over its design" "$tmp/self/zarnet_include.pbi" "$example"
expect "constants take no --force" 2 "^usage:" -- "$cli" constants "$form" --force
leftovers=$(find "$tmp/gen" "$tmp/self" -name '*.tmp~')
[ -z "$leftovers" ] || { echo "FAIL temporary files left: $leftovers"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "cli: all cases passed"
exit "$failures"
