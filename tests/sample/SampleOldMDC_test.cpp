// A sample plant whose MDC is taken back to an older version: the tables and columns of the later
// steps are gone, the rows those steps convert are in their old forms (version-5 events up to
// major 5, shift histories with downtime columns at 1, scrapped counts without scrap rows before 8,
// the old setting before 9), and the component brings it up and migrates it to the end.
#include "sample/SampleOldMDC.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RunCommand.h"
#include "TempDatabase.h"
#include "db/Recordset.h"
#include "sample/SampleOldVersions.h"
#include "sample/SamplePlant.h"
#include "tmigration/CDatabaseMigrationObj.h"

namespace tmigration::testing {
namespace {

using db::Dialect;

std::string Scalar(db::Connection& c, const std::string& sql) {
    db::Recordset rs;
    rs.SetActiveConnection(&c);
    rs.Open(sql);
    if (rs.Eof()) return "<no row>";
    const db::Value& v = rs.Fields(0).GetValue();
    return v.IsNull() ? "NULL" : v.AsText();
}
int Count(db::Connection& c, const std::string& sql) {
    return std::stoi(Scalar(c, sql));
}
bool HasTable(db::Connection& c, const std::string& table) {
    return Scalar(c, "select count(*) from sqlite_master where type = 'table' and name = '" + table + "'") ==
           "1";
}

void Age(db::Connection& c, const std::string& version) {
    const std::vector<sample::ModuleVersion> versions{sample::ParseModuleVersion("mdc=" + version)};
    sample::AgeSamplePlant(c, versions);
}

TEST(SlowSampleOldMDC, UpToMajor5TheWeekIsVersion5EventsAgain) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Access);
    sample::WriteSamplePlant(*c, 1, 3);
    const int weekEvents = Count(*c, "select count(*) from T_TRNK_EVENTS where FILE_NAME = 'WEEK.EVT'");
    const int operations =
        Count(*c, "select count(*) from T_TRNK_EVENTS where FILE_NAME = 'WEEK.EVT' and COMMAND_ID = 13");
    ASSERT_GT(Count(*c, "select count(*) from T_TRNK_SHIFT_HISTORY"), 0);
    Age(*c, "4.20");
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "4.20");
    EXPECT_EQ(Scalar(*c, "select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), "1");
    EXPECT_EQ(Count(*c, "select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL"),
              weekEvents - operations);
    EXPECT_EQ(
        Count(*c, "select count(*) from T_TRNK_EVENTS where FILE_NAME = 'WEEK.EVT' and COMMAND_ID = 13"), 0);
    // Scrap counts of one or two, without a code.
    const int scrap =
        Count(*c, "select count(*) from T_TRNK_EVENTS where COMMAND_ID = 11 and OPTIMIZED IS NULL");
    EXPECT_GT(scrap, 0);
    EXPECT_EQ(Count(*c,
                    "select count(*) from T_TRNK_EVENTS where COMMAND_ID = 11 and OPTIMIZED IS NULL and "
                    "PARAM1 IN ('1', '2')"),
              scrap);
    for (const char* table : {"T_TRNK_SHIFT_HISTORY", "T_TRNK_DOWNTIME_SHIFT_HISTORY", "T_TRNK_SCRAP_CODE_SH",
                              "T_TRNK_SH_BUFFER"})
        EXPECT_EQ(Count(*c, std::string("select count(*) from ") + table), 0) << table;
    EXPECT_EQ(Count(*c, "select count(*) from T_TRNK_MACHINES where SH_BUFFER_ID IS NOT NULL"), 0);
    EXPECT_FALSE(HasTable(*c, "T_TRNK_SCRAP_CODE_SH_BUFFER"));
    EXPECT_THROW(Scalar(*c, "select START_TIME from T_TRNK_DT_SH_BUFFER"), std::exception);
    EXPECT_NO_THROW(Scalar(*c, "select SHIFT_END from T_TRNK_SH_BUFFER"));
}

TEST(SlowSampleOldMDC, AtMajor1TheShiftHistoriesCarryTheirDowntimeInColumns) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Oracle);
    sample::WriteSamplePlant(*c, 1, 3);
    Age(*c, "1.5");
    EXPECT_FALSE(HasTable(*c, "T_TRNK_SH_BUFFER"));
    EXPECT_GT(Count(*c, "select count(*) from T_TRNK_SHIFT_HISTORY where MAINTENANCE_PDT > 0"), 0);
    EXPECT_EQ(Count(*c, "select count(*) from T_TRNK_DOWNTIME_SHIFT_HISTORY"), 0);
    EXPECT_EQ(Scalar(*c, "select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "1.5");
}

TEST(SampleOldMDC, RefusesAMajorTheMDCNeverHad) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Access);
    EXPECT_THROW(sample::AgeSampleMDC(*c, 10, "1"), std::invalid_argument);
    const std::vector<sample::ModuleVersion> versions{sample::ParseModuleVersion("mdc=0.9")};
    EXPECT_THROW(sample::CheckModuleVersions(Dialect::Access, versions), std::invalid_argument);
}

// Aged, then migrated by the component; the machine data arrives in the new schema.
struct PlantCase {
    Dialect dialect;
    const char* dialectWord;
    const char* version;
};

class SlowSampleOldMDCPlant : public ::testing::TestWithParam<PlantCase> {};

TEST_P(SlowSampleOldMDCPlant, MigratesEndToEnd) {
    TempDatabase db;
    const auto r = RunCommand(Tmigrate() + " sample " + GetParam().dialectWord + " '" +
                              db.ConnectionString() + "' --version mdc=" + GetParam().version + " 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    EXPECT_THAT(r.out, ::testing::HasSubstr(std::string("MDC tables aged to version ") + GetParam().version));
    const auto m = RunCommand(Tmigrate() + " migrate " + GetParam().dialectWord + " '" +
                              db.ConnectionString() + "' --progress none 2>&1");
    ASSERT_EQ(m.exitCode, 0) << m.out;
    auto c = db.Connect(GetParam().dialect);
    EXPECT_GT(Count(*c, "select count(*) from T_SFC_MACHINE_DATA"), 0);
    EXPECT_GT(Count(*c, "select count(*) from T_SFC_DT_PER_MACHINE_DATA"), 0);
    EXPECT_GT(Count(*c, "select count(*) from T_SFC_SCRAP_PER_MACHINE_DATA"), 0);
}

INSTANTIATE_TEST_SUITE_P(Versions, SlowSampleOldMDCPlant,
                         ::testing::Values(PlantCase{Dialect::Access, "access", "1.20"},
                                           PlantCase{Dialect::Access, "access", "3.20"},
                                           PlantCase{Dialect::Oracle, "oracle", "5.90"},
                                           PlantCase{Dialect::SqlServer, "sql", "6.111"},
                                           PlantCase{Dialect::Access, "access", "8.113"}),
                         [](const ::testing::TestParamInfo<PlantCase>& info) {
                             std::string name = std::string(info.param.dialectWord) + info.param.version;
                             std::replace(name.begin(), name.end(), '.', '_');
                             return name;
                         });

}  // namespace
}  // namespace tmigration::testing
