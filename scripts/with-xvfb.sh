#!/usr/bin/env bash
# Runs a command with DISPLAY set to an Xvfb server started for it on a free
# display number, and stops that server (and only that one) afterwards.
set -uo pipefail

n=${ZARNET_XVFB_FIRST:-90}
while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
cleanup() { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
trap cleanup EXIT INT TERM
for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X${n}" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "with-xvfb: Xvfb did not start" >&2; exit 1; fi
  sleep 0.05
done
export DISPLAY=":$n"
"$@"
