#!/usr/bin/env bash
# The demonstration run: a fresh embedded database, a few statements of each dialect through the
# engine, printed as the engine answers them.
set -euo pipefail
build=${1:-build/release}
tm="$build/tools/tmigrate/tmigrate"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for dialect in access sql oracle; do
  db="$work/plant-$dialect.mdb"
  "$tm" create "$db"
  echo "== $dialect: $db"
  case $dialect in
    access) key="COUNTER NOT NULL PRIMARY KEY"; text="VARCHAR(50)"; when="#1/2/1970 6:00:00 AM#" ;;
    sql)    key="INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY"; text="VARCHAR(50)"; when="CAST('1970-01-02T06:00:00' AS DATETIME)" ;;
    oracle) key="NUMBER(10,0) NOT NULL PRIMARY KEY"; text="VARCHAR2(50)"; when="TO_DATE('01/02/1970 06:00:00 AM', 'MM/DD/YYYY HH:MI:SS AM')" ;;
  esac
  {
    echo "CREATE TABLE T_TRNK_GAUGES (GAUGE_ID $key, GAUGE_NO $text, DUE_DATE $([ $dialect = oracle ] && echo DATE || echo DATETIME))"
    [ $dialect = oracle ] && echo "CREATE SEQUENCE S_TRNK_GAUGES INCREMENT BY 1 START WITH 1"
    [ $dialect = oracle ] && echo "CREATE TRIGGER TR_TRNK_GAUGES2 BEFORE INSERT OR UPDATE ON T_TRNK_GAUGES FOR EACH ROW BEGIN   IF INSERTING THEN     SELECT S_TRNK_GAUGES.NEXTVAL INTO :NEW.GAUGE_ID FROM DUAL;   ELSE     :NEW.GAUGE_ID := :OLD.GAUGE_ID;   END IF; END;"
    echo "CREATE UNIQUE INDEX K_TRNK_GAUGENO ON T_TRNK_GAUGES (GAUGE_NO)"
    echo "INSERT INTO T_TRNK_GAUGES (GAUGE_NO, DUE_DATE) VALUES ('MIC-001', $when)"
    echo "INSERT INTO T_TRNK_GAUGES (GAUGE_NO) VALUES ('cal-002')"
    echo "select * from T_TRNK_GAUGES where GAUGE_NO = 'CAL-002' or DUE_DATE < $when or GAUGE_ID = 1"
  } | tee "$work/script.sql" | sed 's/^/   > /'
  "$tm" sql "$dialect" "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=$db;" "$work/script.sql"
done
