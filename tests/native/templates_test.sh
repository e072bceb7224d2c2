#!/usr/bin/env bash
# The templates shipped beside the programs: each one is what
# write_templates makes today, and zarnet-cli finds it well formed.
# Usage: templates_test.sh WRITE_TEMPLATES CLI TEMPLATES_FOLDER
set -u
writer="$1"
cli="$2"
shipped="$3"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
"$writer" "$tmp" || { echo "FAIL write_templates"; exit 1; }
count=0
passed=0
for made in "$tmp"/*.zrf; do
  name="$(basename "$made")"
  count=$((count + 1))
  if ! cmp -s "$made" "$shipped/$name"; then
    echo "FAIL $name: not what write_templates makes (run it into $shipped)"
    failures=$((failures + 1))
  elif ! "$cli" check "$shipped/$name"; then
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
done
[ "$count" = 3 ] || { echo "FAIL $count templates made, not 3"; failures=$((failures + 1)); }
[ "$(ls "$shipped" | wc -l)" = "$count" ] ||
  { echo "FAIL $shipped holds files write_templates does not make"; failures=$((failures + 1)); }
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
