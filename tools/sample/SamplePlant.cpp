#include "sample/SamplePlant.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/SharedConnection.h"
#include "core/SharedProgressWindow.h"
#include "db/DbError.h"
#include "db/Engine.h"
#include "db/Recordset.h"
#include "legacy/ModuleSetups.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "legacy/seeds/ReferenceFillers.h"
#include "sample/SampleMachineData.h"

namespace tmigration::sample {
namespace {

// Rows written between commits: the write-ahead log stays small however large the plant.
constexpr std::int64_t kRowsPerCommit = 20000;

std::int64_t CountTables(db::Connection& connection) {
    db::Recordset rs;
    rs.SetActiveConnection(&connection);
    rs.Open("select COUNT(*) AS N from sqlite_master where type = 'table'");
    return rs.Get("N").AsInteger();
}

// The modules' table creators run on the thread's shared connection: the plant's connection takes
// that place while they run, and whatever was there before comes back.
class SharedConnectionLoan {
  public:
    explicit SharedConnectionLoan(db::Connection& connection) : saved_(core::gConnectionSlot()) {
        core::gConnectionSlot() = std::shared_ptr<db::Connection>(&connection, [](db::Connection*) {});
    }
    ~SharedConnectionLoan() {
        core::gConnectionSlot() = saved_;
        core::frmProgress().Unload();
    }
    SharedConnectionLoan(const SharedConnectionLoan&) = delete;
    SharedConnectionLoan& operator=(const SharedConnectionLoan&) = delete;

  private:
    std::shared_ptr<db::Connection> saved_;
};

// A freshly installed suite: every module gets its tables, reference rows, security objects,
// administrator rights, options and version rows from its creator.
void InstallLegacySuite(db::Connection& connection) {
    SharedConnectionLoan loan(connection);
    std::string strError;
    for (const legacy::ModuleSetup* setup :
         {&legacy::CommonSetup(), &legacy::GageSetup(), &legacy::MDCSetup(), &legacy::ToolSetup(),
          &legacy::TravelerSetup()})
        if (!legacy::SetupModuleDatabase(*setup, connection.GetDialect(), strError))
            throw db::DbError(strError);
}

// Rows at the start of a plan table that the installation already wrote, the same as the plan's.
std::int64_t InstalledRows(const TableSpec& table) {
    static constexpr std::string_view kInstalled[] = {
        "T_TRNK_PTYPE",    "T_TRNK_STATUS",   "T_TRNK_COMMON",     "T_TRNK_USERTYPE", "T_TRNK_USERGROUP",
        "T_TRNK_COMMANDS", "T_TRNK_DOWNTIME", "T_TRNK_SCRAP_CODE", "T_TRNK_SID"};
    for (std::string_view name : kInstalled)
        if (name == table.table) return table.rows.fixed;
    return table.installedRows;
}

// Deletes rows by key, a few hundred keys per statement.
void DeleteRows(db::Connection& connection, const std::string& table, const std::string& key,
                const std::vector<std::int64_t>& keys) {
    constexpr std::size_t kKeysPerStatement = 500;
    for (std::size_t at = 0; at < keys.size(); at += kKeysPerStatement) {
        std::string list;
        for (std::size_t i = at; i < std::min(keys.size(), at + kKeysPerStatement); ++i)
            list += (list.empty() ? "" : ", ") + std::to_string(keys[i]);
        connection.Execute("DELETE FROM " + table + " WHERE " + key + " IN (" + list + ")");
    }
}

}  // namespace

SampleResult WriteSamplePlant(db::Connection& connection, std::int64_t scale, std::uint64_t seed,
                              const SampleProgress& progress) {
    const Plan plan(SamplePlantTables(), scale, seed);
    if (const std::int64_t tables = CountTables(connection); tables > 0)
        throw std::invalid_argument("the database is not empty: it holds " + std::to_string(tables) +
                                    " tables; a sample plant needs a database made with tmigrate create");

    InstallLegacySuite(connection);
    SampleResult result;
    connection.BeginTrans();
    try {
        db::EngineSession& session = connection.Session();
        std::vector<db::Value> values;
        std::int64_t sinceCommit = 0;
        for (const TableSpec* table : plan.Tables()) {
            const std::string name(table->table);
            const std::vector<std::string> columns = plan.ColumnsOf(*table);
            const std::int64_t rows = plan.Rows(name);
            // The allocator's row exists; the plant's groups and persons took their SIDs from it.
            if (name == "T_TRNK_SID")
                connection.Execute("UPDATE T_TRNK_SID SET NEXT_SID = " +
                                   plan.ValueOf(name, "NEXT_SID", 1).AsText());
            std::int64_t written = 0;
            // Absent rows are written and deleted again, so that the ids after them stay the same
            // where the database numbers the rows itself.
            std::vector<std::int64_t> absentKeys;
            for (std::int64_t row = InstalledRows(*table) + 1; row <= rows; ++row) {
                const bool absent = table->absent && table->absent(row);
                if (absent) absentKeys.push_back(row);
                written += absent ? 0 : 1;
                plan.Values(*table, row, values);
                session.InsertRow(name, columns, values);
                if (++sinceCommit == kRowsPerCommit) {
                    connection.CommitTrans();
                    connection.BeginTrans();
                    sinceCommit = 0;
                }
            }
            DeleteRows(connection, name, columns.front(), absentKeys);
            if (table->finish)
                for (const std::string& sql : table->finish(plan)) connection.Execute(sql);
            const std::int64_t held = InstalledRows(*table) + written;
            result.rows += held;
            if (held > 0) ++result.tables;
            if (progress) progress(name, held);
        }
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    const MachineDataResult machineData = WriteSampleMachineData(connection, scale, seed);
    result.rows += machineData.events;
    result.machineData = machineData.machineData;
    result.machineEvents = machineData.events;
    return result;
}

}  // namespace tmigration::sample
