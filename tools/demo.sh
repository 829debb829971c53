#!/usr/bin/env bash
# Installs what is needed, builds, and starts TARIX on the demo installation.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
exec build/bin/tarix "$@"
