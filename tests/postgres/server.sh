#!/usr/bin/env bash
# A private PostgreSQL server for the tests that run on a server database.
#
#   server.sh start DIR   initialises a UTF-8 cluster in a new folder under
#                         the temporary folder, starts it on a free port of
#                         127.0.0.1 and writes DIR/connection, the ODBC
#                         connection attributes the tests use (Server, Port,
#                         UID, PWD, one a line)
#   server.sh stop DIR    stops the server started for DIR and removes its folder
#
# The server refuses to run as root: run as root, it runs as the `postgres`
# user, and its folder (data, socket, log) is that user's, outside the build
# tree. Only the server's own superuser, with a password made up for the run,
# may log in, and only over 127.0.0.1. A server left over by an interrupted
# run of the same DIR is stopped first. Fails, saying why, when PostgreSQL is
# not installed or does not start.
set -euo pipefail

usage() {
  echo "usage: $0 start|stop DIR" >&2
  exit 2
}
[[ $# -eq 2 ]] || usage
command=$1
dir=$2
state="$dir/server"
superuser=qelt

run_as_server() {
  if [[ $(id -u) -eq 0 ]]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

stop() {
  [[ -f $state ]] || return 0
  local bindir data
  { read -r bindir && read -r data; } <"$state"
  if [[ -f $data/db/postmaster.pid ]]; then
    (cd / && run_as_server "$bindir/pg_ctl" -D "$data/db" -m fast -w stop >/dev/null) ||
      echo "postgres: the server in $data did not stop cleanly" >&2
  fi
  rm -rf -- "$data"
  rm -f -- "$state" "$dir/connection"
}

# The newest installed server (Debian keeps each major version apart).
server_bindir() {
  local found
  found=$(printf '%s\n' /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
  if [[ -z $found || ! -x $found/initdb || ! -x $found/pg_ctl ]]; then
    echo "postgres: no PostgreSQL server is installed (Debian package postgresql;" \
      "scripts/bootstrap.sh installs it)" >&2
    exit 1
  fi
  echo "$found"
}

port_in_use() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

start() {
  stop
  local bindir data password port started="" base
  bindir=$(server_bindir)
  if [[ $(id -u) -eq 0 ]] && ! id postgres >/dev/null 2>&1; then
    echo "postgres: running as root needs the user postgres (created by the postgresql package)" >&2
    exit 1
  fi
  mkdir -p "$dir"
  # As root, under /tmp: a TMPDIR of root's may be closed to the postgres user.
  base=${TMPDIR:-/tmp}
  [[ $(id -u) -eq 0 ]] && base=/tmp
  data=$(mktemp -d "$base/qelt-postgres-XXXXXX")
  printf '%s\n%s\n' "$bindir" "$data" >"$state"
  [[ $(id -u) -eq 0 ]] && chown postgres: "$data"

  password=$(head -c 24 /dev/urandom | od -An -tx1 | tr -d ' \n')
  (umask 077 && printf '%s\n' "$password" >"$data/password")
  [[ $(id -u) -eq 0 ]] && chown postgres: "$data/password"
  # The server's tools refuse a working folder they cannot read (the build
  # tree of root, say), hence every call from its own folder.
  if ! (cd "$data" && run_as_server "$bindir/initdb" -D "$data/db" -U "$superuser" \
    --pwfile="$data/password" --auth=scram-sha-256 --encoding=UTF8 --locale=C \
    --no-sync >"$data/initdb.log" 2>&1); then
    cat "$data/initdb.log" >&2
    echo "postgres: initdb failed" >&2
    exit 1
  fi
  rm -f -- "$data/password"

  # A port that looks free can be taken before the server binds it: try
  # again on another one.
  for _ in $(seq 1 20); do
    port=$((20000 + RANDOM % 40000))
    port_in_use "$port" && continue
    if (cd "$data" && run_as_server "$bindir/pg_ctl" -D "$data/db" -l "$data/server.log" -w -t 60 \
      -o "-p $port -k $data -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
      start >/dev/null); then
      started=yes
      break
    fi
    grep -q "could not bind\|already in use" "$data/server.log" 2>/dev/null || break
  done
  if [[ -z $started ]]; then
    cat "$data/server.log" >&2 2>/dev/null || true
    echo "postgres: the server did not start" >&2
    exit 1
  fi
  (umask 077 && printf 'Server=127.0.0.1\nPort=%s\nUID=%s\nPWD=%s\n' "$port" "$superuser" \
    "$password" >"$dir/connection")
  echo "postgres: $("$bindir/postgres" --version) on 127.0.0.1:$port, data in $data"
}

case $command in
  start) start ;;
  stop) stop ;;
  *) usage ;;
esac
