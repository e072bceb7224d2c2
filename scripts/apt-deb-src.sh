#!/usr/bin/env bash
# Prints deb-src entries (deb822) for the Debian release this machine
# installs its binary packages from: the same URIs and release suite,
# component main, the same Signed-By. Whatever mirror a machine uses is the
# one its sources come from. Nothing is printed for a URI and suite that a
# deb-src entry in the given files already covers.
#
# Only the release suite itself: the sources built from it then stay the
# same on every machine, and a point-release or security suite's newest
# source may not be on a mirror that already lists it.
#
# Usage: apt-deb-src.sh CODENAME FILE...
#   CODENAME  the release, e.g. bookworm (VERSION_CODENAME in /etc/os-release)
#   FILE      apt source lists: one-line format (*.list, sources.list) or
#             deb822 (*.sources); missing files are skipped
#
# An entry counts as Debian's when its Signed-By names a Debian archive
# keyring, or when it names no key and its suite is CODENAME. Other archives
# (a vendor's "stable main") are left alone: they seldom carry sources.
set -euo pipefail
codename="${1:?usage: apt-deb-src.sh CODENAME FILE...}"
shift
files=()
for f in "$@"; do
  if [ -f "$f" ]; then files+=("$f"); fi
done
if [ ${#files[@]} -eq 0 ]; then exit 0; fi

awk -v codename="$codename" '
function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
function normuri(u) { sub(/\/+$/, "", u); return u }
function has(list, word,   n, i, a) {
  n = split(list, a, /[ \t]+/)
  for (i = 1; i <= n; i++) if (a[i] == word) return 1
  return 0
}
# A release suite ("bookworm", "stable"), not its updates ("bookworm-security").
function debian(suite, signedby) {
  if (suite ~ /-/) return 0
  if (signedby != "") return signedby ~ /debian-archive/
  return suite == codename
}
# One source: TYPES, URIS and SUITES are space-separated lists.
function add(types, uris, suites, comps, signedby, trusted,   nu, ns, u, s, U, S, key) {
  if (!has(comps, "main")) return
  nu = split(uris, U, /[ \t]+/)
  ns = split(suites, S, /[ \t]+/)
  for (u = 1; u <= nu; u++) {
    if (U[u] == "" || U[u] ~ /^cdrom:/) continue
    for (s = 1; s <= ns; s++) {
      if (S[s] == "" || S[s] ~ /\/$/) continue
      if (has(types, "deb-src")) covered[normuri(U[u]) " " S[s]] = 1
      if (!has(types, "deb") || !debian(S[s], signedby)) continue
      key = U[u] SUBSEP signedby SUBSEP trusted
      if (!(key in suitesOf)) { order[++groups] = key; suitesOf[key] = "" }
      pair[key, S[s]] = normuri(U[u]) " " S[s]
      if (!has(suitesOf[key], S[s])) suitesOf[key] = trim(suitesOf[key] " " S[s])
    }
  }
}
# deb822: stanzas separated by blank lines; "#" lines are comments; lines
# starting with white space continue the field above (an inline key).
function flush() {
  if (fields && tolower(F["enabled"]) != "no")
    add(F["types"], F["uris"], F["suites"], F["components"], F["signed-by"], tolower(F["trusted"]))
  split("", F); field = ""; fields = 0
}
FNR == 1 { if (deb822) flush(); deb822 = FILENAME ~ /\.sources$/ }
deb822 && /^#/ { next }
deb822 && /^[ \t]*$/ { flush(); next }
deb822 && /^[ \t]/ {
  if (field == "signed-by") F[field] = F[field] "\n" $0
  else if (field != "") F[field] = F[field] " " trim($0)
  next
}
deb822 {
  i = index($0, ":"); if (i == 0) next
  field = tolower(trim(substr($0, 1, i - 1)))
  F[field] = trim(substr($0, i + 1)); fields++
  next
}
# One-line format: TYPE [options] URI SUITE COMPONENT...
{
  line = $0; sub(/#.*/, "", line); line = trim(line)
  if (line == "") next
  type = line; sub(/[ \t].*/, "", type); rest = trim(substr(line, length(type) + 1))
  signedby = ""; trusted = ""
  if (substr(rest, 1, 1) == "[") {
    j = index(rest, "]"); if (j == 0) next
    n = split(substr(rest, 2, j - 2), opts, /[ \t]+/)
    for (k = 1; k <= n; k++) {
      if (opts[k] ~ /^signed-by=/) { signedby = substr(opts[k], 11); gsub(/,/, " ", signedby) }
      if (opts[k] ~ /^trusted=/) trusted = substr(opts[k], 9)
    }
    rest = trim(substr(rest, j + 1))
  }
  n = split(rest, w, /[ \t]+/)
  if (n < 3) next
  comps = ""; for (k = 3; k <= n; k++) comps = comps " " w[k]
  add(type, w[1], w[2], comps, signedby, trusted)
}
END {
  if (deb822) flush()
  for (g = 1; g <= groups; g++) {
    key = order[g]; split(key, K, SUBSEP)
    n = split(suitesOf[key], S, " "); keep = ""
    for (s = 1; s <= n; s++) if (!(pair[key, S[s]] in covered)) keep = trim(keep " " S[s])
    if (keep == "") continue
    if (printed++) print ""
    print "Types: deb-src"
    print "URIs: " K[1]
    print "Suites: " keep
    print "Components: main"
    if (K[2] != "") print "Signed-By: " K[2]
    if (K[3] == "yes") print "Trusted: yes"
  }
}
' "${files[@]}"
