#!/usr/bin/env bash
# Installs what is needed, builds the program and its demo installation (not the tests or
# benchmarks: tools/test.sh builds those), and starts TARIX on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh tarix installation
exec build/bin/tarix "$@"
