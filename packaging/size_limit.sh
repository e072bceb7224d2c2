#!/usr/bin/env bash
# Prints the largest size in bytes a shipped program may have, stripped as
# the zips hold it: the i686 limits of size_limits.txt, and 15% more for the
# x86_64 programs, whose code and pointers are wider.
#   packaging/size_limit.sh PROGRAM.exe win32|win64
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
limit="$(sed -n "s/^$1=//p" "$here/size_limits.txt")"
if [ -z "$limit" ]; then
  echo "size_limit: no limit for '$1' in $here/size_limits.txt" >&2
  exit 2
fi
case "$2" in
  win32) echo "$limit" ;;
  win64) echo $((limit * 115 / 100)) ;;
  *) echo "size_limit: unknown architecture '$2'" >&2; exit 2 ;;
esac
