// A sample plant whose MDC is taken back to an older version: the tables and columns of the later
// steps are gone, the rows those steps convert are in their old forms, and the component brings it
// up and migrates it to the end.
#include "sample/SampleOldMDC.h"

#include <gtest/gtest.h>

#include <string>

#include "TempDatabase.h"
#include "db/Recordset.h"
#include "sample/SamplePlant.h"
#include "tmigration/CDatabaseMigrationObj.h"

namespace tmigration::testing {
namespace {

std::string Scalar(db::Connection& c, const std::string& sql) {
    db::Recordset rs;
    rs.SetActiveConnection(&c);
    rs.Open(sql);
    if (rs.Eof()) return "<no row>";
    const db::Value& v = rs.Fields(0).GetValue();
    return v.IsNull() ? "NULL" : v.AsText();
}

bool HasTable(db::Connection& c, const std::string& table) {
    return Scalar(c, "select count(*) from sqlite_master where type = 'table' and name = '" + table + "'") ==
           "1";
}

TEST(SlowSampleOldMDC, At6TheBuffersScrapIsACountThatTheUpgradeFilesAndTheMigrationCarries) {
    TempDatabase database;
    {
        auto c = database.Connect(db::Dialect::Access);
        sample::WriteSamplePlant(*c, 1, 3, {});
        const std::string scrapped =
            Scalar(*c, "select count(*) from T_TRNK_SH_BUFFER where SCRAPPED_COUNT > 0");
        sample::AgeSampleMDC(*c, 6, "20");
        EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "6.20");
        EXPECT_EQ(Scalar(*c, "select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), "1");
        EXPECT_FALSE(HasTable(*c, "T_TRNK_SCRAP_CODE_SH_BUFFER"));
        EXPECT_THROW(Scalar(*c, "select OP_NUMBER from T_TRNK_SH_BUFFER"), std::exception);
        EXPECT_NE(scrapped, "0");
        c->Close();
    }
    CDatabaseMigrationObj object;
    std::string strError;
    ASSERT_TRUE(object.MigrateAccess(database.ConnectionString(), strError)) << strError;
    auto c = database.Connect(db::Dialect::Access);
    EXPECT_NE(Scalar(*c, "select count(*) from T_SFC_SCRAP_PER_MACHINE_DATA"), "0");
}

TEST(SampleOldMDC, RefusesAMajorTheMDCNeverHad) {
    TempDatabase database;
    auto c = database.Connect(db::Dialect::Access);
    EXPECT_THROW(sample::AgeSampleMDC(*c, 10, "1"), std::invalid_argument);
    EXPECT_THROW(sample::AgeSampleMDC(*c, 0, "1"), std::invalid_argument);
}

}  // namespace
}  // namespace tmigration::testing
