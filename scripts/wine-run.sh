#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's private prefix. Used by
# ctest as the cross-compiling emulator. Without a display it brings up its
# own Xvfb for this one run.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"
zarnet_wine_env "$1"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-xvfb.sh" wine "$@"
fi
exec wine "$@"
