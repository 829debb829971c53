#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test; the tests of the database server
# backend run against a throwaway PostgreSQL cluster (tools/pg_test_cluster.sh), started
# here and stopped when the script ends, whether the tests pass or not.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
bash tools/build.sh
pgdir=$(mktemp -d "${TMPDIR:-/tmp}/tarix-pg.XXXXXX")
root=$(pwd)
# The tests' result is the script's: stopping the cluster never changes it.
trap 'rc=$?; bash "$root/tools/pg_test_cluster.sh" stop "$pgdir" || true; exit $rc' EXIT
TARIX_TEST_PG=$(bash "$root/tools/pg_test_cluster.sh" start "$pgdir")
export TARIX_TEST_PG
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 600
