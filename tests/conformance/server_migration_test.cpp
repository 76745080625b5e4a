// Conformance on a real database server: a plant's legacy tables are created on the server given
// by TMIGRATION_TEST_SQLSERVER or TMIGRATION_TEST_ORACLE (a connection string, OLE DB or ODBC) and
// migrated through the component end to end. The database must be empty and may be written: the
// suite refuses one that holds T_TRNK_ or T_SFC_ tables, and removes what it created when done.
// Without the variable the case is skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "tmigration/CDatabaseMigrationObj.h"

namespace tmigration {
namespace {

struct ServerCase {
    const char* name;
    const char* variable;
    db::Dialect dialect;
    bool (CDatabaseMigrationObj::*entry)(std::string, std::string&);
    const char* finalLevel;
    const char* listTables;     // names of the suite's tables on the server
    const char* listSequences;  // Oracle: names of the suite's sequences
};

std::ostream& operator<<(std::ostream& os, const ServerCase& c) {
    return os << c.name;
}

class ServerMigration : public ::testing::TestWithParam<ServerCase> {
  protected:
    void SetUp() override {
        const char* value = std::getenv(GetParam().variable);
        if (!value || !*value) GTEST_SKIP() << GetParam().variable << " names no server to migrate on";
        connection = value;
    }
    void TearDown() override {
        core::gConnectionSlot().reset();
        if (!connection.empty() && created) RemoveSuiteObjects();
    }

    std::unique_ptr<db::Connection> Connect() const {
        auto c = std::make_unique<db::Connection>();
        c->SetDialect(GetParam().dialect);
        c->Open(connection);
        return c;
    }

    std::vector<std::string> Column(db::Connection& c, const std::string& sql) const {
        db::Recordset rs;
        rs.SetActiveConnection(&c);
        rs.SetCursorLocation(db::adUseClient);
        rs.Open(sql);
        std::vector<std::string> out;
        for (; !rs.Eof(); rs.MoveNext())
            out.push_back(rs.Fields(0).GetValue().IsNull() ? "NULL" : rs.Fields(0).GetValue().AsText());
        return out;
    }

    std::string Count(db::Connection& c, const std::string& from) const {
        const auto values = Column(c, "select count(*) from " + from);
        return values.empty() ? "<no row>" : values.front();
    }

    // Drops the suite's tables (foreign keys first found by trying again) and Oracle sequences.
    void RemoveSuiteObjects() {
        auto c = Connect();
        for (int round = 0; round < 50; ++round) {
            const auto tables = Column(*c, GetParam().listTables);
            if (tables.empty()) break;
            for (const auto& t : tables) {
                try {
                    c->Execute("DROP TABLE " + t);
                } catch (const db::DbError&) {
                    // Still referenced: the next round drops it.
                }
            }
        }
        if (GetParam().listSequences)
            for (const auto& s : Column(*c, GetParam().listSequences)) c->Execute("DROP SEQUENCE " + s);
    }

    std::string connection;
    bool created = false;
};

TEST_P(ServerMigration, MigratesAPlantToTheSeededNewSchema) {
    {
        auto c = Connect();
        ASSERT_TRUE(Column(*c, GetParam().listTables).empty())
            << "the database of " << GetParam().variable << " already holds T_TRNK_ or T_SFC_ tables; "
            << "give the suite an empty database";
        created = true;
        core::gConnectionSlot() = std::shared_ptr<db::Connection>(c.release());
        for (legacy::Module module : legacy::kAllModules) {
            std::string strError;
            const auto run = [&](const std::string& sql) { return core::ExecuteSQL(sql, strError); };
            ASSERT_TRUE(legacy::ForEachLegacyStatement(module, GetParam().dialect, run, {}))
                << legacy::ModuleName(module) << ": " << strError;
        }
        core::gConnection().Close();
        core::gConnectionSlot().reset();
    }

    std::string strError;
    {
        CDatabaseMigrationObj object;
        ASSERT_TRUE((object.*GetParam().entry)(connection, strError)) << strError;
    }

    auto c = Connect();
    const std::string item = "T_SFC_DB_ITEM where DB_ITEM_VALUE = ";
    EXPECT_EQ(Count(*c, item + GetParam().finalLevel + " and DB_ITEM_CODE = 1"), "1");
    EXPECT_EQ(Count(*c, "T_SFC_OBJECT"), "740");
    EXPECT_EQ(Count(*c, "T_SFC_API_FUNCTION where FUNCTION_VERSION = 2"), "344");
    EXPECT_EQ(Count(*c, "T_SFC_USERGROUP"), "3");
    EXPECT_EQ(Count(*c, "T_TRNK_PTYPE"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Servers, ServerMigration,
    ::testing::Values(
        ServerCase{"SqlServer", "TMIGRATION_TEST_SQLSERVER", db::Dialect::SqlServer,
                   &CDatabaseMigrationObj::MigrateSQL, "1554",
                   "select TABLE_NAME from INFORMATION_SCHEMA.TABLES where TABLE_NAME like 'T[_]TRNK[_]%' or "
                   "TABLE_NAME like 'T[_]SFC[_]%'",
                   nullptr},
        ServerCase{
            "Oracle", "TMIGRATION_TEST_ORACLE", db::Dialect::Oracle, &CDatabaseMigrationObj::MigrateOracle,
            "1653",
            "select TABLE_NAME from USER_TABLES where TABLE_NAME like 'T\\_TRNK\\_%' escape '\\' or "
            "TABLE_NAME like 'T\\_SFC\\_%' escape '\\'",
            "select SEQUENCE_NAME from USER_SEQUENCES where SEQUENCE_NAME like 'S\\_TRNK\\_%' escape '\\' "
            "or SEQUENCE_NAME like 'S\\_SFC\\_%' escape '\\'"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration
