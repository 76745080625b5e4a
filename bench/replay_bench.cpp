// Measures the replay of machine events into shift-history buffers (the buffer builder run on a
// plant's events) at growing stream sizes, to show it stays linear in the number of events.
// Each size gets a fresh plant: legacy schema, a day/evening/night calendar, reference rows and
// a generated version-5 stream over ten machines.
// Usage: tmigration_replay_bench [events ...]   (default 25000 50000 105000: the streams come out a little
// shorter than asked, and the largest must hold at least 100,000 events)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "db/Connection.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "mdc/CSHBufferClass.h"
#include "mdc/EventStream.h"

using namespace tmigration;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kMachines = 10;

std::vector<std::string> PlantRows() {
    std::vector<std::string> rows;
    for (int i = 1; i <= 13; ++i)
        rows.push_back("INSERT INTO T_TRNK_COMMANDS (COMMAND_ID, COMMAND_NAME) VALUES (" + std::to_string(i) +
                       ", 'C" + std::to_string(i) + "')");
    for (int i = 1; i <= 94; ++i)
        rows.push_back("INSERT INTO T_TRNK_SUBTYPE (SUBTYPE_ID, SUBTYPE_NAME) VALUES (" + std::to_string(i) +
                       ", 'S" + std::to_string(i) + "')");
    for (
        const char* row : {
            "INSERT INTO T_TRNK_DEPT (DEPT_ID, DEPT_NAME) VALUES (1, 'D')",
            "INSERT INTO T_TRNK_LOCATION (LOCATION_ID, LOCATION_NAME, DEPT_ID) VALUES (1, 'L', 1)",
            "INSERT INTO T_TRNK_GROUPS (GROUP_ID, GROUP_NAME, LOCATION_ID, DEPT_ID) VALUES (1, 'G', 1, 1)",
            "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, START_TIME, DURATION, STOP_TIME, IS_SWING) VALUES (1, "
            "#1970-01-01 07:00:00#, 8, #1970-01-01 15:00:00#, 'N')",
            "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, START_TIME, DURATION, STOP_TIME, IS_SWING) VALUES (2, "
            "#1970-01-01 15:00:00#, 8, #1970-01-01 23:00:00#, 'N')",
            "INSERT INTO T_TRNK_INTERVAL (INTERVAL_ID, START_TIME, DURATION, STOP_TIME, IS_SWING) VALUES (3, "
            "#1970-01-01 23:00:00#, 8, #1970-01-02 07:00:00#, 'Y')",
            "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
            "THU_INTERVAL_ID, FRI_INTERVAL_ID) VALUES (1, 1, 1, 1, 1, 1)",
            "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
            "THU_INTERVAL_ID, FRI_INTERVAL_ID) VALUES (2, 2, 2, 2, 2, 2)",
            "INSERT INTO T_TRNK_SHIFT (SHIFT_ID, SUN_INTERVAL_ID, MON_INTERVAL_ID, TUE_INTERVAL_ID, "
            "WED_INTERVAL_ID, THU_INTERVAL_ID) VALUES (3, 3, 3, 3, 3, 3)",
            "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'O', "
            "'operator', 1)",
            "INSERT INTO T_TRNK_JOB (JOB_ID, JOB_NUMBER) VALUES (1, 'JOB-1')",
            "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME) VALUES (1, 'T')",
            "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (1, 'PART-1', 1)",
            "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES (1, "
            "'M', 'MAINT', 5)",
            "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES (2, "
            "'B', 'BREAK', 6)",
            "INSERT INTO T_TRNK_SCRAP_CODE (SCRAP_CODE_ID, SCRAP_CODE_NUMBER) VALUES (1, '100')",
        })
        rows.push_back(row);
    for (int m = 1; m <= kMachines; ++m)
        rows.push_back("INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NUMBER, GROUP_ID) VALUES (" +
                       std::to_string(m) + ", 'M" + std::to_string(m) + "', 1)");
    return rows;
}

struct Result {
    std::int64_t events;
    double seconds;
};

Result Run(std::int64_t wanted) {
    const std::string path = (std::filesystem::temp_directory_path() / "replay_bench.mdb").string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    db::embedded::CreateEmbeddedDatabase(path);
    auto connection = std::make_shared<db::Connection>();
    connection->SetDialect(db::Dialect::Access);
    connection->Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";");
    core::gConnectionSlot() = connection;

    std::string strError;
    for (legacy::Module module : legacy::kAllModules)
        if (!legacy::ForEachLegacyStatement(
                module, db::Dialect::Access,
                [&](const std::string& sql) { return core::ExecuteSQL(sql, strError); }, {}))
            throw std::runtime_error(strError);
    connection->BeginTrans();
    for (const std::string& row : PlantRows()) connection->Execute(row);

    // About 430 events per machine and day over three periods.
    mdc::EventStreamPlan plan;
    for (int m = 1; m <= kMachines; ++m) plan.machineIds.push_back(m);
    plan.firstDay = db::DateTime{2023, 1, 2, 0, 0, 0};
    plan.days = 1;
    const std::int64_t perDay = mdc::WriteEventStream(plan);
    connection->RollbackTrans();
    connection->BeginTrans();
    for (const std::string& row : PlantRows()) connection->Execute(row);
    plan.days = static_cast<int>((wanted + perDay - 1) / perDay);
    const std::int64_t events = mdc::WriteEventStream(plan);
    connection->CommitTrans();

    connection->BeginTrans();
    const auto t0 = Clock::now();
    if (!mdc::CSHBufferClass().MigrateEvents(strError, 1)) throw std::runtime_error(strError);
    const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    connection->CommitTrans();
    connection->Close();
    core::gConnectionSlot().reset();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path + suffix);
    return {events, seconds};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::int64_t> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(std::stoll(argv[i]));
    if (sizes.empty()) sizes = {25000, 50000, 105000};
    std::printf("%-10s %10s %12s\n", "events", "seconds", "us/event");
    for (std::int64_t size : sizes) {
        const Result r = Run(size);
        std::printf("%-10lld %10.2f %12.1f\n", static_cast<long long>(r.events), r.seconds,
                    r.seconds * 1e6 / static_cast<double>(r.events));
    }
    return 0;
}
