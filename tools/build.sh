#!/usr/bin/env bash
# Configures and builds TARIX into build/ (the runnable installation is build/bin).
# With target names (tools/demo.sh: "tarix installation") only those are built; without,
# everything: the program, its installation, the tests and the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ $# -gt 0 ]; then
  cmake --build build --parallel "$(nproc)" --target "$@"
else
  cmake --build build --parallel "$(nproc)"
fi
