#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests: a fresh cluster in a folder of its own,
# reached only through a local socket in that folder (no TCP port, so several clusters
# never collide), owned by an unprivileged user (initdb refuses root: as root the cluster
# runs as "nobody"). Durability is switched off: nothing in it outlives the test run.
#
#   pg_test_cluster.sh start DIR   creates and starts the cluster in DIR (created if
#                                  missing) and prints its libpq connection string
#   pg_test_cluster.sh stop DIR    stops it and removes DIR
#
# tools/test.sh exports the printed string as TARIX_TEST_PG; tests that need a server
# read it from there.
set -euo pipefail

usage() { echo "usage: $0 start|stop DIR" >&2; exit 2; }
[ $# -eq 2 ] || usage
cmd=$1
dir=$2

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1 || true)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "PostgreSQL server programs not found (Debian package postgresql)" >&2
  exit 1
fi

owner=""
[ "$(id -u)" -eq 0 ] && owner=nobody
as_owner() {
  if [ -n "$owner" ]; then
    runuser -u "$owner" -- "$@"
  else
    "$@"
  fi
}

case "$cmd" in
start)
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  [ -n "$owner" ] && chown "$owner" "$dir"
  as_owner "$bindir/initdb" -D "$dir/data" -U tarix -A trust -E UTF8 --no-locale --no-sync \
    >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  as_owner "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 30 \
    -o "-c listen_addresses='' -k '$dir' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
    start >/dev/null || { cat "$dir/server.log" >&2; exit 1; }
  echo "host=$dir user=tarix dbname=postgres"
  ;;
stop)
  if [ -d "$dir/data" ]; then
    # pg_ctl's own wait polls once a second; the server is gone well before that.
    as_owner "$bindir/pg_ctl" -D "$dir/data" -m immediate -W stop >/dev/null 2>&1 || true
    for _ in $(seq 50); do
      [ -f "$dir/data/postmaster.pid" ] || break
      sleep 0.1
    done
  fi
  rm -rf "$dir"
  ;;
*)
  usage
  ;;
esac
