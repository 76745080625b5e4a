// Appends rows through one server row set, as a transfer fills a new table, and prints the time
// and the process's peak resident memory, which must stay far below 100 MB however many rows.
// Usage: tmigration_append_bench [rows]   (default one million)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"

using namespace tmigration::db;

namespace {

long PeakRssKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = argc > 1 ? std::stol(argv[1]) : 1000000;
    const std::string path = (std::filesystem::temp_directory_path() / "tmigration_append_bench.db").string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    embedded::CreateEmbeddedDatabase(path);
    Connection c;
    c.SetDialect(Dialect::SqlServer);
    c.Open("Provider=SQLite;Data Source=" + path + ";");
    c.Execute(
        "CREATE TABLE T_SFC_DST (DST_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY, NAME VARCHAR(50), N "
        "INTEGER, "
        "MADE DATETIME, NOTES TEXT)");
    const long before = PeakRssKb();
    const auto t0 = std::chrono::steady_clock::now();
    c.BeginTrans();
    Recordset dst;
    dst.SetCursorLocation(adUseServer);
    dst.SetCursorType(adOpenKeyset);
    dst.SetLockType(adLockOptimistic);
    dst.SetActiveConnection(&c);
    dst.Open("select * from T_SFC_DST");
    std::int64_t lastKey = 0;
    for (long i = 0; i < rows; ++i) {
        dst.AddNew();
        dst.Set("NAME", "row " + std::to_string(i));
        dst.Set("N", static_cast<long long>(i));
        dst.Set("MADE", DateTime{1970, 1, 2, 6, 0, 0});
        dst.Set("NOTES", "a note of some length that a transfer would copy over from the legacy row");
        dst.Update();
        lastKey = dst.Get("DST_ID").AsInteger();
    }
    dst.Close();
    c.CommitTrans();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const long peak = PeakRssKb();
    std::printf("append  %ld rows through one server row set: %.1f s (%.0f rows/s), last key %lld\n", rows,
                seconds, rows / seconds, static_cast<long long>(lastKey));
    std::printf("append  peak RSS %.1f MB (%.1f MB before appending)%s\n", peak / 1024.0, before / 1024.0,
                peak < 100 * 1024 ? "" : "  OVER 100 MB");
    c.Close();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    return peak < 100 * 1024 ? 0 : 1;
}
