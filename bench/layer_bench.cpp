// Measures the data access layer against raw SQLite doing the same work in the same durability
// mode (WAL, synchronous NORMAL, every statement its own transaction):
//   append: the transfers' inner loop, one appended row with key read-back plus one update of
//           the source row per legacy row;
//   lookup: the identifier map's point lookup "select SFC_ID from T where K = n".
// Usage: tmigration_bench [rows]
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"

using namespace tmigration::db;
using Clock = std::chrono::steady_clock;

namespace {

std::string FreshDatabase(const std::string& name) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    embedded::CreateEmbeddedDatabase(path);
    return path;
}

void Prepare(Connection& c, int rows) {
    c.Execute(
        "CREATE TABLE T_TRNK_SRC (SRC_ID COUNTER NOT NULL PRIMARY KEY, NAME VARCHAR(50), SFC_ID INTEGER)");
    c.Execute("CREATE TABLE T_SFC_DST (DST_ID COUNTER NOT NULL PRIMARY KEY, NAME VARCHAR(50), N INTEGER)");
    c.BeginTrans();
    for (int i = 0; i < rows; ++i)
        c.Execute("INSERT INTO T_TRNK_SRC (NAME) VALUES ('name " + std::to_string(i) + "')");
    c.CommitTrans();
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double LayerAppend(Connection& c) {
    const auto t0 = Clock::now();
    Recordset src, dst;
    src.SetCursorLocation(adUseClient);
    src.SetCursorType(adOpenStatic);
    src.SetLockType(adLockOptimistic);
    src.SetActiveConnection(&c);
    src.Open("select * from T_TRNK_SRC");
    dst.SetCursorLocation(adUseServer);
    dst.SetCursorType(adOpenKeyset);
    dst.SetLockType(adLockOptimistic);
    dst.SetActiveConnection(&c);
    dst.Open("select * from T_SFC_DST");
    for (; !src.Eof(); src.MoveNext()) {
        dst.AddNew();
        dst.Set("NAME", src.Get("NAME"));
        dst.Set("N", src.Get("SRC_ID"));
        dst.Update();
        src.Set("SFC_ID", dst.Get("DST_ID"));
        src.Update();
    }
    return Seconds(t0);
}

double LayerLookup(Connection& c, int rows) {
    const auto t0 = Clock::now();
    long long sum = 0;
    for (int i = 1; i <= rows; ++i) {
        Recordset rs;
        rs.SetCursorLocation(adUseClient);
        rs.SetActiveConnection(&c);
        rs.Open("select SFC_ID from T_TRNK_SRC where SRC_ID = " + std::to_string(i));
        if (!rs.Eof()) sum += rs.Get("SFC_ID").AsInteger();
    }
    if (sum == 0) std::puts("unexpected: no ids");
    return Seconds(t0);
}

sqlite3* RawOpen(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
    return db;
}

double RawAppend(sqlite3* db) {
    const auto t0 = Clock::now();
    sqlite3_stmt *scan, *ins, *upd, *back;
    sqlite3_prepare_v2(db, "SELECT rowid, NAME, SRC_ID FROM T_TRNK_SRC ORDER BY rowid", -1, &scan, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO T_SFC_DST (NAME, N) VALUES (?, ?)", -1, &ins, nullptr);
    sqlite3_prepare_v2(db, "SELECT DST_ID FROM T_SFC_DST WHERE rowid = ?", -1, &back, nullptr);
    sqlite3_prepare_v2(db, "UPDATE T_TRNK_SRC SET SFC_ID = ? WHERE rowid = ?", -1, &upd, nullptr);
    while (sqlite3_step(scan) == SQLITE_ROW) {
        sqlite3_bind_text(ins, 1, reinterpret_cast<const char*>(sqlite3_column_text(scan, 1)), -1,
                          SQLITE_TRANSIENT);
        sqlite3_bind_int64(ins, 2, sqlite3_column_int64(scan, 2));
        sqlite3_step(ins);
        sqlite3_reset(ins);
        sqlite3_bind_int64(back, 1, sqlite3_last_insert_rowid(db));
        sqlite3_step(back);
        const auto key = sqlite3_column_int64(back, 0);
        sqlite3_reset(back);
        sqlite3_bind_int64(upd, 1, key);
        sqlite3_bind_int64(upd, 2, sqlite3_column_int64(scan, 0));
        sqlite3_step(upd);
        sqlite3_reset(upd);
    }
    for (auto* s : {scan, ins, upd, back}) sqlite3_finalize(s);
    return Seconds(t0);
}

double RawLookup(sqlite3* db, int rows) {
    const auto t0 = Clock::now();
    sqlite3_stmt* q;
    sqlite3_prepare_v2(db, "select SFC_ID from T_TRNK_SRC where SRC_ID = ?", -1, &q, nullptr);
    long long sum = 0;
    for (int i = 1; i <= rows; ++i) {
        sqlite3_bind_int64(q, 1, i);
        if (sqlite3_step(q) == SQLITE_ROW) sum += sqlite3_column_int64(q, 0);
        sqlite3_reset(q);
    }
    sqlite3_finalize(q);
    if (sum == 0) std::puts("unexpected: no ids");
    return Seconds(t0);
}

void Report(const char* what, int rows, double layer, double raw) {
    std::printf("%-7s %8d rows  layer %10.0f rows/s  raw %10.0f rows/s  layer/raw %.2f\n", what, rows,
                rows / layer, rows / raw, raw / layer);
}

}  // namespace

int main(int argc, char** argv) {
    const int rows = argc > 1 ? std::stoi(argv[1]) : 20000;
    const std::string layerPath = FreshDatabase("tmigration-bench-layer.db");
    const std::string rawPath = FreshDatabase("tmigration-bench-raw.db");
    double layerAppend, layerLookup;
    {
        Connection c;
        c.SetDialect(Dialect::Access);
        c.Open("Provider=SQLite;Data Source=" + layerPath + ";");
        Prepare(c, rows);
        layerAppend = LayerAppend(c);
        layerLookup = LayerLookup(c, rows);
    }
    {
        Connection c;
        c.SetDialect(Dialect::Access);
        c.Open("Provider=SQLite;Data Source=" + rawPath + ";");
        Prepare(c, rows);
    }
    sqlite3* db = RawOpen(rawPath);
    const double rawAppend = RawAppend(db);
    const double rawLookup = RawLookup(db, rows);
    sqlite3_close(db);
    Report("append", rows, layerAppend, rawAppend);
    Report("lookup", rows, layerLookup, rawLookup);
    for (const auto& p : {layerPath, rawPath})
        for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(p + suffix);
    return 0;
}
