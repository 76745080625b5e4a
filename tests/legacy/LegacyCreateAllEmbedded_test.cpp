// Every module's legacy tables created from nothing on the embedded database, in the driver's module
// order, for each dialect: the catalog texts are statements the database accepts, and the tables take rows.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "legacy/catalog/LegacyCreateAll.h"

namespace tmigration::legacy {
namespace {

using db::Dialect;

class LegacyCreateAllEmbedded : public testing::TestWithParam<Dialect> {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("legacy_create_all_" + std::to_string(static_cast<int>(GetParam())) + "_" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".db");
        std::filesystem::remove(path_);
        db::embedded::CreateEmbeddedDatabase(path_.string());
        connection_.SetDialect(GetParam());
        connection_.Open("Provider=SQLite;Data Source=" + path_.string() + ";");
    }
    void TearDown() override {
        if (connection_.State() == db::adStateOpen) connection_.Close();
        std::filesystem::remove(path_);
    }

    // What a table creator does: run each statement, stop at the first the database refuses.
    bool CreateAll(Module module, std::string& strError) {
        return ForEachLegacyStatement(module, GetParam(),
                                      [&](const std::string& sql) {
                                          try {
                                              connection_.Execute(sql);
                                              return true;
                                          } catch (const db::DbError& e) {
                                              strError = sql + ": " + e.Description();
                                              return false;
                                          }
                                      },
                                      {});
    }

    std::filesystem::path path_;
    db::Connection connection_;
};

TEST_P(LegacyCreateAllEmbedded, CreatesEveryModuleAndNumbersKeys) {
    for (Module module : {Module::Common, Module::Gage, Module::MDC, Module::Tool, Module::Traveler}) {
        std::string strError;
        ASSERT_TRUE(CreateAll(module, strError)) << ModuleName(module) << ": " << strError;
    }
    connection_.Execute("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('Gage')");
    connection_.Execute("INSERT INTO T_TRNK_PTYPE (PTYPE_NAME) VALUES ('Tool')");
    db::Recordset rs;
    rs.SetActiveConnection(&connection_);
    rs.Open("select PTYPE_ID from T_TRNK_PTYPE where PTYPE_NAME = 'Tool'");
    EXPECT_EQ(rs.Get("PTYPE_ID").AsInteger(), 2);
    rs.Close();
    // The foreign keys were registered: a table other tables refer to cannot be dropped.
    EXPECT_THROW(connection_.Execute("DROP TABLE T_TRNK_PTYPE"), db::DbError);
}

TEST_P(LegacyCreateAllEmbedded, StopsWhenATableAlreadyExists) {
    connection_.Execute("CREATE TABLE T_TRNK_OPS (OPS_ID INTEGER)");
    std::string strError;
    EXPECT_FALSE(CreateAll(Module::Common, strError));
    EXPECT_TRUE(strError.starts_with("CREATE TABLE T_TRNK_OPS (")) << strError;
}

INSTANTIATE_TEST_SUITE_P(Legacy, LegacyCreateAllEmbedded,
                         testing::Values(Dialect::Access, Dialect::Oracle, Dialect::SqlServer),
                         [](const testing::TestParamInfo<Dialect>& info) {
                             return info.param == Dialect::Oracle   ? std::string("Oracle")
                                    : info.param == Dialect::Access ? std::string("Access")
                                                                    : std::string("Sql");
                         });

}  // namespace
}  // namespace tmigration::legacy
