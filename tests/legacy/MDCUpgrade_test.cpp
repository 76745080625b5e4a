// The MDC upgrade from older majors: an upgraded database has the schema of a created one, each
// major step commits on its own with the new major recorded so that a failed run resumes, the
// majors the program cannot start from fail with the version found, and each step's row work turns
// rows in the old forms into the new ones (downtime columns into downtime rows, version-5 events
// into buffers and shift histories, scrapped counts into scrap rows, the old setting cleared).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "ModuleUpgradeTest.h"
#include "core/RecordsetHelpers.h"
#include "legacy/MDCMajorSteps.h"
#include "legacy/MDCTableCreator.h"
#include "legacy/TableCreators.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

using testing::DialectCaseName;

// A department, location and group holding machine 1, and part P-1 of part type 1.
const std::vector<std::string> kPlace = {
    "INSERT INTO T_TRNK_DEPT (DEPT_NAME) VALUES ('Machining')",
    "INSERT INTO T_TRNK_LOCATION (LOCATION_NAME, DEPT_ID) VALUES ('Hall', 1)",
    "INSERT INTO T_TRNK_GROUPS (GROUP_NAME, LOCATION_ID, DEPT_ID) VALUES ('Lathes', 1, 1)",
    "INSERT INTO T_TRNK_MACHINES (MACHINE_NUMBER, MACHINE_NAME, DEPT_ID, LOCATION_ID, GROUP_ID, STATUS_ID) "
    "VALUES "
    "('M1', 'Lathe 1', 1, 1, 1, 34)",
    "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Shafts')",
    "INSERT INTO T_TRNK_PART (PART_NUMBER, PARTTYPE_ID, REVISION) VALUES ('P-1', 1, 1)",
};

class MDCUpgradeTest : public testing::ModuleUpgradeTest {
  protected:
    MDCUpgradeTest() : ModuleUpgradeTest(Module::MDC) {}
    // Straight to the upgrade: majors 1 and 2 have no MDC tables, which would take the create path.
    bool Upgrade(std::string& strError) override { return UpgradeMDCDatabase(dialect_, strError); }
    // A version-5 event of machine 1 in department, location and group 1.
    void AddEvent(int command, const std::string& parameter, const db::DateTime& start,
                  std::optional<db::DateTime> stop = std::nullopt) {
        core::RecordsetPtr rs = core::OpenClientRecordset("select * from T_TRNK_EVENTS where EVENT_ID = 0");
        rs->AddNew();
        for (const char* column : {"MACHINE_ID", "DEPT_ID", "LOCATION_ID", "GROUP_ID"}) rs->Set(column, 1);
        rs->Set("COMMAND_ID", command);
        rs->Set("PARAM1", parameter);
        rs->Set("START_TIME", start);
        if (stop) rs->Set("STOP_TIME", *stop);
        rs->Update();
        core::CloseRecordset(rs);
    }
};

// ---- the schema an upgrade leaves -------------------------------------------------------------

using testing::StartCase;

class UpgradedMDCSchema : public MDCUpgradeTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(UpgradedMDCSchema, EqualsTheSchemaOfCreatedTables) {
    const StartCase c = GetParam();
    testing::SharedDatabase created;
    testing::CopyInstalledDatabase(created, c.dialect);
    StartAt(c.dialect, c.major, "20");
    // Step 8 to 9 changes rows only.
    if (c.major < 8) {
        EXPECT_NE(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    }
    ui::testing::ScopedRecordingRenderer recorder;
    core::frmProgress().Show();
    UpgradeOk();
    EXPECT_EQ(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    EXPECT_EQ(Version(), "9.114");
    EXPECT_THAT(recorder.log.infoSeen, Contains("Updating the MDC Portion of the Database..."));
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    // The window's renderer records into `recorder`: it goes before the recorder does.
    core::frmProgress().Unload();
}

INSTANTIATE_TEST_SUITE_P(
    Starts, UpgradedMDCSchema,
    ::testing::Values(StartCase{db::Dialect::Access, 1}, StartCase{db::Dialect::Oracle, 1},
                      StartCase{db::Dialect::SqlServer, 1}, StartCase{db::Dialect::Access, 3},
                      StartCase{db::Dialect::Oracle, 4}, StartCase{db::Dialect::SqlServer, 5},
                      StartCase{db::Dialect::Access, 6}, StartCase{db::Dialect::Access, 8},
                      StartCase{db::Dialect::Oracle, 8}, StartCase{db::Dialect::SqlServer, 8}),
    testing::StartCaseName);

TEST(MDCSchemaHistory, TablesAndColumnsComeWithTheirSteps) {
    const auto columns = [](int major, std::string_view table) {
        for (const LegacyTable& t : MDCTablesAtMajor(major))
            if (t.name == table) return t.columns.size();
        return std::size_t{0};
    };
    EXPECT_TRUE(MDCTablesAtMajor(1).empty());
    EXPECT_TRUE(MDCTablesAtMajor(2).empty());
    EXPECT_EQ(MDCTablesAtMajor(3).size(), 2u);
    EXPECT_EQ(columns(3, "T_TRNK_SH_BUFFER"), 35u);
    EXPECT_EQ(columns(4, "T_TRNK_SH_BUFFER"), 36u);
    EXPECT_EQ(columns(4, "T_TRNK_DT_SH_BUFFER"), 5u);
    EXPECT_EQ(columns(5, "T_TRNK_DT_SH_BUFFER"), 7u);
    EXPECT_EQ(columns(6, "T_TRNK_SH_BUFFER"), 36u);
    EXPECT_EQ(columns(7, "T_TRNK_SH_BUFFER"), 39u);
    EXPECT_EQ(MDCTablesAtMajor(7).size(), 2u);
    EXPECT_EQ(MDCTablesAtMajor(8).size(), 3u);
    EXPECT_EQ(MDCTablesAtMajor(9).size(), 3u);
}

// The statements of the schema steps, per dialect, in their order.
std::vector<std::string> StepStatements(int from, db::Dialect dialect) {
    std::vector<std::string> sql;
    for (const MDCChange& change : FindMDCMajorStep(from)->changes)
        for (std::string& s : MDCChangeStatements(change, from, dialect)) sql.push_back(std::move(s));
    return sql;
}

TEST(MDCSchemaSteps, AddedColumnsTakeEachDialectsTypes) {
    EXPECT_THAT(StepStatements(3, db::Dialect::Access),
                ElementsAre("ALTER TABLE T_TRNK_SH_BUFFER ADD SHIFT_END DATETIME "));
    EXPECT_THAT(StepStatements(3, db::Dialect::Oracle),
                ElementsAre("ALTER TABLE T_TRNK_SH_BUFFER ADD SHIFT_END DATE "));
    EXPECT_THAT(StepStatements(4, db::Dialect::SqlServer),
                ElementsAre("ALTER TABLE T_TRNK_DT_SH_BUFFER ADD START_TIME DATETIME ",
                            "ALTER TABLE T_TRNK_DT_SH_BUFFER ADD STOP_TIME DATETIME "));
    EXPECT_THAT(StepStatements(6, db::Dialect::Access),
                ElementsAre("ALTER TABLE T_TRNK_SH_BUFFER ADD OP_NUMBER VARCHAR(40) ",
                            "ALTER TABLE T_TRNK_SH_BUFFER ADD OP_EVENT_ID INTEGER ",
                            "ALTER TABLE T_TRNK_SH_BUFFER ADD OP_BUFFER_ID INTEGER "));
    EXPECT_THAT(StepStatements(6, db::Dialect::Oracle),
                ElementsAre("ALTER TABLE T_TRNK_SH_BUFFER ADD OP_NUMBER VARCHAR2(40) ",
                            "ALTER TABLE T_TRNK_SH_BUFFER ADD OP_EVENT_ID NUMBER(10,0) ",
                            "ALTER TABLE T_TRNK_SH_BUFFER ADD OP_BUFFER_ID NUMBER(10,0) "));
    EXPECT_TRUE(StepStatements(5, db::Dialect::Access).empty());
}

TEST(MDCSchemaSteps, CreatedTablesComeWithTheirKeysWithoutLaterColumns) {
    const auto access = StepStatements(2, db::Dialect::Access);
    const auto sql = StepStatements(2, db::Dialect::SqlServer);
    const auto oracle = StepStatements(2, db::Dialect::Oracle);
    ASSERT_EQ(access.size(), 10u);
    ASSERT_EQ(sql.size(), 10u);
    ASSERT_EQ(oracle.size(), 16u);
    EXPECT_THAT(access[0],
                HasSubstr("CREATE TABLE T_TRNK_SH_BUFFER (SH_BUFFER_ID COUNTER NOT NULL PRIMARY KEY"));
    EXPECT_THAT(access[0], HasSubstr("ADDED_TO_SH INTEGER)"));
    EXPECT_THAT(access[0], Not(HasSubstr("SHIFT_END")));
    EXPECT_THAT(sql[0], HasSubstr("SH_BUFFER_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY"));
    EXPECT_THAT(sql[5], HasSubstr("DT_SH_BUFFER_ID INTEGER IDENTITY(1,1) NOT NULL PRIMARY KEY"));
    EXPECT_THAT(sql[5], Not(HasSubstr("START_TIME")));
    EXPECT_EQ(access[1], "CREATE UNIQUE INDEX K_TRNK_SH_BUFFER ON T_TRNK_SH_BUFFER (SH_BUFFER_ID )");
    EXPECT_EQ(access[2], "CREATE INDEX K_TRNK_SH_BUFFER_MACH ON T_TRNK_SH_BUFFER (MACHINE_ID)");
    EXPECT_EQ(access[9],
              "ALTER TABLE T_TRNK_DT_SH_BUFFER ADD CONSTRAINT FK_DT_SH_BUFFER_ST FOREIGN KEY "
              "(SUBTYPE_ID) REFERENCES T_TRNK_SUBTYPE ");
    // Oracle: key constraint after the unique index, sequence and trigger after the other index.
    EXPECT_THAT(oracle[2], HasSubstr("CONSTRAINT K_TRNK_SH_BUFFER PRIMARY KEY"));
    EXPECT_EQ(oracle[4],
              "CREATE SEQUENCE S_TRNK_SH_BUFFER MINVALUE 1 INCREMENT BY 1 START WITH 1 CACHE 5 NOCYCLE");
    EXPECT_THAT(oracle[5], HasSubstr("CREATE OR REPLACE TRIGGER TR_TRNK_SH_BUFFER"));
    EXPECT_THAT(oracle[6], HasSubstr("ADD ( CONSTRAINT FK_SH_BUFFER_MACH"));
    const auto scrap = StepStatements(7, db::Dialect::Oracle);
    EXPECT_EQ(scrap.size(), 7u);
    EXPECT_EQ(StepStatements(7, db::Dialect::Access).size(), 4u);
}

// ---- versions the upgrade cannot start from ---------------------------------------------------

struct RefusedCase {
    const char* name;
    const char* version;
    const char* message;
};

class RefusedMDCVersion : public MDCUpgradeTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedMDCVersion, FailsWithTheVersionFoundAndChangesNothing) {
    const RefusedCase c = GetParam();
    StartAt(db::Dialect::Access, 9, "114");
    database.Run({std::string("UPDATE T_TRNK_COMMON SET RESERVED0 = '") + c.version + "' WHERE APP_ID = 31"});
    const auto before = testing::DescribeSchema(database.Path());
    std::string strError;
    EXPECT_FALSE(testing::SetupModuleIn(Module::MDC, db::Dialect::Access, strError));
    EXPECT_EQ(strError, c.message);
    EXPECT_EQ(Version(), c.version);
    EXPECT_EQ(testing::DescribeSchema(database.Path()), before);
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, RefusedMDCVersion,
    ::testing::Values(
        RefusedCase{
            "Newer", "10.2",
            "The MDC tables are at legacy version '10.2', which this program does not know; its last MDC "
            "version is 9.114"},
        RefusedCase{
            "NotANumber", "x.5",
            "The MDC tables are at legacy version 'x.5', which this program does not know; its last MDC "
            "version is 9.114"},
        RefusedCase{
            "NoPoint", "abc",
            "The MDC tables are at legacy version 'abc', which this program does not know; its last MDC "
            "version is 9.114"},
        RefusedCase{
            "Zero", "0.50",
            "The MDC tables are at legacy version 0.50; the oldest legacy version this program can bring up "
            "to date is 1.0"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// ---- per-step commit and resume ---------------------------------------------------------------

class MDCStepCommit : public MDCUpgradeTest, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(MDCStepCommit, EachStepCommitsItsMajorAndTheFixesFollow) {
    StartAt(GetParam(), 5, "20",
            {"UPDATE T_TRNK_COMMON SET RESERVED1 = '1' WHERE APP_ID = 31",
             "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6290, 9, 7)",
             "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6331, 9, 7)"});
    // The version as committed, read beside the upgrade whenever it opens a version row.
    std::vector<std::string> versions, percents;
    core::gConnection().SetStatementObserver([&](const std::string& sql) {
        if (!sql.starts_with("select * from T_TRNK_COMMON")) return;
        const std::string version = Version();
        if (versions.empty() || versions.back() != version) versions.push_back(version);
        percents.push_back(core::frmProgress().lblPercent().Caption);
    });
    UpgradeOk();
    EXPECT_THAT(versions, ElementsAre("5.20", "6.20", "7.20", "8.20", "9.20"));
    EXPECT_EQ(Version(), "9.114");
    // Four steps: a quarter each.
    EXPECT_THAT(percents, ::testing::IsSupersetOf({"0%", "25%", "50%", "75%", "100%"}));
    // Every fix of minor 20 ran: the rights moved before minors 90 and 110 followed their objects.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 9 and OBJECT_ID IN (6208, 6205)"), "2");
    EXPECT_EQ(Scalar("select RESERVED7 || '/' || RESERVED12 from T_TRNK_COMMON where APP_ID = 0"), "171/2");
    // Step 8 to 9 cleared the old setting before the fix for minor 113 could move it.
    EXPECT_EQ(Scalar("select BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 and OPTION_VALUE = 1"), "0");
    EXPECT_EQ(Scalar("select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), "NULL");
}

TEST_P(MDCStepCommit, AFailedStepLeavesTheLastCompletedMajorAndARerunResumes) {
    // Events filed under no department: the replay of step 5 to 6 cannot store their shift history.
    StartAt(GetParam(), 3, "20", kPlace);
    AddEvent(12, "P-1", {2023, 1, 2, 8, 0, 0}, db::DateTime{2023, 1, 2, 10, 0, 0});
    AddEvent(5, "", {2023, 1, 2, 8, 10, 0}, db::DateTime{2023, 1, 2, 8, 40, 0});
    database.Run({"UPDATE T_TRNK_EVENTS SET DEPT_ID = NULL"});
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(testing::SetupModuleIn(Module::MDC, GetParam(), strError));
    EXPECT_THAT(strError, HasSubstr("DEPT_ID"));
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    // Steps 3 to 4 and 4 to 5 are committed; the replay's work is undone with its step.
    EXPECT_EQ(Version(), "5.20");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL"), "2");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SH_BUFFER"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MACHINES where SH_BUFFER_ID IS NOT NULL"), "0");

    database.Run({"UPDATE T_TRNK_EVENTS SET DEPT_ID = 1"});
    database.sent.clear();
    ASSERT_TRUE(testing::SetupModuleIn(Module::MDC, GetParam(), strError)) << strError;
    EXPECT_EQ(Version(), "9.114");
    EXPECT_THAT(database.sent, Not(Contains(HasSubstr("ADD SHIFT_END"))));
    EXPECT_THAT(database.sent, Contains(HasSubstr("ADD OP_NUMBER")));
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SHIFT_HISTORY"), "1");
}

INSTANTIATE_TEST_SUITE_P(Dialects, MDCStepCommit,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return DialectCaseName(info.param);
                         });

// ---- the row work of the steps ----------------------------------------------------------------

class MDCStepRows : public MDCUpgradeTest, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(MDCStepRows, Step1To2FilesDowntimeByTypeAndSplitsTheDurationColumns) {
    StartAt(GetParam(), 1, "20", kPlace);
    database.Run({
        // Downtimes 513 (the retired type 33) and 514 (planned, 6).
        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES ('Lunch', 'LUN', 33)",
        "INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_NAME, DOWNTIME_NUMBER, PTYPE_ID) VALUES ('Break', 'BRK', 6)",
        "INSERT INTO T_TRNK_SHIFT_HISTORY (CHART_DATE, DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID, "
        "MATERIAL_UDT, "
        "MAINTENANCE_UDT, TOOLING_UDT, GAUGING_UDT, OTHER_UDT, MEETINGS_PDT, MAINTENANCE_PDT, BREAKS_PDT, "
        "OTHER_PDT) VALUES (" +
            std::string(GetParam() == db::Dialect::Access   ? "#2023-01-02#"
                        : GetParam() == db::Dialect::Oracle ? "TO_DATE('2023-01-02', 'YYYY-MM-DD')"
                                                            : "'2023-01-02'") +
            ", 1, 1, 1, 1, 0.5, 0, 0, 0.25, 0, 1, 1.25, 0, 2)",
        "INSERT INTO T_TRNK_SHIFT_HISTORY (CHART_DATE, DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID, "
        "MATERIAL_UDT, "
        "MAINTENANCE_UDT, TOOLING_UDT, GAUGING_UDT, OTHER_UDT, MEETINGS_PDT, MAINTENANCE_PDT, BREAKS_PDT, "
        "OTHER_PDT) SELECT CHART_DATE, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0 FROM T_TRNK_SHIFT_HISTORY",
        "INSERT INTO T_TRNK_SHIFT_HISTORY (CHART_DATE, DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID) SELECT "
        "CHART_DATE, 1, 1, 1, 1 FROM T_TRNK_SHIFT_HISTORY WHERE SHIFT_HISTORY_ID = 1",
        // Rows already filed: by the retired type, by a planned one, by no downtime.
        "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY (DOWNTIME_ID, SHIFT_HISTORY_ID, DURATION) VALUES (513, 2, "
        "1)",
        "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY (DOWNTIME_ID, SHIFT_HISTORY_ID, DURATION, PTYPE_ID) "
        "VALUES "
        "(514, 2, 2, 5)",
        "INSERT INTO T_TRNK_DOWNTIME_SHIFT_HISTORY (DOWNTIME_ID, SHIFT_HISTORY_ID, DURATION, PTYPE_ID) "
        "VALUES "
        "(NULL, 2, 3, 7)",
    });
    std::string strError;
    core::gConnection().BeginTrans();
    ASSERT_TRUE(UpgradeMDCVersion1To2(GetParam(), strError)) << strError;
    core::gConnection().CommitTrans();
    // Shift, downtime, type, duration: the three filed rows, then one row per non-zero duration in
    // column order; the all-zero and the never-recorded shifts (2, 3) get none.
    EXPECT_THAT(
        Rows("select SHIFT_HISTORY_ID, DOWNTIME_ID, PTYPE_ID, DURATION from T_TRNK_DOWNTIME_SHIFT_HISTORY "
             "order by DOWNTIME_SHIFT_HISTORY_ID"),
        ElementsAre("2|513|5|1", "2|514|6|2", "2|NULL|7|3", "1|5|5|0.5", "1|6|5|0.25", "1|1|6|1",
                    "1|3|5|1.25", "1|4|5|2"));
}

TEST_P(MDCStepRows, Step5To6ReplaysTheVersion5EventsThroughTheUpgrade) {
    StartAt(GetParam(), 5, "114", kPlace);
    AddEvent(12, "P-1", {2023, 1, 2, 8, 0, 0}, db::DateTime{2023, 1, 2, 10, 0, 0});
    AddEvent(5, "", {2023, 1, 2, 8, 10, 0}, db::DateTime{2023, 1, 2, 8, 40, 0});
    AddEvent(10, "4", {2023, 1, 2, 8, 50, 0});
    AddEvent(11, "3", {2023, 1, 2, 9, 0, 0});
    // Seen from beside the upgrade when the replay reads the events: the step is not committed yet.
    std::string versionDuringReplay;
    core::gConnection().SetStatementObserver([&](const std::string& sql) {
        if (sql.starts_with("select * from T_TRNK_EVENTS ")) versionDuringReplay = Version();
    });
    std::string strError;
    ASSERT_TRUE(testing::SetupModuleIn(Module::MDC, GetParam(), strError)) << strError;
    EXPECT_EQ(versionDuringReplay, "5.114");
    EXPECT_EQ(Version(), "9.114");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL"), "0");
    // The part's buffer, closed at the part stop, is the shift history; the machine is left on the
    // buffer opened there.
    EXPECT_THAT(
        Rows("select MACHINE_ID, PART_ID, CYCLE_TIME, FINISHED_CYCLES, GOOD_COUNT, SCRAPPED_COUNT from "
             "T_TRNK_SHIFT_HISTORY"),
        ElementsAre("1|1|30|1|4|3"));
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SH_BUFFER"), "1");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MACHINES m, T_TRNK_SH_BUFFER b where m.SH_BUFFER_ID = "
                     "b.SH_BUFFER_ID"),
              "1");
    // The version-6 replay knows no scrap codes: the later step files the open buffer's count, none.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SCRAP_CODE_SH_BUFFER"), "0");
}

TEST_P(MDCStepRows, Step7To8FilesEachScrappedCountUnderCode100) {
    StartAt(GetParam(), 7, "114", kPlace);
    database.Run({
        "INSERT INTO T_TRNK_SH_BUFFER (MACHINE_ID, SCRAPPED_COUNT) VALUES (1, 4)",
        "INSERT INTO T_TRNK_SH_BUFFER (MACHINE_ID, SCRAPPED_COUNT) VALUES (1, 0)",
        "INSERT INTO T_TRNK_SH_BUFFER (MACHINE_ID) VALUES (1)",
        "INSERT INTO T_TRNK_SH_BUFFER (MACHINE_ID, SCRAPPED_COUNT) VALUES (1, 2)",
        "UPDATE T_TRNK_SH_BUFFER SET STOP_TIME = START_TIME",
    });
    const db::DateTime stop{2023, 1, 2, 9, 30, 0};
    {
        core::RecordsetPtr rs =
            core::OpenClientRecordset("select * from T_TRNK_SH_BUFFER where SH_BUFFER_ID = 1");
        rs->Set("STOP_TIME", stop);
        rs->Update();
        core::CloseRecordset(rs);
    }
    UpgradeOk();
    EXPECT_THAT(
        Rows("select SCRAP_CODE_NUMBER, SH_BUFFER_ID, QTY, START_TIME from T_TRNK_SCRAP_CODE_SH_BUFFER "
             "order by SCRAP_CODE_SH_BUFFER_ID"),
        ElementsAre("100|1|4|2023-01-02 09:30:00", "100|4|2|NULL"));
}

INSTANTIATE_TEST_SUITE_P(Dialects, MDCStepRows,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return DialectCaseName(info.param);
                         });

// Step 8 to 9 clears the old setting; at a minor before 113 the fix then moves what is left of it.
struct SettingCase {
    const char* name;
    const char* version;
    const char* settingBefore;
    const char* settingAfter;
    const char* option1After;
};

class MDCOldSetting : public MDCUpgradeTest, public ::testing::WithParamInterface<SettingCase> {};

TEST_P(MDCOldSetting, EndsAsTheStepsLeaveIt) {
    const SettingCase c = GetParam();
    const std::string version = c.version;
    StartAt(db::Dialect::Access, std::stoi(version.substr(0, version.find('.'))),
            version.substr(version.find('.') + 1),
            {"UPDATE T_TRNK_COMMON SET RESERVED1 = '" + std::string(c.settingBefore) + "' WHERE APP_ID = 31",
             "UPDATE T_TRNK_OPTIONS SET BOOL_VAL = -1 WHERE APP_ID = 31 AND OPTION_VALUE = 1"});
    UpgradeOk();
    EXPECT_EQ(Version(), "9.114");
    EXPECT_EQ(Scalar("select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), c.settingAfter);
    EXPECT_EQ(Scalar("select BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 and OPTION_VALUE = 1"),
              c.option1After);
}

INSTANTIATE_TEST_SUITE_P(Cases, MDCOldSetting,
                         ::testing::Values(SettingCase{"Major8Minor114", "8.114", "1", "0", "-1"},
                                           SettingCase{"Major8Minor113", "8.113", "1", "NULL", "0"},
                                           SettingCase{"Major9Minor113", "9.113", "1", "NULL", "-1"}),
                         [](const ::testing::TestParamInfo<SettingCase>& info) { return info.param.name; });

// ---- the creator's choice of path ---------------------------------------------------------------

TEST_F(MDCUpgradeTest, BeforeMajor3TheMissingBufferTablesTakeTheCreatePath) {
    StartAt(db::Dialect::Oracle, 2, "20");
    std::string strError;
    ASSERT_TRUE(testing::SetupModuleIn(Module::MDC, db::Dialect::Oracle, strError)) << strError;
    EXPECT_EQ(Version(), "9.114");
    EXPECT_THAT(database.sent, Not(Contains(HasSubstr("T_TRNK_DOWNTIME_SHIFT_HISTORY"))));
    EXPECT_THAT(database.sent, Contains(HasSubstr("CREATE TABLE T_TRNK_SCRAP_CODE_SH_BUFFER")));
}

// ---- a plant at an old MDC version, migrated end to end -----------------------------------------

class SlowOldMDCPlant : public MDCUpgradeTest, public ::testing::WithParamInterface<StartCase> {};

// The MDC tables at the old version with version-5 events (majors up to 5) or a buffer with a
// scrapped count, migrated by the component.
TEST_P(SlowOldMDCPlant, MigratesEndToEnd) {
    const StartCase c = GetParam();
    StartAt(c.dialect, c.major, "20", kPlace);
    if (c.major <= 5) {
        AddEvent(12, "P-1", {2023, 1, 2, 8, 0, 0}, db::DateTime{2023, 1, 2, 10, 0, 0});
        AddEvent(5, "", {2023, 1, 2, 8, 10, 0}, db::DateTime{2023, 1, 2, 8, 40, 0});
    }
    {
        core::RecordsetPtr machine = core::OpenClientRecordset("select * from T_TRNK_MACHINES");
        machine->Set("STATUS_DATE", db::DateTime{2023, 1, 2, 7, 0, 0});
        machine->Update();
        core::CloseRecordset(machine);
    }
    MigrateThroughTheComponent();
    EXPECT_EQ(database.Scalar("select count(*) from T_SFC_MACHINE", c.dialect), "1");
    // The converted events: the part's shift history and the machine's open buffer (a machine added
    // after the conversion has none).
    EXPECT_EQ(database.Scalar("select count(*) from T_SFC_MACHINE_DATA", c.dialect),
              c.major <= 5 ? "2" : "0");
}

INSTANTIATE_TEST_SUITE_P(Plants, SlowOldMDCPlant,
                         ::testing::Values(StartCase{db::Dialect::Access, 3},
                                           StartCase{db::Dialect::Oracle, 5},
                                           StartCase{db::Dialect::SqlServer, 8}),
                         testing::StartCaseName);

}  // namespace
}  // namespace tmigration::legacy
