#!/usr/bin/env bash
# Sets up the machine if needed, builds, and shows the bundled example
# design: a readable listing of it from zarnet-cli.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
bash scripts/setup.sh
bash scripts/build.sh native
exec build/native/cli/zarnet-cli dump "${1:-examples/example.zrf}"
