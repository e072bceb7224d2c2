#!/usr/bin/env bash
# scripts/apt-deb-src.sh on apt source lists as machines have them: which
# entries count as Debian's, and what the deb-src entry derived from them is.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
derive="$here/../../scripts/apt-deb-src.sh"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0

# case NAME EXPECTED FILE=CONTENT...: the files are written under $tmp, then
# derived for bookworm; EXPECTED is the whole output.
case_() {
  local name="$1" want="$2" got
  shift 2
  rm -rf "$tmp/in" && mkdir -p "$tmp/in"
  local files=() spec
  for spec in "$@"; do
    printf '%s\n' "${spec#*=}" >"$tmp/in/${spec%%=*}"
    files+=("$tmp/in/${spec%%=*}")
  done
  got="$(bash "$derive" bookworm "${files[@]}" "$tmp/in/missing.list" 2>&1)"
  if [ "$got" != "$want" ]; then
    echo "FAIL $name"
    diff <(echo "$want") <(echo "$got") | sed 's/^/  /'
    failures=$((failures + 1))
  fi
}

KEY=/usr/share/keyrings/debian-archive-keyring.gpg

case_ "one-line mirror: its release suite; comments, contrib and update suites left out" \
"Types: deb-src
URIs: http://mirror.example.net/debian/
Suites: bookworm
Components: main" \
"sources.list=# deb http://old.example.net/debian bookworm main
deb http://mirror.example.net/debian/ bookworm main contrib
deb http://mirror.example.net/debian/ bookworm-updates main # point releases
deb http://security.example.net/debian-security bookworm-security main
deb http://mirror.example.net/debian/ bookworm contrib non-free"

case_ "options: Debian's key and trusted are kept, other keys and suites are not Debian's" \
"Types: deb-src
URIs: http://m.example.net/debian
Suites: bookworm
Components: main
Signed-By: $KEY

Types: deb-src
URIs: http://local.example.net/debian
Suites: stable
Components: main
Signed-By: /usr/share/keyrings/debian-archive-bookworm-stable.gpg
Trusted: yes" \
"a.list=deb [ arch=amd64,i386 signed-by=$KEY ] http://m.example.net/debian bookworm main
deb [signed-by=/usr/share/keyrings/debian-archive-bookworm-stable.gpg trusted=yes] http://local.example.net/debian stable main" \
"vendor.list=deb [signed-by=/usr/share/keyrings/vendor.gpg] https://apt.vendor.example.com bookworm main
deb https://apt.other.example.com stable main
deb cdrom:[Debian GNU/Linux 12]/ bookworm main
deb http://flat.example.net/repo ./"

case_ "deb822: comments, several URIs and suites, disabled stanzas, case of keys" \
"Types: deb-src
URIs: http://a.example.net/debian
Suites: bookworm stable
Components: main
Signed-By: $KEY

Types: deb-src
URIs: http://b.example.net/debian
Suites: bookworm stable
Components: main
Signed-By: $KEY" \
"debian.sources=Types: deb
# http://snapshot.example.net/archive/debian/20250520T000000Z
URIs: http://a.example.net/debian
  http://b.example.net/debian
Suites: bookworm bookworm-updates stable stable-security
Components: main contrib
Signed-By: $KEY

types: deb
uris: http://c.example.net/debian
suites: bookworm
components: main
enabled: no

Types: deb
URIs: http://d.example.net/debian
Suites: bookworm
Components: non-free-firmware"

case_ "deb-src entries already there cover their URI and suite only" \
"Types: deb-src
URIs: http://o.example.net/debian
Suites: bookworm
Components: main" \
"sources.list=deb http://m.example.net/debian bookworm main
deb http://o.example.net/debian bookworm main
deb-src http://m.example.net/debian/ bookworm main
deb-src http://o.example.net/debian bookworm-updates main" \
"extra.sources=Types: deb deb-src
URIs: http://n.example.net/debian
Suites: bookworm
Components: main"

case_ "an inline key is not taken for Debian's" \
"Types: deb-src
URIs: http://m.example.net/debian
Suites: bookworm
Components: main" \
"x.sources=Types: deb
URIs: http://m.example.net/debian
Suites: bookworm
Components: main

Types: deb
URIs: http://k.example.net/debian
Suites: bookworm
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mQINBF...
 -----END PGP PUBLIC KEY BLOCK-----"

case_ "nothing of Debian's: nothing printed" "" \
"sources.list=deb http://m.example.net/debian trixie main"

[ "$failures" -eq 0 ] && echo "apt-deb-src: all cases passed"
exit $((failures > 0))
