#include "sample/SamplePlant.h"

#include <stdexcept>

#include "db/Engine.h"
#include "db/Recordset.h"
#include "legacy/catalog/LegacyCreateAll.h"

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

}  // namespace

SampleResult WriteSamplePlant(db::Connection& connection, std::int64_t scale, std::uint64_t seed,
                              const SampleProgress& progress) {
    const Plan plan(SamplePlantTables(), scale, seed);
    if (const std::int64_t tables = CountTables(connection); tables > 0)
        throw std::invalid_argument("the database is not empty: it holds " + std::to_string(tables) +
                                    " tables; a sample plant needs a database made with tmigrate create");

    SampleResult result;
    connection.BeginTrans();
    try {
        for (legacy::Module module : legacy::kAllModules)
            legacy::ForEachLegacyStatement(module, connection.GetDialect(),
                                           [&](const std::string& sql) {
                                               connection.Execute(sql);
                                               return true;
                                           },
                                           {});
        db::EngineSession& session = connection.Session();
        std::vector<db::Value> values;
        std::int64_t sinceCommit = 0;
        for (const TableSpec* table : plan.Tables()) {
            const std::string name(table->table);
            const std::vector<std::string> columns = plan.ColumnsOf(*table);
            const std::int64_t rows = plan.Rows(name);
            for (std::int64_t row = 1; row <= rows; ++row) {
                plan.Values(*table, row, values);
                session.InsertRow(name, columns, values);
                if (++sinceCommit == kRowsPerCommit) {
                    connection.CommitTrans();
                    connection.BeginTrans();
                    sinceCommit = 0;
                }
            }
            result.rows += rows;
            if (rows > 0) ++result.tables;
            if (progress) progress(name, rows);
        }
        connection.CommitTrans();
    } catch (...) {
        connection.RollbackTrans();
        throw;
    }
    return result;
}

}  // namespace tmigration::sample
