# Starts and stops a throwaway PostgreSQL 15 server for the tests: initdb into a temporary folder,
# its own port on 127.0.0.1, trust login for the user "postgres". The server refuses to run as root,
# so as root it runs as the postgres system user. Sets KV_TEST_PG to a libpq connection string.
pg_bin=/usr/lib/postgresql/15/bin

pgtemp_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

pgtemp_start() {
  PGTEMP_DIR=$(mktemp -d /tmp/kv-pg.XXXXXX)
  chmod 755 "$PGTEMP_DIR"
  [ "$(id -u)" -eq 0 ] && chown postgres "$PGTEMP_DIR"
  PGTEMP_PORT=${KV_PG_PORT:-$((54000 + RANDOM % 900))}
  pgtemp_as_owner "$pg_bin/initdb" -D "$PGTEMP_DIR/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >/dev/null
  pgtemp_as_owner "$pg_bin/pg_ctl" -D "$PGTEMP_DIR/data" -l "$PGTEMP_DIR/log" -w \
    -o "-p $PGTEMP_PORT -k $PGTEMP_DIR -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null
  export KV_TEST_PG="host=127.0.0.1 port=$PGTEMP_PORT user=postgres dbname=postgres"
  echo "PostgreSQL for the tests on 127.0.0.1:$PGTEMP_PORT"
}

pgtemp_stop() {
  [ -n "${PGTEMP_DIR:-}" ] || return 0
  pgtemp_as_owner "$pg_bin/pg_ctl" -D "$PGTEMP_DIR/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$PGTEMP_DIR"
}
