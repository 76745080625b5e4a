// The Common upgrade from older majors: an upgraded database has the schema of a created one, each
// major step commits on its own so that a failed run resumes, majors the program cannot start from
// fail with the version found, and each data conversion turns rows in the old forms into the new.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "ModuleUpgradeTest.h"
#include "legacy/CommonMajorSteps.h"
#include "legacy/TableCreators.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

using testing::DialectCaseName;

class CommonUpgradeTest : public testing::ModuleUpgradeTest {
  protected:
    CommonUpgradeTest() : ModuleUpgradeTest(Module::Common) {}
};

// ---- the schema an upgrade leaves -------------------------------------------------------------

using testing::StartCase;

class SlowUpgradedSchema : public CommonUpgradeTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(SlowUpgradedSchema, EqualsTheSchemaOfCreatedTables) {
    const StartCase c = GetParam();
    testing::SharedDatabase created;
    testing::CopyCreatedDatabase(created, c.dialect, testing::Created::Common);
    StartAt(c.dialect, c.major, "20");
    EXPECT_NE(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    ui::testing::ScopedRecordingRenderer recorder;
    UpgradeOk();
    EXPECT_EQ(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    EXPECT_EQ(Version(), "61.132");
    EXPECT_THAT(recorder.log.infoSeen, Contains("Updating the Common Portion of the Database..."));
    // The minor pass filled the tables the steps created, and wrote every marker.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SCRAP_CODE"), "512");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_API_FUNCTION"), "344");
    EXPECT_EQ(Scalar("select RESERVED10 from T_TRNK_COMMON where APP_ID = 0"), "1");
    EXPECT_EQ(Scalar("select RESERVED11 from T_TRNK_COMMON where APP_ID = 0"), "344");
    EXPECT_EQ(Scalar("select PTYPE_ID from T_TRNK_DOWNTIME where DOWNTIME_ID = 1"), "6");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_DOWNTIME"), "512");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Starts, SlowUpgradedSchema,
    ::testing::Values(StartCase{db::Dialect::Access, 1}, StartCase{db::Dialect::Oracle, 1},
                      StartCase{db::Dialect::Access, 4}, StartCase{db::Dialect::Oracle, 7},
                      StartCase{db::Dialect::Access, 8}, StartCase{db::Dialect::Oracle, 8},
                      StartCase{db::Dialect::Access, 16}, StartCase{db::Dialect::Oracle, 16},
                      StartCase{db::Dialect::Access, 30}, StartCase{db::Dialect::Oracle, 31},
                      StartCase{db::Dialect::Access, 37}, StartCase{db::Dialect::Oracle, 37},
                      StartCase{db::Dialect::Access, 40}, StartCase{db::Dialect::Access, 41},
                      StartCase{db::Dialect::Oracle, 41}, StartCase{db::Dialect::Access, 44},
                      StartCase{db::Dialect::Access, 46}, StartCase{db::Dialect::Access, 52},
                      StartCase{db::Dialect::Access, 60}, StartCase{db::Dialect::Oracle, 44},
                      StartCase{db::Dialect::Oracle, 52}, StartCase{db::Dialect::Oracle, 60},
                      StartCase{db::Dialect::SqlServer, 44}, StartCase{db::Dialect::SqlServer, 60}),
    testing::StartCaseName);

TEST(CommonSchemaHistory, TablesComeAndGoWithTheirSteps) {
    const auto names = [](int major) {
        std::vector<std::string> out;
        for (const LegacyTable& t : CommonTablesAtMajor(major)) out.push_back(t.name);
        return out;
    };
    EXPECT_EQ(names(61).size(), 69u);
    EXPECT_EQ(names(60).size(), 68u);  // no options
    EXPECT_EQ(names(44).size(), 63u);
    EXPECT_EQ(names(41).size(), 63u);
    EXPECT_EQ(names(39).size(), 60u);  // the downtime table in its old form, without the three it brings
    EXPECT_EQ(names(38).size(), 60u);
    EXPECT_EQ(names(37).size(), 61u);
    EXPECT_THAT(names(37), Contains("T_TRNK_BPRINT"));
    EXPECT_THAT(names(16), ::testing::Not(Contains("T_TRNK_CUTTER_NO")));
    // A column whose type a step changed has its old type before the step.
    const auto costType = [](int major) {
        const auto table = CommonTableAtMajor("T_TRNK_INSERT_NO", major);
        for (const LegacyColumn& c : table->columns)
            if (c.name == "VENDOR1_COST") return c.TypeIn(db::Dialect::Oracle);
        return std::string("none");
    };
    EXPECT_EQ(costType(31), "NUMBER(10,0)");
    EXPECT_EQ(costType(32), "NUMBER(10,2)");
    EXPECT_EQ(costType(27), "none");
    EXPECT_THAT(names(45), Contains("T_TRNK_PTYPE"));
    // A table created by a step is created without what later steps add to it.
    const auto scrapCodes = CommonTableAtMajor("T_TRNK_SCRAP_CODE", 50);
    ASSERT_TRUE(scrapCodes.has_value());
    EXPECT_FALSE(
        std::ranges::any_of(scrapCodes->columns, [](const LegacyColumn& c) { return c.name == "NOTES"; }));
    EXPECT_FALSE(CommonTableAtMajor("T_TRNK_SCRAP_CODE", 49).has_value());
    // What a step drops is back before it.
    const auto part = CommonTableAtMajor("T_TRNK_PART", 45);
    EXPECT_TRUE(std::ranges::any_of(part->foreignKeys,
                                    [](const LegacyForeignKey& k) { return k.name == "FK_PART_FAM"; }));
    EXPECT_FALSE(std::ranges::any_of(CommonTableAtMajor("T_TRNK_PART", 46)->foreignKeys,
                                     [](const LegacyForeignKey& k) { return k.name == "FK_PART_FAM"; }));
}

TEST(CommonSchemaHistory, StatementsTakeEachDialectsForms) {
    const MajorStep& step45 = *FindCommonMajorStep(45);
    std::vector<std::string> access, oracle, sql;
    for (const SchemaChange& change : step45.changes) {
        for (auto& s : RenderSchemaChange(change, step45, db::Dialect::Access)) access.push_back(s);
        for (auto& s : RenderSchemaChange(change, step45, db::Dialect::Oracle)) oracle.push_back(s);
        for (auto& s : RenderSchemaChange(change, step45, db::Dialect::SqlServer)) sql.push_back(s);
    }
    EXPECT_EQ(access.front(), "ALTER TABLE T_TRNK_MACHINES ADD PART_TIME_ID INTEGER ");
    EXPECT_EQ(oracle.front(), "ALTER TABLE T_TRNK_MACHINES ADD PART_TIME_ID NUMBER(10,0) ");
    EXPECT_THAT(access, Contains("DROP INDEX K_TRNK_OPS_NNPPRU ON T_TRNK_OPS"));
    EXPECT_THAT(sql, Contains("DROP INDEX T_TRNK_OPS.K_TRNK_OPS_NNPPRU"));
    EXPECT_THAT(oracle, Contains("DROP INDEX K_TRNK_OPS_NNPPRU"));
    EXPECT_THAT(access, Contains("ALTER TABLE T_TRNK_PART DROP CONSTRAINT FK_PART_FAM "));
    EXPECT_THAT(
        oracle,
        Contains("CREATE SEQUENCE S_TRNK_PARTS_PER_JOB MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 "
                 "NOCYCLE"));
    EXPECT_THAT(sql,
                Contains("ALTER TABLE T_TRNK_PARTS_PER_JOB ADD CONSTRAINT FK_PPJ_JOB FOREIGN KEY (JOB_ID) "
                         "REFERENCES T_TRNK_JOB "));
}

// ---- versions the upgrade cannot start from ---------------------------------------------------

struct RefusedCase {
    const char* name;
    db::Dialect dialect;
    const char* version;
    const char* message;
};

class RefusedVersion : public CommonUpgradeTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedVersion, FailsWithTheVersionFoundAndChangesNothing) {
    const RefusedCase c = GetParam();
    dialect_ = c.dialect;
    testing::CopyCreatedDatabase(database, c.dialect, testing::Created::Common);
    database.OpenShared(c.dialect);
    database.Run({std::string("UPDATE T_TRNK_COMMON SET RESERVED0 = '") + c.version + "' WHERE APP_ID = 0"});
    const auto before = testing::DescribeSchema(database.Path());
    std::string strError;
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(strError, c.message);
    EXPECT_EQ(Version(), c.version);
    EXPECT_EQ(testing::DescribeSchema(database.Path()), before);
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, RefusedVersion,
    ::testing::Values(
        RefusedCase{
            "Newer", db::Dialect::Access, "62.0",
            "The Common tables are at legacy version '62.0', which this program does not know; its last "
            "Common version is 61.132"},
        RefusedCase{
            "NotANumber", db::Dialect::Oracle, "6x.1",
            "The Common tables are at legacy version '6x.1', which this program does not know; its last "
            "Common version is 61.132"},
        RefusedCase{
            "NoPoint", db::Dialect::Access, "abc",
            "The Common tables are at legacy version 'abc', which this program does not know; its last "
            "Common version is 61.132"},
        RefusedCase{
            "SqlServerBelow44", db::Dialect::SqlServer, "43.9",
            "The Common tables are at legacy version 43.9; the oldest legacy version this program can bring "
            "up to date is 44.0"},
        RefusedCase{
            "OlderThanAnyStep", db::Dialect::Access, "0.3",
            "The Common tables are at legacy version 0.3; the oldest legacy version this program can bring "
            "up to date is 1.0"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// ---- per-step commit and resume ---------------------------------------------------------------

class StepCommit : public CommonUpgradeTest, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(StepCommit, AFailedStepLeavesTheLastCompletedMajorAndARerunResumes) {
    StartAt(GetParam(), 57, "140");
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("UPDATE T_TRNK_TOOL_NO SET UNITS_ID")) throw std::runtime_error("disk full");
    });
    std::string strError;
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(strError, "disk full");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    // Steps 57 and 58 are committed; step 59 is not recorded.
    EXPECT_EQ(Version(), "59.140");
    EXPECT_TRUE(HasColumn("T_TRNK_CUTTER_NO", "FLUTE_TYPE_ID"));
    const bool oracle = GetParam() == db::Dialect::Oracle;
    // Oracle commits each DDL statement, so the failed step's column stays; elsewhere it is undone.
    EXPECT_EQ(HasColumn("T_TRNK_TOOL_NO", "UNITS_ID"), oracle);

    ReopenAfterFailedStep("59.140", "ALTER TABLE T_TRNK_TOOL_NO DROP COLUMN UNITS_ID");
    UpgradeOk();
    EXPECT_EQ(Version(), "61.132");
    EXPECT_THAT(database.sent, Contains("ALTER TABLE T_TRNK_TOOL_NO ADD UNITS_ID " +
                                        std::string(oracle ? "NUMBER(10,0) " : "INTEGER ")));
    EXPECT_THAT(database.sent, ::testing::Not(Contains(HasSubstr("T_TRNK_CUTTER_NO ADD FLUTE_TYPE_ID"))));
}

TEST_P(StepCommit, EachStepMovesTheMajorAndKeepsTheMinor) {
    StartAt(GetParam(), 59, "140");
    std::vector<std::string> versions;
    core::gConnection().SetStatementObserver([&](const std::string& sql) {
        database.sent.push_back(sql);
        if (sql.starts_with("CREATE TABLE T_TRNK_OPTIONS")) versions.push_back(Version());
    });
    ui::testing::ScopedRecordingRenderer recorder;
    UpgradeOk();
    EXPECT_EQ(versions, std::vector<std::string>{"60.140"});
    EXPECT_EQ(Version(), "61.132");
    // 140 is past every minor fix: the subtypes are not refilled.
    EXPECT_THAT(database.sent, ::testing::Not(Contains(HasSubstr("UPDATE T_TRNK_JOB SET STATUS_ID = 73"))));
}

INSTANTIATE_TEST_SUITE_P(Dialects, StepCommit,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return DialectCaseName(info.param);
                         });

// ---- a plant at an old Common version, migrated end to end -----------------------------------

class SlowOldCommonPlant : public CommonUpgradeTest, public ::testing::WithParamInterface<StartCase> {};

// The Common tables at the old version with a part family and a job in the old forms; the Gage,
// Tool and Traveler tables are created by their creators on the way.
TEST_P(SlowOldCommonPlant, MigratesEndToEnd) {
    const StartCase c = GetParam();
    StartAt(c.dialect, c.major, "20");
    database.Run({
        "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Castings')",
        "INSERT INTO T_TRNK_PART (PART_NUMBER, PARTTYPE_ID, REVISION) VALUES ('P-1', 1, 1)",
        "INSERT INTO T_TRNK_PART (PART_NUMBER, PARTTYPE_ID, REVISION) VALUES ('P-1', 1, 2)",
        "UPDATE T_TRNK_PART SET FAMILY_ID = 1",
        // Jobs have a status from major 30 on; older ones get theirs from the minor fixes.
        c.major >= 30 ? "INSERT INTO T_TRNK_JOB (JOB_NUMBER, PART_ID, STATUS_ID) VALUES ('J-1', 1, 73)"
                      : "INSERT INTO T_TRNK_JOB (JOB_NUMBER, PART_ID) VALUES ('J-1', 1)",
    });
    // The machine data tables, which no creator of this program makes from nothing.
    database.Run(LegacyStatements(Module::MDC, c.dialect));
    MigrateThroughTheComponent();
    EXPECT_EQ(database.Scalar("select count(*) from T_SFC_PART", c.dialect), "1");
    EXPECT_EQ(database.Scalar("select count(*) from T_SFC_JOB", c.dialect), "1");
}

INSTANTIATE_TEST_SUITE_P(Plants, SlowOldCommonPlant,
                         ::testing::Values(StartCase{db::Dialect::Access, 16},
                                           StartCase{db::Dialect::Oracle, 37},
                                           StartCase{db::Dialect::SqlServer, 44}),
                         testing::StartCaseName);

}  // namespace
}  // namespace tmigration::legacy
