#!/bin/sh
# Runs one statement-shape file through `tmigrate sql --keep-going` on a fresh embedded database
# and compares the transcript with the file's expected lines.
#   run_shape.sh TMIGRATE DIALECT(access|oracle|sql) FILE.test WORKDIR
# File format: one statement per line; the lines after it that start with "> " are what it must
# print (a query: the column names, then one line per row, tab-separated, NULL for Null; a
# failure: "error: " and the message). Blank lines and lines starting with "--" are ignored.
set -u
tmigrate=$1 dialect=$2 shape=$3 work=$4
name=$(basename "$shape" .test)
db="$work/${dialect}_$name.db"
rm -f "$db" "$db-wal" "$db-shm"
statements="$work/${dialect}_$name.sql" expected="$work/${dialect}_$name.expected" actual="$work/${dialect}_$name.actual"
awk '/^> /{ print substr($0, 3) > "/dev/stderr"; next } /^>$/{ print "" > "/dev/stderr"; next }
     /^--/ || /^[ \t]*$/ { next } { print }' "$shape" >"$statements" 2>"$expected"
"$tmigrate" create "$db" || exit 1
"$tmigrate" sql --keep-going "$dialect" "Provider=SQLite;Data Source=$db;" "$statements" >"$actual" 2>&1
rc=$?
rm -f "$db" "$db-wal" "$db-shm"
if [ $rc -ne 0 ] || ! cmp -s "$expected" "$actual"; then
    echo "$shape: transcript differs (exit $rc)"
    diff "$expected" "$actual"
    exit 1
fi
rm -f "$statements" "$expected" "$actual"
