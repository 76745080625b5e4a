// The schema statement list run on the embedded engine in each dialect.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "schema/SchemaStatements.h"

namespace tmigration::schema {
namespace {

using db::Dialect;

class SchemaOnEmbeddedEngineTest : public testing::TestWithParam<Dialect> {
  protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("new_schema_" + std::to_string(std::random_device{}()) + ".db");
        db::embedded::CreateEmbeddedDatabase(path_.string());
        conn_.SetDialect(GetParam());
        conn_.Open("Provider=SQLite;Data Source=" + path_.string() + ";");
    }
    void TearDown() override {
        conn_.Close();
        for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path_.string() + suffix);
    }
    std::int64_t Scalar(const std::string& sql) {
        db::Recordset rs;
        rs.SetCursorLocation(db::adUseClient);
        rs.SetCursorType(db::adOpenStatic);
        rs.SetActiveConnection(&conn_);
        rs.Open(sql);
        const auto v = rs.Fields(std::size_t{0}).GetValue().AsInteger();
        rs.Close();
        return v;
    }
    std::filesystem::path path_;
    db::Connection conn_;
};

// The whole list runs on a fresh database and leaves the seed rows the transfers rely on.
TEST_P(SchemaOnEmbeddedEngineTest, ListBuildsTheSchemaAndItsSeedRows) {
    const auto& list = SchemaStatements(GetParam());
    for (std::size_t i = 0; i < list.size(); ++i) {
        try {
            conn_.Execute(list[i]);
        } catch (const db::DbError& e) {
            FAIL() << "statement " << (i + 1) << ": " << e.what() << "\n" << list[i];
        }
    }
    const std::string item = "select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = ";
    EXPECT_EQ(Scalar(item + "1"), ItemOneSeedStatement(GetParam()));
    EXPECT_EQ(Scalar(item + "2"), 4);
    EXPECT_EQ(Scalar(item + "3"), 1);
    EXPECT_EQ(Scalar("select count(*) from T_SFC_OBJECT"), 740);
    EXPECT_EQ(Scalar("select max(OBJECT_ID) from T_SFC_OBJECT"), 740);  // keys numbered from 1
    EXPECT_EQ(Scalar("select count(*) from T_SFC_API_FUNCTION"), 344);
    EXPECT_EQ(Scalar("select count(*) from T_SFC_COMMAND where TARNWICK_ID = 14"), 14);
    EXPECT_EQ(Scalar("select count(*) from T_SFC_USERGROUP"), 3);
    EXPECT_EQ(Scalar("select SCRAP_CODE_NUMBER from T_SFC_SCRAP_CODE"), 100);

    // Item 1 is advanced through an updatable row set on this very text.
    db::Recordset rs;
    rs.SetCursorLocation(db::adUseClient);
    rs.SetCursorType(db::adOpenStatic);
    rs.SetLockType(db::adLockOptimistic);
    rs.SetActiveConnection(&conn_);
    rs.Open("select * from T_SFC_DB_ITEM  where DB_ITEM_CODE = 1");
    rs.Set("DB_ITEM_VALUE", SchemaStatementCount(GetParam()));
    rs.Update();
    rs.Close();
    EXPECT_EQ(Scalar(item + "1"), SchemaStatementCount(GetParam()));

    // A second run stops at its first statement: the tables exist.
    EXPECT_THROW(conn_.Execute(list.front()), db::DbError);
}

INSTANTIATE_TEST_SUITE_P(Dialects, SchemaOnEmbeddedEngineTest,
                         testing::Values(Dialect::Access, Dialect::SqlServer, Dialect::Oracle),
                         [](const auto& info) {
                             return "Dialect" + std::to_string(static_cast<int>(info.param));
                         });

}  // namespace
}  // namespace tmigration::schema
