#!/usr/bin/env bash
# The demonstration run: for each dialect, a fresh embedded database receives a small sample plant (the
# five product modules' legacy tables with their rows), is migrated in place with progress and a
# reconciliation report, which is shown as a short table (each phase's time; the transfers that passed
# legacy rows over or left keys Null, and why; the totals), and is summarised. DEMO_SCALE sets the
# plant's size (default 1).
set -euo pipefail
build=${1:-build/release}
tm="$build/tools/tmigrate/tmigrate"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

summary() {  # dialect connection
  "$tm" sql "$1" "$2" <<'SQL'
select COUNT(*) AS NEW_TABLES from sqlite_master where type = 'table' and name like 'T/_SFC/_%' escape '/'
select name AS LEGACY_TABLES from sqlite_master where type = 'table' and name like 'T/_TRNK/_%' escape '/'
select DB_ITEM_CODE, DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE IN (1, 2, 3) order by DB_ITEM_CODE
select COUNT(*) AS SECURITY_OBJECTS from T_SFC_OBJECT
SQL
}

for dialect in access sql oracle; do
  db="$work/plant-$dialect.mdb"
  connection="Provider=Microsoft.Jet.OLEDB.4.0;Data Source=$db;"
  echo "== $dialect: $db"
  "$tm" create "$db"
  "$tm" sample "$dialect" "$connection" --scale "${DEMO_SCALE:-1}"
  echo "legacy plant: $(stat -c %s "$db") bytes"
  "$tm" migrate "$dialect" "$connection" --progress plain --report "$work/report-$dialect.json"
  "$tm" report "$work/report-$dialect.json"
  summary "$dialect" "$connection"
  echo "file after migration: $(stat -c %s "$db") bytes; other files: $(ls "$work" | grep -v '^plant-\|^report-' | wc -l)"
done
