#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix, with the
# loader that fits the program (wine32 for i686, wine64 for x86_64). Used by
# ctest as the cross-compiling emulator. Without a display it brings up its
# own Xvfb for this one run.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
zarnet_wine_env "$1" || exit 1
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-xvfb.sh" "$ZARNET_WINE" "$@"
fi
exec "$ZARNET_WINE" "$@"
