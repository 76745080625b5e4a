// The Gage, Tool and Traveler upgrades from older majors: an upgraded database has the schema of a
// created one, each major step commits on its own so that a failed run resumes, majors a dialect
// cannot start from fail with the version found, and each data conversion turns rows in the old
// forms into the new.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "ModuleUpgradeTest.h"
#include "legacy/CommonMajorSteps.h"
#include "legacy/TableCreators.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

using ::testing::Contains;
using ::testing::HasSubstr;

class ProductUpgradeTest : public testing::ModuleUpgradeTest {
  protected:
    ProductUpgradeTest() : ModuleUpgradeTest(Module::Gage) {}
    void StartAt(Module module, db::Dialect dialect, int major, const std::string& minor,
                 const std::vector<std::string>& rows = {}) {
        module_ = module;
        ModuleUpgradeTest::StartAt(dialect, major, minor, rows);
    }
};

// ---- the schema an upgrade leaves -------------------------------------------------------------

struct StartCase {
    Module module;
    db::Dialect dialect;
    int major;
};

class SlowProductUpgradedSchema : public ProductUpgradeTest,
                                  public ::testing::WithParamInterface<StartCase> {};

TEST_P(SlowProductUpgradedSchema, EqualsTheSchemaOfCreatedTables) {
    const StartCase c = GetParam();
    testing::SharedDatabase created;
    testing::CopyCreatedDatabase(created, c.dialect, testing::Created::CommonAndProducts);
    StartAt(c.module, c.dialect, c.major, "20");
    // The last step of each module converts rows only.
    if (c.major != MajorStepsOf(c.module).back().from) {
        EXPECT_NE(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    }
    ui::testing::ScopedRecordingRenderer recorder;
    UpgradeOk();
    EXPECT_EQ(testing::DescribeSchema(database.Path()), testing::DescribeSchema(created.Path()));
    EXPECT_EQ(Version(), ModuleProgramVersion(c.module));
    const std::string text = c.module == Module::Gage   ? "Updating the Gage Crib Portion of the Database..."
                             : c.module == Module::Tool ? "Updating the Tool Crib Portion of the Database..."
                                                        : "Updating the Traveler Portion of the Database...";
    EXPECT_THAT(recorder.log.infoSeen, Contains(text));
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

// For each module and dialect: the first major it can start from, a middle one, the last-but-one.
INSTANTIATE_TEST_SUITE_P(
    Starts, SlowProductUpgradedSchema,
    ::testing::Values(
        StartCase{Module::Gage, db::Dialect::Access, 30}, StartCase{Module::Gage, db::Dialect::Access, 33},
        StartCase{Module::Gage, db::Dialect::Access, 36}, StartCase{Module::Gage, db::Dialect::Oracle, 1},
        StartCase{Module::Gage, db::Dialect::Oracle, 19}, StartCase{Module::Gage, db::Dialect::Oracle, 26},
        StartCase{Module::Gage, db::Dialect::Oracle, 36}, StartCase{Module::Gage, db::Dialect::SqlServer, 32},
        StartCase{Module::Gage, db::Dialect::SqlServer, 34},
        StartCase{Module::Gage, db::Dialect::SqlServer, 36}, StartCase{Module::Tool, db::Dialect::Access, 1},
        StartCase{Module::Tool, db::Dialect::Access, 8}, StartCase{Module::Tool, db::Dialect::Access, 16},
        StartCase{Module::Tool, db::Dialect::Oracle, 1}, StartCase{Module::Tool, db::Dialect::Oracle, 8},
        StartCase{Module::Tool, db::Dialect::Oracle, 16}, StartCase{Module::Tool, db::Dialect::SqlServer, 12},
        StartCase{Module::Tool, db::Dialect::SqlServer, 14},
        StartCase{Module::Tool, db::Dialect::SqlServer, 16},
        StartCase{Module::Traveler, db::Dialect::Access, 7},
        StartCase{Module::Traveler, db::Dialect::Access, 10},
        StartCase{Module::Traveler, db::Dialect::Access, 14},
        StartCase{Module::Traveler, db::Dialect::Oracle, 1},
        StartCase{Module::Traveler, db::Dialect::Oracle, 5},
        StartCase{Module::Traveler, db::Dialect::Oracle, 6},
        StartCase{Module::Traveler, db::Dialect::Oracle, 14},
        StartCase{Module::Traveler, db::Dialect::SqlServer, 9},
        StartCase{Module::Traveler, db::Dialect::SqlServer, 11},
        StartCase{Module::Traveler, db::Dialect::SqlServer, 14}),
    [](const ::testing::TestParamInfo<StartCase>& info) {
        return std::string(ModuleName(info.param.module)) + testing::DialectCaseName(info.param.dialect) +
               "From" + std::to_string(info.param.major);
    });

TEST(ProductSchemaHistory, TablesComeAndGoWithTheirSteps) {
    const auto names = [](Module module, int major) {
        std::vector<std::string> out;
        for (const LegacyTable& t : TablesAtMajor(module, major)) out.push_back(t.name);
        return out;
    };
    EXPECT_EQ(names(Module::Gage, 37).size(), 11u);
    EXPECT_EQ(names(Module::Gage, 34).size(), 10u);  // no calibration sets
    EXPECT_EQ(names(Module::Tool, 1).size(), 7u);
    EXPECT_THAT(names(Module::Tool, 2), Contains("T_TRNK_TOOL_IRR"));
    EXPECT_EQ(names(Module::Traveler, 15).size(), 15u);
    EXPECT_THAT(names(Module::Traveler, 7), Contains("T_TRNK_INSERT_TPO"));
    EXPECT_THAT(names(Module::Traveler, 8), ::testing::Not(Contains("T_TRNK_INSERT_TPO")));
    EXPECT_THAT(names(Module::Traveler, 1), ::testing::Not(Contains("T_TRNK_INSERT_TPO")));
    // The part-per-operation table is missing between its drop and its rebuild.
    EXPECT_THAT(names(Module::Traveler, 6), ::testing::Not(Contains("T_TRNK_PARTPEROP")));
    EXPECT_THAT(names(Module::Traveler, 5), Contains("T_TRNK_PARTPEROP"));
    // The tool inspection report before its rebuild has no repair columns.
    const auto irr = TableAtMajor(Module::Tool, "T_TRNK_TOOL_IRR", 2);
    ASSERT_TRUE(irr.has_value());
    EXPECT_FALSE(std::ranges::any_of(irr->columns,
                                     [](const LegacyColumn& c) { return c.name == "REPAIR_STATUS_ID"; }));
    EXPECT_EQ(OldestMajor(Module::Gage, db::Dialect::Access), 30);
    EXPECT_EQ(OldestMajor(Module::Gage, db::Dialect::Oracle), 1);
    EXPECT_THAT(names(Module::Gage, 29), Contains("T_TRNK_OLD_GAUGES"));
    EXPECT_THAT(names(Module::Gage, 30), ::testing::Not(Contains("T_TRNK_OLD_GAUGES")));
    EXPECT_EQ(OldestMajor(Module::Gage, db::Dialect::SqlServer), 32);
    EXPECT_EQ(OldestMajor(Module::Tool, db::Dialect::SqlServer), 12);
    EXPECT_EQ(OldestMajor(Module::Traveler, db::Dialect::Access), 7);
    EXPECT_EQ(OldestMajor(Module::Traveler, db::Dialect::Oracle), 1);
}

// What the older Oracle gage history changed, seen in the tables before and after its step.
struct GageFormCase {
    int major;
    const char* table;
    const char* column;  // empty: the table itself
    bool present;
    bool notNull = false;
};

class GageSchemaHistory : public ::testing::TestWithParam<GageFormCase> {};

TEST_P(GageSchemaHistory, TablesAndColumnsStandAsTheirStepsLeftThem) {
    const GageFormCase c = GetParam();
    const std::optional<LegacyTable> table = TableAtMajor(Module::Gage, c.table, c.major);
    if (*c.column == 0) {
        EXPECT_EQ(table.has_value(), c.present);
        return;
    }
    ASSERT_TRUE(table.has_value());
    const auto column =
        std::ranges::find_if(table->columns, [&](const LegacyColumn& l) { return l.name == c.column; });
    ASSERT_EQ(column != table->columns.end(), c.present);
    if (c.present) {
        EXPECT_EQ(column->notNull, c.notNull);
    }
}

INSTANTIATE_TEST_SUITE_P(Majors, GageSchemaHistory,
                         ::testing::Values(GageFormCase{1, "T_TRNK_IRR", "TOTAL_ERRORS", false},
                                           GageFormCase{4, "T_TRNK_IRR", "TOTAL_ERRORS", true},
                                           GageFormCase{14, "T_TRNK_IRR", "MACHINE_ID", true},
                                           GageFormCase{1, "T_TRNK_IRR", "OPEN_DISP_DATE", true},
                                           GageFormCase{21, "T_TRNK_IRR", "OPEN_DISP_DATE", true},
                                           GageFormCase{22, "T_TRNK_IRR", "OPEN_DISP_DATE", false},
                                           GageFormCase{22, "T_TRNK_IRR", "MODIFIED_DATE", true},
                                           GageFormCase{19, "T_TRNK_IRR", "QCE_ID", true},
                                           GageFormCase{20, "T_TRNK_IRR", "QCE_ID", false},
                                           GageFormCase{20, "T_TRNK_IRR", "REWORK_EXPECTED_DATE", false},
                                           GageFormCase{1, "T_TRNK_CALIBRATE", "OPS_PER_GAUGE_ID", true},
                                           GageFormCase{20, "T_TRNK_CALIBRATE", "GAUGE_CAL_DIM_ID", true,
                                                        true},
                                           GageFormCase{11, "T_TRNK_GAUGEINIT", "CANCEL_QTY", false},
                                           GageFormCase{12, "T_TRNK_GAUGEINIT", "DATE_EXPECTED", true},
                                           GageFormCase{17, "T_TRNK_GAUGES", "SERIAL_NO", true, true},
                                           GageFormCase{18, "T_TRNK_GAUGES", "SERIAL_NO", true, false},
                                           GageFormCase{19, "T_TRNK_GAUGES", "FREQUENCY", true},
                                           GageFormCase{20, "T_TRNK_GAUGES", "FREQUENCY", false},
                                           GageFormCase{20, "T_TRNK_GAUGES", "CONDITIONAL_DATE", true},
                                           GageFormCase{9, "T_TRNK_GAUGES", "OLD_STATUS_ID", false},
                                           GageFormCase{19, "T_TRNK_OLD_GAUGES", "", false},
                                           GageFormCase{20, "T_TRNK_OLD_GAUGES", "", true},
                                           GageFormCase{29, "T_TRNK_OLD_GAUGES", "FREQUENCY", true}));

TEST(ProductSchemaHistory, TheGageTypeKeyNamesTheTypeBeforeItsStepAndTheSubtypeAfter) {
    const auto target = [](int major) {
        const std::optional<LegacyTable> gages = TableAtMajor(Module::Gage, "T_TRNK_GAUGES", major);
        for (const LegacyForeignKey& fk : gages->foreignKeys)
            if (fk.name == "FK_GAU_GAUGE_TYPE") return fk.referencedTable;
        return std::string("none");
    };
    EXPECT_EQ(target(14), "T_TRNK_GAUGE_TYPE");
    EXPECT_EQ(target(15), "T_TRNK_GAUGE_SUBTYPE");
    EXPECT_EQ(target(20), "none");
    // The old gages the rebuild left behind carry it on.
    const auto old = TableAtMajor(Module::Gage, "T_TRNK_OLD_GAUGES", 20);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->triggerName, "TR_TRNK_GAUGES");
    EXPECT_TRUE(std::ranges::any_of(
        old->foreignKeys, [](const LegacyForeignKey& fk) { return fk.name == "FK_GAU_GAUGE_TYPE"; }));
}

// The gage rebuild in Oracle statements, in the order they must run: the dependent tables go before
// the gages are renamed; the new gages number from the sequence already there, and the copy keeps
// every key with the new key trigger out of the way.
TEST(ProductSchemaHistory, TheGageRebuildKeepsKeysAndTheSequence) {
    const MajorStep& step = *FindMajorStep(Module::Gage, 19);
    std::vector<std::string> sql;
    for (const SchemaChange& change : step.changes)
        for (auto& s : RenderSchemaChange(change, step, db::Dialect::Oracle)) sql.push_back(s);
    const auto at = [&](const std::string& prefix) {
        const auto found =
            std::ranges::find_if(sql, [&](const std::string& s) { return s.starts_with(prefix); });
        EXPECT_NE(found, sql.end()) << prefix;
        return found - sql.begin();
    };
    EXPECT_LT(at("DROP TABLE T_TRNK_IRR"), at("DROP TABLE T_TRNK_CALHIST"));
    EXPECT_LT(at("DROP TABLE T_TRNK_CALHIST"), at("RENAME T_TRNK_GAUGES TO T_TRNK_OLD_GAUGES"));
    EXPECT_LT(at("RENAME T_TRNK_GAUGES"), at("CREATE TABLE T_TRNK_GAUGES"));
    EXPECT_LT(at("DROP TRIGGER TR_TRNK_GAUGES2"), at("INSERT INTO T_TRNK_GAUGES"));
    EXPECT_LT(at("INSERT INTO T_TRNK_GAUGES"), at("CREATE TABLE T_TRNK_CALHIST"));
    EXPECT_THAT(sql, Contains(HasSubstr("SELECT GAUGE_ID, GAUGE_NO_ID, SERIAL_NO, STATUS_ID, ")));
    EXPECT_THAT(sql, ::testing::Not(Contains(HasSubstr("RMA_NO"))));
    EXPECT_THAT(sql, ::testing::Not(Contains("CREATE SEQUENCE S_TRNK_GAUGES INCREMENT BY 1 START WITH 1")));
    EXPECT_THAT(sql, Contains("DROP SEQUENCE S_TRNK_CALHIST"));
    EXPECT_THAT(sql, Contains("CREATE SEQUENCE S_TRNK_CALHIST INCREMENT BY 1 START WITH 1"));
    // Taken back, the rows go home first and the sequence stays.
    std::vector<std::string> back;
    for (auto change = step.changes.rbegin(); change != step.changes.rend(); ++change)
        for (auto& s : TakeBackStatements(*change, step, db::Dialect::Oracle)) back.push_back(s);
    EXPECT_THAT(back, Contains(HasSubstr("INSERT INTO T_TRNK_OLD_GAUGES (GAUGE_ID, ")));
    EXPECT_THAT(back, Contains("RENAME T_TRNK_OLD_GAUGES TO T_TRNK_GAUGES"));
    EXPECT_THAT(back, ::testing::Not(Contains("DROP SEQUENCE S_TRNK_GAUGES")));
    // Jet keeps counter values given to it; SQL Server only when told to.
    const SchemaChange& copy = step.changes[5];
    ASSERT_EQ(copy.kind, ChangeKind::CopyRows);
    EXPECT_EQ(RenderSchemaChange(copy, step, db::Dialect::Access).size(), 1u);
    EXPECT_EQ(RenderSchemaChange(copy, step, db::Dialect::SqlServer).front(),
              "SET IDENTITY_INSERT T_TRNK_GAUGES ON");
    // Jet has no statement that renames a table.
    EXPECT_THROW(RenderSchemaChange(step.changes[3], step, db::Dialect::Access), std::logic_error);
    EXPECT_EQ(RenderSchemaChange(step.changes[3], step, db::Dialect::SqlServer),
              std::vector<std::string>{"EXEC sp_rename 'T_TRNK_GAUGES', 'T_TRNK_OLD_GAUGES'"});
}

// A relaxed column in each dialect's words, and its take-back.
TEST(ProductSchemaHistory, RelaxedColumnsRenderPerDialect) {
    const MajorStep& step = *FindMajorStep(Module::Gage, 17);
    const SchemaChange& serial = step.changes.front();
    EXPECT_EQ(RenderSchemaChange(serial, step, db::Dialect::Oracle),
              std::vector<std::string>{"ALTER TABLE T_TRNK_GAUGES MODIFY (SERIAL_NO NULL)"});
    EXPECT_EQ(RenderSchemaChange(serial, step, db::Dialect::SqlServer),
              std::vector<std::string>{"ALTER TABLE T_TRNK_GAUGES ALTER COLUMN SERIAL_NO VARCHAR(40) NULL"});
    EXPECT_EQ(RenderSchemaChange(serial, step, db::Dialect::Access),
              std::vector<std::string>{"ALTER TABLE T_TRNK_GAUGES ALTER COLUMN SERIAL_NO VARCHAR(40)"});
    EXPECT_EQ(TakeBackStatements(serial, step, db::Dialect::Oracle),
              std::vector<std::string>{"ALTER TABLE T_TRNK_GAUGES MODIFY (SERIAL_NO NOT NULL)"});
    EXPECT_EQ(
        TakeBackStatements(serial, step, db::Dialect::Access),
        std::vector<std::string>{"ALTER TABLE T_TRNK_GAUGES ALTER COLUMN SERIAL_NO VARCHAR(40) NOT NULL"});
    const MajorStep& dates = *FindMajorStep(Module::Gage, 21);
    EXPECT_EQ(TakeBackStatements(dates.changes.back(), dates, db::Dialect::Oracle),
              std::vector<std::string>{"ALTER TABLE T_TRNK_IRR ADD OPEN_DISP_DATE DATE "});
}

TEST(ProductSchemaHistory, OracleOnlyStepsRenderTheirOwnForms) {
    std::vector<std::string> sql;
    for (int major : {1, 2, 6})
        for (const SchemaChange& change : FindMajorStep(Module::Traveler, major)->changes)
            for (auto& s :
                 RenderSchemaChange(change, *FindMajorStep(Module::Traveler, major), db::Dialect::Oracle))
                sql.push_back(s);
    EXPECT_THAT(sql, Contains(HasSubstr("CREATE TABLE T_TRNK_INSERT_TPO")));
    EXPECT_THAT(sql, Contains("CREATE SEQUENCE S_TRNK_INSERT_TPO INCREMENT BY 1 START WITH 1"));
    EXPECT_THAT(sql, Contains("ALTER TABLE T_TRNK_MACHINEPEROP ADD OP_PROG_NUMBER VARCHAR2(255) "));
    EXPECT_THAT(sql, Contains("DROP SEQUENCE S_TRNK_PARTPEROP"));
    // Step 5 leaves the sequence that step 6 drops.
    std::vector<std::string> five;
    for (const SchemaChange& change : FindMajorStep(Module::Traveler, 5)->changes)
        for (auto& s : RenderSchemaChange(change, *FindMajorStep(Module::Traveler, 5), db::Dialect::Oracle))
            five.push_back(s);
    EXPECT_THAT(five, Contains("DROP TABLE T_TRNK_PARTPEROP"));
    EXPECT_THAT(five, ::testing::Not(Contains(HasSubstr("DROP SEQUENCE"))));
}

// ---- versions the upgrade cannot start from ---------------------------------------------------

struct RefusedCase {
    const char* name;
    Module module;
    db::Dialect dialect;
    const char* version;
    const char* message;
};

class ProductRefusedVersion : public ProductUpgradeTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(ProductRefusedVersion, FailsWithTheVersionFoundAndChangesNothing) {
    const RefusedCase c = GetParam();
    module_ = c.module;
    dialect_ = c.dialect;
    testing::CopyCreatedDatabase(database, c.dialect, testing::Created::CommonAndProducts);
    database.OpenShared(c.dialect);
    database.Run({std::string("UPDATE T_TRNK_COMMON SET RESERVED0 = '") + c.version +
                  "' WHERE APP_ID = " + std::to_string(ModuleAppId(c.module))});
    const auto before = testing::DescribeSchema(database.Path());
    std::string strError;
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(strError, c.message);
    EXPECT_EQ(Version(), c.version);
    EXPECT_EQ(testing::DescribeSchema(database.Path()), before);
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ProductRefusedVersion,
    ::testing::Values(
        RefusedCase{
            "AccessGage29", Module::Gage, db::Dialect::Access, "29.0",
            "The Gage tables are at legacy version 29.0; the oldest legacy version this program can bring "
            "up to date is 30.0"},
        RefusedCase{
            "SqlGage31", Module::Gage, db::Dialect::SqlServer, "31.4",
            "The Gage tables are at legacy version 31.4; the oldest legacy version this program can bring "
            "up to date is 32.0"},
        RefusedCase{
            "OracleGage0", Module::Gage, db::Dialect::Oracle, "0.9",
            "The Gage tables are at legacy version 0.9; the oldest legacy version this program can bring "
            "up to date is 1.0"},
        RefusedCase{
            "NewerGage", Module::Gage, db::Dialect::Oracle, "38.0",
            "The Gage tables are at legacy version '38.0', which this program does not know; its last Gage "
            "version is 37.105"},
        RefusedCase{
            "SqlTool11", Module::Tool, db::Dialect::SqlServer, "11.5",
            "The Tool tables are at legacy version 11.5; the oldest legacy version this program can bring "
            "up to date is 12.0"},
        RefusedCase{
            "ToolNotANumber", Module::Tool, db::Dialect::Access, "1x.2",
            "The Tool tables are at legacy version '1x.2', which this program does not know; its last Tool "
            "version is 17.36"},
        RefusedCase{
            "AccessTraveler6", Module::Traveler, db::Dialect::Access, "6.3",
            "The Traveler tables are at legacy version 6.3; the oldest legacy version this program can "
            "bring up to date is 7.0"},
        RefusedCase{
            "SqlTraveler8", Module::Traveler, db::Dialect::SqlServer, "8.0",
            "The Traveler tables are at legacy version 8.0; the oldest legacy version this program can "
            "bring up to date is 9.0"}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// ---- per-step commit and resume ---------------------------------------------------------------

class ProductStepCommit : public ProductUpgradeTest, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(ProductStepCommit, AFailedStepLeavesTheLastCompletedMajorAndARerunResumes) {
    StartAt(Module::Traveler, GetParam(), 12, "50",
            {"INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Castings')",
             "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (1, 'P-1', 1)",
             "INSERT INTO T_TRNK_TRAVELER (TRAVELER_ID, TRAVELER_NUMBER, PART_ID, STATUS_ID, USER_REV, "
             "TRAVELER_TYPE) VALUES (1, 'T-1', 1, 26, 'A2.3', 'Rework')"});
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("UPDATE T_TRNK_TRAVELER SET TRAV_TYPE = 5"))
            throw std::runtime_error("disk full");
    });
    std::string strError;
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(strError, "disk full");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    // Steps 12 and 13 are committed with their rows; step 14 is not recorded.
    EXPECT_EQ(Version(), "14.50");
    EXPECT_EQ(Scalar("select ALT_NUM || '/' || USER_REV || '/' || STATUS_ID from T_TRNK_TRAVELER"), "2/3/21");
    const bool oracle = GetParam() == db::Dialect::Oracle;
    EXPECT_EQ(HasColumn("T_TRNK_TRAVELER", "TRAV_TYPE"), oracle);

    ReopenAfterFailedStep("14.50", "ALTER TABLE T_TRNK_TRAVELER DROP COLUMN TRAV_TYPE");
    UpgradeOk();
    EXPECT_EQ(Version(), "15.103");
    EXPECT_EQ(Scalar("select TRAV_TYPE from T_TRNK_TRAVELER"), "5");
    EXPECT_THAT(database.sent, ::testing::Not(Contains(HasSubstr("ADD ALT_NUM"))));
}

TEST_P(ProductStepCommit, EachStepMovesTheMajorAndKeepsTheMinor) {
    StartAt(Module::Gage, GetParam(), 35, "200");
    std::vector<std::string> versions;
    core::gConnection().SetStatementObserver([&](const std::string& sql) {
        database.sent.push_back(sql);
        if (sql.starts_with("DELETE from T_TRNK_GAUGE_CAL_DIM")) versions.push_back(Version());
    });
    UpgradeOk();
    EXPECT_EQ(versions, std::vector<std::string>{"36.200"});
    EXPECT_EQ(Version(), "37.105");
}

// An Oracle gage with a calibration and an inspection report dated by its disposition, as the
// gage tables held them between the rebuild and the report dates.
const std::vector<std::string> kOracleGageReport = {
    "INSERT INTO T_TRNK_GAUGE_TYPE (GAUGE_TYPE_ID, GAUGE_TYPE) VALUES (1, 'Calipers')",
    "INSERT INTO T_TRNK_GAUGE_SUBTYPE (GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID) VALUES (1, "
    "'Dial', 1)",
    "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (1, 'G-1', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (1, 'S1', 1)",
    "INSERT INTO T_TRNK_CALHIST (GAUGE_ID, CAL_DATE) VALUES (1, TO_DATE('2003-01-01', 'YYYY-MM-DD'))",
    "INSERT INTO T_TRNK_IRR (IRR_NO, GAUGE_ID, STATUS_ID, CALHIST_ID, OPEN_DISP_DATE) VALUES ('R1', 1, "
    "1, "
    "1, TO_DATE('2003-04-05', 'YYYY-MM-DD'))",
};

// Oracle commits each schema statement, so a step that fails after one leaves it behind: the major
// stays where it was and a rerun stops at the same step until the half-made change is taken away.
TEST_F(ProductUpgradeTest, AFailedOracleGageStepOfTheOlderHistoryKeepsItsMajor) {
    StartAt(Module::Gage, db::Dialect::Oracle, 20, "7", kOracleGageReport);
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("UPDATE T_TRNK_IRR SET LAST_ACTION_ID")) throw std::runtime_error("disk full");
    });
    std::string strError;
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(strError, "disk full");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_EQ(Version(), "21.7");
    EXPECT_TRUE(HasColumn("T_TRNK_IRR", "LAST_ACTION_ID"));
    EXPECT_TRUE(HasColumn("T_TRNK_IRR", "OPEN_DISP_DATE"));

    core::gConnectionSlot().reset();
    database.OpenShared(db::Dialect::Oracle);
    EXPECT_FALSE(Upgrade(strError));
    EXPECT_EQ(Version(), "21.7");
    database.Run({"ALTER TABLE T_TRNK_IRR DROP COLUMN INITIAL_DATE",
                  "ALTER TABLE T_TRNK_IRR DROP COLUMN MODIFIED_DATE",
                  "ALTER TABLE T_TRNK_IRR DROP COLUMN LAST_ACTION_ID"});
    core::gConnectionSlot().reset();
    database.OpenShared(db::Dialect::Oracle);
    UpgradeOk();
    EXPECT_EQ(Version(), "37.105");
    ExpectAll(
        {{"select count(*) from T_TRNK_IRR where MODIFIED_DATE = TO_DATE('2003-04-05', 'YYYY-MM-DD') and "
          "LAST_ACTION_ID = 140",
          "1"}});
}

INSTANTIATE_TEST_SUITE_P(Dialects, ProductStepCommit,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return testing::DialectCaseName(info.param);
                         });

// ---- data conversions -------------------------------------------------------------------------

class ProductConversion : public ProductUpgradeTest {};

const std::vector<std::string> kGageRows = {
    "INSERT INTO T_TRNK_GAUGE_TYPE (GAUGE_TYPE_ID, GAUGE_TYPE) VALUES (1, 'Calipers')",
    "INSERT INTO T_TRNK_GAUGE_SUBTYPE (GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID) VALUES (1, "
    "'Dial', 1)",
    "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (1, 'G-1', 1)",
    "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (2, 'G-2', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_ID, GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (1, 1, 'S1', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_ID, GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (2, 1, 'S2', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_ID, GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (3, 2, 'S3', 1)",
    "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Inspector', 'P1', "
    "100)",
    // Gage 1 calibrated twice, the later one entered first; gage 2 once; gage 3 (number 2) once.
    "INSERT INTO T_TRNK_CALHIST (CALHIST_ID, GAUGE_ID, CAL_DATE) VALUES (1, 1, #2003-05-01#)",
    "INSERT INTO T_TRNK_CALHIST (CALHIST_ID, GAUGE_ID, CAL_DATE) VALUES (2, 1, #2003-01-01#)",
    "INSERT INTO T_TRNK_CALHIST (CALHIST_ID, GAUGE_ID, CAL_DATE) VALUES (3, 2, #2004-01-01#)",
    "INSERT INTO T_TRNK_CALHIST (CALHIST_ID, GAUGE_ID, CAL_DATE) VALUES (4, 3, #2004-02-01#)",
    "INSERT INTO T_TRNK_GAUGE_CAL_DIM (GAUGE_CAL_DIM_ID, GAUGE_CAL_DIM_NAME, UNITS, TARGET_DIM, UPPER_TOL, "
    "LOWER_TOL, GAUGE_NO_ID, ORDINAL, IS_REQUIRED, IS_DELETED) VALUES (1, 'Bore', 'mm', 10.5, 0.01, 0.02, 1, "
    "1, "
    "'YES', 0)",
    "INSERT INTO T_TRNK_GAUGE_CAL_DIM (GAUGE_CAL_DIM_ID, GAUGE_CAL_DIM_NAME, UNITS, GAUGE_NO_ID, ORDINAL, "
    "IS_DELETED) VALUES (2, 'Depth', 'inches', 1, 2, 1)",
    "INSERT INTO T_TRNK_CALIBRATE (CALIBRATE_ID, GAUGE_ID, GAUGE_CAL_DIM_ID, CALHIST_ID, CAL_DATE, INSP_ID, "
    "ACTUAL_DIM) VALUES (1, 1, 1, 2, #2003-01-01#, 1, 10.51)",
    "INSERT INTO T_TRNK_CALIBRATE (CALIBRATE_ID, GAUGE_ID, GAUGE_CAL_DIM_ID, CALHIST_ID, CAL_DATE, INSP_ID, "
    "ACTUAL_DIM) VALUES (2, 1, 2, 1, #2003-05-01#, 1, 3.2)",
};

TEST_F(ProductConversion, GageHistoriesGetTheirInitialMarksAndCalibrationSets) {
    StartAt(Module::Gage, db::Dialect::Access, 32, "90", kGageRows);
    UpgradeOk();
    ExpectAll({
        {"select IS_INITIAL from T_TRNK_CALHIST where CALHIST_ID = 1", "0"},
        {"select IS_INITIAL from T_TRNK_CALHIST where CALHIST_ID = 2", "1"},
        {"select IS_INITIAL from T_TRNK_CALHIST where CALHIST_ID = 3", "1"},
        {"select IS_INITIAL from T_TRNK_CALHIST where CALHIST_ID = 4", "1"},
        // Three histories of number 1 with its two dimensions; number 2 has none.
        {"select count(*) from T_TRNK_CAL_SET", "6"},
        {"select count(*) from T_TRNK_CAL_SET where CALHIST_ID = 4", "0"},
        {"select DIM_NAME || '|' || UNITS || '|' || TARGET_DIM || '|' || UPPER_TOL || '|' || LOWER_TOL || "
         "'|' || "
         "ORDINAL || '|' || IS_REQUIRED from T_TRNK_CAL_SET where CALHIST_ID = 2 and DIM_NAME = 'Bore'",
         "Bore|mm|10.5|0.01|0.02|1|YES"},
        // Each measurement names the set row of its own history.
        {"select S.CALHIST_ID || '|' || S.DIM_NAME from T_TRNK_CALIBRATE C, T_TRNK_CAL_SET S where "
         "C.GAUGE_CAL_DIM_ID = S.CAL_SET_ID and C.CALIBRATE_ID = 1",
         "2|Bore"},
        {"select S.CALHIST_ID || '|' || S.DIM_NAME from T_TRNK_CALIBRATE C, T_TRNK_CAL_SET S where "
         "C.GAUGE_CAL_DIM_ID = S.CAL_SET_ID and C.CALIBRATE_ID = 2",
         "1|Depth"},
        // The dimension marked deleted is gone from its number, but kept in the sets.
        {"select count(*) from T_TRNK_GAUGE_CAL_DIM", "1"},
        {"select count(*) from T_TRNK_CAL_SET where DIM_NAME = 'Depth'", "3"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 11", "37.105"},
    });
}

TEST_F(ProductConversion, ToolHistoriesGetTheirInitialMarksAndReworkSets) {
    StartAt(
        Module::Tool, db::Dialect::SqlServer, 12, "30",
        {
            "INSERT INTO T_TRNK_TOOL_SUBTYPE (TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME) VALUES (1, 'Drills')",
            "INSERT INTO T_TRNK_TOOL_NO (TOOL_NO_ID, TOOL_NO, TOOL_SUBTYPE_ID) VALUES (1, 'T1', 1)",
            "INSERT INTO T_TRNK_TOOLS (TOOL_ID, TOOL_NO_ID, SERIAL_NO, STATUS_ID) VALUES (1, 1, 'S1', 1)",
            "INSERT INTO T_TRNK_TOOLS (TOOL_ID, TOOL_NO_ID, SERIAL_NO, STATUS_ID) VALUES (2, 1, 'S2', 1)",
            "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Grinder', "
            "'P1', "
            "100)",
            "INSERT INTO T_TRNK_REWORKHIST (REWORKHIST_ID, TOOL_ID, REWORK_DATE) VALUES (1, 2, "
            "CAST('2005-03-01' AS DATETIME))",
            "INSERT INTO T_TRNK_REWORKHIST (REWORKHIST_ID, TOOL_ID, REWORK_DATE) VALUES (2, 1, "
            "CAST('2005-02-01' AS DATETIME))",
            "INSERT INTO T_TRNK_REWORKHIST (REWORKHIST_ID, TOOL_ID, REWORK_DATE) VALUES (3, 1, "
            "CAST('2005-01-01' AS DATETIME))",
            "INSERT INTO T_TRNK_TOOL_CAL_DIM (TOOL_CAL_DIM_ID, TOOL_CAL_DIM_NAME, UNITS, TOOL_NO_ID, "
            "ORDINAL, "
            "IS_DELETED) VALUES (7, 'Length', 'mm', 1, 1, 1)",
            "INSERT INTO T_TRNK_REWORK (REWORK_ID, TOOL_ID, TOOL_REWORK_DIM_ID, REWORKHIST_ID, REWORK_DATE, "
            "INSP_ID, ACTUAL_DIM) VALUES (1, 1, 7, 3, CAST('2005-01-01' AS DATETIME), 1, 99.5)",
        });
    UpgradeOk();
    ExpectAll({
        {"select IS_INITIAL from T_TRNK_REWORKHIST where REWORKHIST_ID = 1", "1"},
        {"select IS_INITIAL from T_TRNK_REWORKHIST where REWORKHIST_ID = 2", "0"},
        {"select IS_INITIAL from T_TRNK_REWORKHIST where REWORKHIST_ID = 3", "1"},
        {"select count(*) from T_TRNK_TOOL_CAL_SET where DIM_NAME = 'Length' and UNITS = 'mm'", "3"},
        {"select S.REWORKHIST_ID from T_TRNK_REWORK R, T_TRNK_TOOL_CAL_SET S where R.TOOL_REWORK_DIM_ID = "
         "S.TOOL_CAL_SET_ID",
         "3"},
        {"select count(*) from T_TRNK_TOOL_CAL_DIM", "0"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 21", "17.36"},
    });
}

// Oracle keys come from the sequences whatever the insert names, so the rows are added in key order.
TEST_F(ProductConversion, OracleGageMetricsBecomeReferenceDimensions) {
    StartAt(
        Module::Gage, db::Dialect::Oracle, 29, "5",
        {
            "INSERT INTO T_TRNK_GAUGE_TYPE (GAUGE_TYPE_ID, GAUGE_TYPE) VALUES (1, 'Calipers')",
            "INSERT INTO T_TRNK_GAUGE_SUBTYPE (GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID) VALUES "
            "(1, 'Dial', 1)",
            "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (1, 'G-1', 1)",
            "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (2, 'G-2', 1)",
            "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Clerk', "
            "'P1', "
            "100)",
            "INSERT INTO T_TRNK_OPS (OPS_ID, PTYPE_ID, TABLE_ID, TARGET_ID, OPS_STRING_DATA, "
            "OPS_NUMBER_DATA, "
            "CREATE_DATE, CREATOR_ID) VALUES (1, 3, 111, 1, 'Bore, Depth', 2, TO_DATE('2001-01-01', "
            "'YYYY-MM-DD'), 1)",
            "INSERT INTO T_TRNK_OPS (OPS_ID, PTYPE_ID, TABLE_ID, TARGET_ID, CREATE_DATE, CREATOR_ID) VALUES "
            "(8, "
            "1, 5, 1, TO_DATE('2001-01-01', 'YYYY-MM-DD'), 1)",
            "INSERT INTO T_TRNK_METRICS (METRICS_ID, METRICS_NAME, UNITS, TARGET_DIM, UPPER_TOL, PTYPE_ID, "
            "TARGET_ID) VALUES (1, 'Depth', 'mm', 4.5, 0.1, 3, 2)",
            "INSERT INTO T_TRNK_OPSPERGAUGE (OPS_PER_GAUGE_ID, GAUGE_NO_ID, OPERATION_ID, PTYPE_ID, "
            "METRICS_ID) "
            "VALUES (1, 2, 1, 3, 1)",
            "INSERT INTO T_TRNK_USERTYPE (USERTYPE_ID, USERTYPE_NAME, PTYPE_ID) VALUES (900, 'Monthly', 10)",
        });
    UpgradeOk();
    ExpectAll({
        {"select DIM_LABEL_STRING || '|' || NUM_DIMS from T_TRNK_GAUGE_SUBTYPE where GAUGE_SUBTYPE_ID = 1",
         "Bore, Depth|2"},
        {"select count(*) from T_TRNK_GAUGE_REF_DIM", "4"},
        {"select GAUGE_REF_DIM_NAME || '|' || ORDINAL from T_TRNK_GAUGE_REF_DIM where GAUGE_NO_ID = 1 and "
         "ORDINAL = "
         "2",
         "Depth|2"},
        {"select UNITS || '|' || TARGET_DIM || '|' || UPPER_TOL from T_TRNK_GAUGE_REF_DIM where GAUGE_NO_ID "
         "= 2 and "
         "GAUGE_REF_DIM_NAME = 'Depth'",
         "mm|4.5|0.1"},
        {"select count(*) from T_TRNK_GAUGE_REF_DIM where UNITS IS NOT NULL", "1"},
        {"select count(*) from T_TRNK_METRICS", "0"},
        {"select count(*) from T_TRNK_OPSPERGAUGE", "0"},
        {"select OPS_ID from T_TRNK_OPS", "2"},
        {"select count(*) from T_TRNK_USERTYPE where PTYPE_ID = 10", "0"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 11", "37.105"},
    });
    EXPECT_FALSE(HasColumn("T_TRNK_OLD_GAUGES", "GAUGE_ID"));
}

// The gages of the old table, in the form after the step from 14 (their type column names a subtype),
// three added and the middle one deleted, so that their keys have a gap.
const std::vector<std::string> kOldGageRows = {
    "INSERT INTO T_TRNK_GAUGE_TYPE (GAUGE_TYPE_ID, GAUGE_TYPE) VALUES (1, 'Calipers')",
    "INSERT INTO T_TRNK_GAUGE_SUBTYPE (GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID) VALUES (1, "
    "'Dial', 1)",
    "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (1, 'G-1', 1)",
    "INSERT INTO T_TRNK_GAUGE_NO (GAUGE_NO_ID, GAUGE_NO, GAUGE_SUBTYPE_ID) VALUES (2, 'G-2', 1)",
    "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Inspector', 'P1', "
    "100)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_NO_ID, SERIAL_NO, STATUS_ID, TOTAL_DAYS_USED, COST, OLD_STATUS_ID, "
    "RMA_NO, GAUGE_TYPE_ID) VALUES (1, 'S1', 1, 12, 99.5, 2, 'RMA-1', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (1, 'S2', 1)",
    "INSERT INTO T_TRNK_GAUGES (GAUGE_NO_ID, STATUS_ID, ISSUE_DATE) VALUES (2, 1, TO_DATE('2002-03-04', "
    "'YYYY-MM-DD'))",
    "DELETE FROM T_TRNK_GAUGES WHERE SERIAL_NO = 'S2'",
    "INSERT INTO T_TRNK_CALHIST (GAUGE_ID, CAL_DATE, INSP_ID) VALUES (1, TO_DATE('2003-01-01', "
    "'YYYY-MM-DD'), 1)",
    "INSERT INTO T_TRNK_CALIBRATE (GAUGE_ID, CALHIST_ID, CAL_DATE, INSP_ID, ACTUAL_DIM) VALUES (1, 1, "
    "TO_DATE('2003-01-01', 'YYYY-MM-DD'), 1, 10.5)",
    "INSERT INTO T_TRNK_IRR (IRR_NO, GAUGE_ID, STATUS_ID, CALHIST_ID, OPEN_DISP_DATE, QCE_ID) VALUES ('R1', "
    "3, 1, "
    "1, TO_DATE('2003-04-05', 'YYYY-MM-DD'), 1)",
};

TEST_F(ProductConversion, OracleGageRebuildKeepsEveryGageAndItsKeyAndEmptiesItsRecords) {
    StartAt(Module::Gage, db::Dialect::Oracle, 19, "3", kOldGageRows);
    ASSERT_EQ(Scalar("select count(*) from T_TRNK_IRR"), "1");
    std::string oldTable;
    core::gConnection().SetStatementObserver([&](const std::string& sql) {
        if (sql.starts_with("UPDATE T_TRNK_IRR SET MODIFIED_DATE"))
            oldTable = Scalar(
                "select count(*) || '/' || sum(GAUGE_ID) || '/' || max(RMA_NO) from T_TRNK_OLD_GAUGES");
    });
    UpgradeOk();
    // Until the metric conversion drops it, the old table holds the gages as they were.
    EXPECT_EQ(oldTable, "2/4/RMA-1");
    const std::string gage =
        "select SERIAL_NO || '|' || GAUGE_NO_ID || '|' || STATUS_ID || '|' || TOTAL_DAYS_USED || '|' || COST "
        "|| "
        "'|' || OLD_STATUS_ID from T_TRNK_GAUGES where GAUGE_ID = ";
    ExpectAll({
        {"select count(*) || '/' || sum(GAUGE_ID) from T_TRNK_GAUGES", "2/4"},
        {gage + "1", "S1|1|1|12|99.5|2"},
        {"select count(*) from T_TRNK_GAUGES where GAUGE_ID = 3 and SERIAL_NO IS NULL and GAUGE_NO_ID = 2 "
         "and "
         "ISSUE_DATE = TO_DATE('2002-03-04', 'YYYY-MM-DD')",
         "1"},
        {"select count(*) from T_TRNK_CALHIST", "0"},
        {"select count(*) from T_TRNK_CALIBRATE", "0"},
        {"select count(*) from T_TRNK_IRR", "0"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 11", "37.105"},
    });
    // The sequence the gages shared numbers the next gage after the copied ones.
    database.Run({"INSERT INTO T_TRNK_GAUGES (GAUGE_NO_ID, SERIAL_NO, STATUS_ID) VALUES (2, 'S4', 1)"});
    EXPECT_EQ(Scalar("select GAUGE_ID from T_TRNK_GAUGES where SERIAL_NO = 'S4'"), "4");
    EXPECT_FALSE(HasColumn("T_TRNK_OLD_GAUGES", "GAUGE_ID"));
}

// Reports written after the rebuild are dated by their disposition; all of them get action 140.
TEST_F(ProductConversion, OracleGageReportsTakeTheirDispositionDateAndLastAction) {
    std::vector<std::string> rows = kOracleGageReport;
    rows.push_back("INSERT INTO T_TRNK_IRR (IRR_NO, GAUGE_ID, STATUS_ID, CALHIST_ID) VALUES ('R2', 1, 1, 1)");
    StartAt(Module::Gage, db::Dialect::Oracle, 21, "8", rows);
    UpgradeOk();
    ExpectAll(
        {{"select count(*) from T_TRNK_IRR where IRR_NO = 'R1' and MODIFIED_DATE = TO_DATE('2003-04-05', "
          "'YYYY-MM-DD')",
          "1"},
         {"select count(*) from T_TRNK_IRR where MODIFIED_DATE IS NULL and IRR_NO = 'R2'", "1"},
         {"select count(*) from T_TRNK_IRR where LAST_ACTION_ID = 140 and INITIAL_DATE IS NULL", "2"}});
    EXPECT_FALSE(HasColumn("T_TRNK_IRR", "OPEN_DISP_DATE"));
}

TEST_F(ProductConversion, GageStepThirtyLeavesTheKeyTheCommonTablesDropped) {
    StartAt(Module::Gage, db::Dialect::Oracle, 30, "10");
    UpgradeOk();
    EXPECT_THAT(database.sent, Contains("ALTER TABLE T_TRNK_GAUGE_NO DROP CONSTRAINT FK_GN_ST "));
    EXPECT_THAT(database.sent, ::testing::Not(Contains(HasSubstr("ADD ( CONSTRAINT FK_GN_ST"))));
    EXPECT_EQ(Version(), "37.105");
}

// SQL Server databases start after step 8; the later conversions are the same in every dialect.
class TravelerConversion : public ProductUpgradeTest, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(TravelerConversion, NamesRevisionsCustomersTypesAndAlternatesTakeTheirNewForms) {
    StartAt(
        Module::Traveler, GetParam(), 8, "40",
        {
            "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_NAME) VALUES ('Castings')",
            "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (1, 'P-1', 1)",
            "INSERT INTO T_TRNK_CUSTOMER (CUSTOMER_ID, COMPANY_NAME) VALUES (1, 'Acme')",
            "INSERT INTO T_TRNK_CUSTOMER (CUSTOMER_ID, COMPANY_NAME) VALUES (2, 'Globex')",
            // An alternate: its name carries "_A2", revision 3, an alternate status.
            "INSERT INTO T_TRNK_TRAVELER (TRAVELER_ID, TRAVELER_NAME, TRAVELER_REVISION, PART_ID, STATUS_ID, "
            "TRAVELER_TYPE) VALUES (1, 'BRACKET_A2', 3, 1, 25, 'Outsource')",
            // A primary.
            "INSERT INTO T_TRNK_TRAVELER (TRAVELER_ID, TRAVELER_NAME, TRAVELER_REVISION, PART_ID, STATUS_ID, "
            "TRAVELER_TYPE) VALUES (2, 'HOUSING', 4, 1, 20, 'Machining')",
            // A type outside the list; no name.
            "INSERT INTO T_TRNK_TRAVELER (TRAVELER_ID, TRAVELER_NUMBER, TRAVELER_REVISION, PART_ID, "
            "STATUS_ID, "
            "TRAVELER_TYPE) VALUES (3, 'KEEP-3', 1, 1, 19, 'Painting')",
            "INSERT INTO T_TRNK_CUST_TRAV (CUST_TRAV_ID, CUSTOMER_ID, TRAVELER_ID) VALUES (5, 2, 2)",
            "INSERT INTO T_TRNK_CUST_TRAV (CUST_TRAV_ID, CUSTOMER_ID, TRAVELER_ID) VALUES (6, 1, 1)",
            "INSERT INTO T_TRNK_CUST_TRAV (CUST_TRAV_ID, CUSTOMER_ID, TRAVELER_ID) VALUES (7, 1, 2)",
        });
    UpgradeOk();
    const std::string row =
        "select coalesce(TRAVELER_NUMBER, 'NULL') || '|' || coalesce(TRAVELER_NAME, 'NULL') || '|' || REV || "
        "'|' || "
        "coalesce(TRAVELER_REVISION, 'NULL') || '|' || USER_REV || '|' || PTYPE_ID || '|' || ALT_NUM || '|' "
        "|| "
        "STATUS_ID || '|' || coalesce(TRAV_TYPE, 'NULL') from T_TRNK_TRAVELER where TRAVELER_ID = ";
    ExpectAll({
        {row + "1", "BRACKET|NULL|A2.3|NULL|3|54|2|20|3"},
        {row + "2", "HOUSING|NULL|4|NULL|4|55|0|20|2"},
        {row + "3", "KEEP-3|NULL|1|NULL|1|55|0|19|NULL"},
        {"select ORDINAL from T_TRNK_CUST_TRAV where CUSTOMER_ID = 2 and TRAVELER_ID = 2", "1"},
        {"select ORDINAL from T_TRNK_CUST_TRAV where CUSTOMER_ID = 1 and TRAVELER_ID = 2", "2"},
        {"select ORDINAL from T_TRNK_CUST_TRAV where CUSTOMER_ID = 1 and TRAVELER_ID = 1", "1"},
        {"select RESERVED0 from T_TRNK_COMMON where APP_ID = 1", "15.103"},
    });
}

INSTANTIATE_TEST_SUITE_P(Dialects, TravelerConversion,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return testing::DialectCaseName(info.param);
                         });

TEST_F(ProductConversion, OracleTravelerStepsFiveAndSixRebuildThePartsPerOperation) {
    StartAt(Module::Traveler, db::Dialect::Oracle, 5, "2",
            {
                "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, "
                "'Clerk', 'P1', "
                "100)",
                "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (1, 'C:\\docs\\a.pdf')",
                "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES (1, 1, "
                "102, 9)",
                "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES (2, 1, "
                "5, 9)",
                "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, SUBTYPE_ID, HISTORY_DATE, "
                "CHILD_COUNT) VALUES "
                "(1, 1, 102, TO_DATE('2001-01-01', 'YYYY-MM-DD'), 0)",
                "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, SUBTYPE_ID, HISTORY_DATE, "
                "CHILD_COUNT) VALUES "
                "(2, 1, 5, TO_DATE('2001-01-01', 'YYYY-MM-DD'), 0)",
            });
    UpgradeOk();
    ExpectAll({
        {"select count(*) from T_TRNK_MEDIADEST", "1"},
        {"select TABLE_ID from T_TRNK_MEDIADEST", "5"},
        {"select count(*) from T_TRNK_HISTORY", "1"},
        {"select SUBTYPE_ID from T_TRNK_HISTORY", "5"},
        {"select count(*) from T_TRNK_PARTPEROP", "0"},
    });
    EXPECT_THAT(database.sent, Contains("DROP SEQUENCE S_TRNK_PARTPEROP"));
    EXPECT_TRUE(HasColumn("T_TRNK_PARTPEROP", "GENERIC_SF"));
}

}  // namespace
}  // namespace tmigration::legacy
