#include "sample/SamplePlant.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempDatabase.h"
#include "db/Recordset.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "sample/SampleColumns.h"

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

// Every row of every table the plant fills, in key order, one text per row.
std::vector<std::string> Dump(db::Connection& c) {
    std::vector<std::string> rows;
    for (const sample::TableSpec& table : sample::SamplePlantTables()) {
        db::Recordset rs;
        rs.SetActiveConnection(&c);
        rs.Open("select * from " + std::string(table.table));
        for (; !rs.Eof(); rs.MoveNext()) {
            std::string row(table.table);
            for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
                const db::Value& v = rs.Fields(i).GetValue();
                row += "|" + (v.IsNull() ? std::string("NULL") : v.AsText());
            }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

// One plant per dialect, scale 1 and seed 7, written once for all the cases that only read it.
struct Plant {
    TempDatabase db;
    std::unique_ptr<db::Connection> connection;
    sample::SampleResult result;
};

Plant& PlantIn(Dialect dialect) {
    static std::map<Dialect, std::unique_ptr<Plant>> plants;
    auto& plant = plants[dialect];
    if (!plant) {
        plant = std::make_unique<Plant>();
        plant->connection = plant->db.Connect(dialect);
        plant->result = sample::WriteSamplePlant(*plant->connection, 1, 7);
    }
    return *plant;
}

class SamplePlantIn : public ::testing::TestWithParam<Dialect> {
  protected:
    db::Connection& Db() { return *PlantIn(GetParam()).connection; }
};

INSTANTIATE_TEST_SUITE_P(Dialects, SamplePlantIn,
                         ::testing::Values(Dialect::Access, Dialect::Oracle, Dialect::SqlServer),
                         [](const auto& info) {
                             return std::string(info.param == Dialect::Access   ? "Access"
                                                : info.param == Dialect::Oracle ? "Oracle"
                                                                                : "SqlServer");
                         });

void ExpectEveryForeignKeyHolds(db::Connection& plant) {
    int checked = 0;
    for (legacy::Module module : legacy::kAllModules) {
        for (const legacy::LegacyTable& table : legacy::LegacyTables(module)) {
            for (const legacy::LegacyForeignKey& fk : table.foreignKeys) {
                const legacy::LegacyTable* parent = nullptr;
                for (legacy::Module m : legacy::kAllModules)
                    for (const legacy::LegacyTable& t : legacy::LegacyTables(m))
                        if (t.name == fk.referencedTable) parent = &t;
                ASSERT_NE(parent, nullptr) << fk.name;
                EXPECT_EQ(Scalar(plant, "select COUNT(*) AS N from " + table.name + " where " + fk.column +
                                            " is not null and " + fk.column + " not in (select " +
                                            parent->Key().name + " from " + parent->name + ")"),
                          "0")
                    << fk.name;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

void ExpectTheLastLegacyVersion(db::Connection& plant) {
    db::Recordset rs;
    rs.SetActiveConnection(&plant);
    rs.Open("select APP_ID, RESERVED0 from T_TRNK_COMMON order by APP_ID");
    std::vector<std::string> rows;
    for (; !rs.Eof(); rs.MoveNext())
        rows.push_back(rs.Get("APP_ID").AsText() + " " + rs.Get("RESERVED0").AsText());
    EXPECT_EQ(rows, (std::vector<std::string>{"0 61.132", "1 15.103", "11 37.105", "21 17.36", "31 9.114"}));
    std::string markers;
    for (int i : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})
        markers +=
            Scalar(plant, "select RESERVED" + std::to_string(i) + " from T_TRNK_COMMON where APP_ID = 0") +
            " ";
    // A freshly installed suite: the API-function and MDC-option markers are first written by a
    // later maintenance release.
    EXPECT_EQ(markers, "60 85 263 232 182 273 171 13 11 1 NULL NULL ");
}

// Each case writes its plant anew (one process per case), so the checks of a plant share few cases.
TEST_P(SamplePlantIn, IsConsistentAtTheLastLegacyVersionWithTheRowsItReports) {
    ExpectEveryForeignKeyHolds(Db());
    ExpectTheLastLegacyVersion(Db());
    const Plant& plant = PlantIn(GetParam());
    std::int64_t counted = 0;
    for (const sample::TableSpec& table : sample::SamplePlantTables())
        counted += std::stoll(Scalar(Db(), "select COUNT(*) AS N from " + std::string(table.table)));
    EXPECT_EQ(counted, plant.result.rows);
    EXPECT_EQ(plant.result.tables, sample::SamplePlantTables().size());
}

// What a real plant holds and the transfers must meet: each query counts rows, at least `atLeast` of
// them (or, for what must not occur, none).
struct Feature {
    const char* what;
    const char* countQuery;
    int atLeast = 1;
};

const Feature kRealPlant[] = {
    Feature{"shift histories of replayed machine events", "select COUNT(*) from T_TRNK_SHIFT_HISTORY", 100},
    Feature{"shift histories of a night across midnight",
            "select COUNT(*) from T_TRNK_SHIFT_HISTORY where STOP_TIME > CHART_DATE + 1", 1},
    Feature{"machine downtime per shift history",
            "select COUNT(*) from T_TRNK_DOWNTIME_SHIFT_HISTORY where PTYPE_ID = 5", 10},
    Feature{"operator downtime per shift history",
            "select COUNT(*) from T_TRNK_DOWNTIME_SHIFT_HISTORY where PTYPE_ID = 6", 10},
    Feature{"scrap per shift history", "select COUNT(*) from T_TRNK_SCRAP_CODE_SH", 10},
    Feature{"buffers kept for correction", "select COUNT(*) from T_TRNK_SH_BUFFER where COMPLETED = 1", 1},
    Feature{"downtime of buffers kept for an unknown code",
            "select COUNT(*) from T_TRNK_DT_SH_BUFFER where DT_NUMBER = 'NO-SUCH-CODE'", 1},
    Feature{"every machine on its open buffer",
            "select COUNT(*) from T_TRNK_MACHINES, T_TRNK_SH_BUFFER where T_TRNK_MACHINES.SH_BUFFER_ID = "
            "T_TRNK_SH_BUFFER.SH_BUFFER_ID and T_TRNK_SH_BUFFER.COMPLETED IS NULL",
            25},
    Feature{"no machine event left unconverted",
            "select 1 - COUNT(*) from T_TRNK_EVENTS where OPTIMIZED IS NULL and COMMAND_ID <> 12"},
    Feature{"night interval across midnight",
            "select COUNT(*) from T_TRNK_INTERVAL where STOP_TIME >= '1970-01-02 00:00:00'", 2},
    Feature{"swing flag in lower case", "select COUNT(*) from T_TRNK_INTERVAL where IS_SWING = 'y'"},
    Feature{"shifts with a day off", "select COUNT(*) from T_TRNK_SHIFT where SUN_INTERVAL_ID is null", 2},
    Feature{"inactive users", "select COUNT(*) from T_TRNK_PERS where STATUS_ID = 31"},
    Feature{"active users", "select COUNT(*) from T_TRNK_PERS where STATUS_ID = 30"},
    Feature{"built-in commands",
            "select COUNT(*) from T_TRNK_COMMANDS where COMMAND_ID = 4 and COMMAND_NAME = 'Job Time'"},
    Feature{"reserved command rows",
            "select COUNT(*) from T_TRNK_COMMANDS where COMMAND_ID = 512 and COMMAND_NUMBER = 'Res. 512'"},
    Feature{"commands added above the reserved block",
            "select COUNT(*) from T_TRNK_COMMANDS where COMMAND_ID = 513"},
    Feature{"scrap code 1",
            "select COUNT(*) from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 1 and SCRAP_CODE_NAME = 'Not "
            "Specified'"},
    Feature{"scrap codes above the reserved block",
            "select COUNT(*) from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID > 512"},
    Feature{"downtime categories above the reserved block",
            "select COUNT(*) from T_TRNK_DOWNTIME where DOWNTIME_ID > 512"},
    Feature{"reasons under reserved downtime ids",
            "select COUNT(*) from T_TRNK_REASON where DOWNTIME_ID between 12 and 512"},
    Feature{"reasons without downtime", "select COUNT(*) from T_TRNK_REASON where DOWNTIME_ID is null"},
    Feature{"machine locations", "select COUNT(*) from T_TRNK_LOCATION where PTYPE_ID = 5"},
    Feature{"gage cribs", "select COUNT(*) from T_TRNK_LOCATION where PTYPE_ID = 4"},
    Feature{"tool cribs", "select COUNT(*) from T_TRNK_LOCATION where PTYPE_ID = 8"},
    Feature{"locations of other types",
            "select COUNT(*) from T_TRNK_LOCATION where PTYPE_ID not in (4, 5, 8)"},
    Feature{"parts with revisions", "select COUNT(*) from T_TRNK_PART where REVISION = 2"},
    Feature{"machines in every status",
            "select COUNT(DISTINCT STATUS_ID) from T_TRNK_MACHINES where STATUS_ID between 34 and 37", 4},
    Feature{"jobs in every status",
            "select COUNT(DISTINCT STATUS_ID) from T_TRNK_JOB where STATUS_ID between 73 and 75", 3},
    Feature{"jobs with parts out of ordinal order",
            "select COUNT(*) from T_TRNK_PARTS_PER_JOB a, T_TRNK_PARTS_PER_JOB b where a.JOB_ID = b.JOB_ID "
            "and a.PARTS_PER_JOB_ID < b.PARTS_PER_JOB_ID and a.ORDINAL > b.ORDINAL"},
    Feature{"Null quantities", "select COUNT(*) from T_TRNK_PARTS_PER_JOB where TARGET_QTY is null"},
    Feature{"users in both legacy groups 2 and 3",
            "select COUNT(*) from T_TRNK_PERS_USERGROUP a, T_TRNK_PERS_USERGROUP b where a.PERS_ID = "
            "b.PERS_ID "
            "and a.USERGROUP_ID = 2 and b.USERGROUP_ID = 3"},
    Feature{"groups above the built-in four", "select COUNT(*) from T_TRNK_USERGROUP where USERGROUP_ID > 4"},
    Feature{"job titles", "select COUNT(*) from T_TRNK_USERTYPE where PTYPE_ID = 12 and USERTYPE_ID > 6"},
    Feature{"material types outside the translated codes",
            "select COUNT(*) from T_TRNK_MATERIALTYPE where PTYPE_ID = 48"},
    Feature{"texts with quotes", "select COUNT(*) from T_TRNK_PERS where LAST_NAME like '%''%'"},
    Feature{"texts with blanks around them",
            "select COUNT(*) from T_TRNK_CUSTOMER where COMPANY_NAME like ' %'"},
    Feature{"long notes", "select COUNT(*) from T_TRNK_CUSTOMER where LENGTH(NOTES) > 500"},
    Feature{"a whole batch of history ids never used",
            "select 1 - COUNT(*) from T_TRNK_HISTORY where HISTORY_ID between 501 and 600"},
    Feature{"history kept by id gaps", "select MAX(HISTORY_ID) - COUNT(*) from T_TRNK_HISTORY", 300},
    Feature{"history of the action never carried over",
            "select COUNT(*) from T_TRNK_HISTORY where ACTION_ID = 65"},
    Feature{
        "history of parts that are gone",
        "select COUNT(*) from T_TRNK_HISTORY where SUBTYPE_ID = 5 and TARGET_ID > (select MAX(PART_ID) from "
        "T_TRNK_PART)"},
    Feature{"history of deletions", "select COUNT(*) from T_TRNK_HISTORY where ACTION_ID = 104", 10},
    Feature{"history of tables without a new one",
            "select COUNT(*) from T_TRNK_HISTORY where SUBTYPE_ID = 4"},
    Feature{"history on machines, parts, jobs and users",
            "select COUNT(DISTINCT SUBTYPE_ID) from T_TRNK_HISTORY where SUBTYPE_ID in (5, 79, 94, 125)", 4},
    Feature{"attachments on several kinds of owner", "select COUNT(DISTINCT TABLE_ID) from T_TRNK_MEDIADEST",
            8},
    Feature{"attachments of one record out of order",
            "select COUNT(*) from T_TRNK_MEDIADEST a, T_TRNK_MEDIADEST b where a.TABLE_ID = b.TABLE_ID and "
            "a.TARGET_ID = b.TARGET_ID and a.MEDIADEST_ID < b.MEDIADEST_ID and a.MEDIA_ORDINAL > "
            "b.MEDIA_ORDINAL"},
    Feature{"format strings not done", "select COUNT(*) from T_TRNK_AUTO_INC where IS_DONE is null"},
    Feature{"options changed from a new installation",
            "select COUNT(*) from T_TRNK_OPTIONS where BOOL_VAL <> 0", 2},
    Feature{"administrators' rights on other products",
            "select COUNT(*) from T_TRNK_ACL where SID = 1 and OBJECT_ID > 2048", 50},
    Feature{"rights of every product held by plant groups and users",
            "select COUNT(DISTINCT o.PTYPE_ID) from T_TRNK_ACL a, T_TRNK_OBJECT o where a.OBJECT_ID = "
            "o.OBJECT_ID "
            "and a.SID > 4",
            4},
    Feature{"machine events of their event's machine",
            "select COUNT(*) from T_TRNK_MACHINE_EVENTS m, T_TRNK_EVENTS e where m.EVENT_ID = e.EVENT_ID "
            "and m.MACHINE_ID = e.MACHINE_ID"},
    Feature{
        "catalog numbers with all three vendor slots",
        "select (select COUNT(*) from T_TRNK_CUTTER_NO where VENDOR1_ID is not null and VENDOR2_ID is not "
        "null and VENDOR3_ID is not null) + (select COUNT(*) from T_TRNK_INSERT_NO where VENDOR1_ID is not "
        "null and VENDOR2_ID is not null and VENDOR3_ID is not null) from T_TRNK_COMMON where APP_ID = 0",
        1},
    Feature{"catalog numbers without a vendor",
            "select COUNT(*) from T_TRNK_TOOL_NO where VENDOR1_ID is null and VENDOR2_ID is null and "
            "VENDOR3_ID is null",
            1},
    Feature{"units ids outside the translated ones",
            "select COUNT(*) from T_TRNK_CUTTER_NO where UNITS_ID = 3297", 1},
    Feature{"dimension units by a name not in the list",
            "select COUNT(*) from T_TRNK_CAL_SET where UNITS in ('INCH', 'Volt')", 1},
    Feature{"gages in a status without a new code",
            "select COUNT(*) from T_TRNK_GAUGES where STATUS_ID in (3, 17, 29, 33, 40, 44)", 1},
    Feature{
        "travelers at the end of a chain of four revisions",
        "select COUNT(*) from T_TRNK_TRAVELER a, T_TRNK_TRAVELER b, T_TRNK_TRAVELER c where a.PREV_REV_ID = "
        "b.TRAVELER_ID and b.PREV_REV_ID = c.TRAVELER_ID and c.PREV_REV_ID is not null and a.NEXT_REV_ID is "
        "null",
        1},
    Feature{"kit components that are tools", "select COUNT(*) from T_TRNK_KIT_COMPONENT where TABLE_ID = 169",
            1},
    Feature{"IRRs repaired by a vendor", "select COUNT(*) from T_TRNK_IRR where REWORK_TABLE_ID = 95", 1},
};

// Values the transfers cannot convert, or rows no real plant has: each query counts rows that must not
// exist.
const Feature kNeverInAPlant[] = {
    Feature{
        "Null or one-character serial numbers",
        "select (select COUNT(*) from T_TRNK_GAUGES where SERIAL_NO is null or LENGTH(SERIAL_NO) < 2) + "
        "(select COUNT(*) from T_TRNK_TOOLS where SERIAL_NO is null or LENGTH(SERIAL_NO) < 2) + (select "
        "COUNT(*) from T_TRNK_KIT where SERIAL_NO is null or LENGTH(SERIAL_NO) < 2) from T_TRNK_COMMON where "
        "APP_ID = 0"},
    Feature{"Null revision or type of a traveler",
            "select COUNT(*) from T_TRNK_TRAVELER where REV is null or TRAV_TYPE is null"},
    Feature{"Null type of a calibration or rework dimension",
            "select (select COUNT(*) from T_TRNK_GAUGE_CAL_DIM where DIM_TYPE_ID is null) + (select COUNT(*) "
            "from T_TRNK_TOOL_CAL_DIM where DIM_TYPE_ID is null) from T_TRNK_COMMON where APP_ID = 0"},
    Feature{
        "revision chains that do not meet in both directions",
        "select COUNT(*) from T_TRNK_TRAVELER a, T_TRNK_TRAVELER b where a.NEXT_REV_ID = b.TRAVELER_ID and "
        "(b.PREV_REV_ID is null or b.PREV_REV_ID <> a.TRAVELER_ID)"},
    Feature{"Null swing flag of an interval", "select COUNT(*) from T_TRNK_INTERVAL where IS_SWING is null"},
    Feature{"Null swing flag of a shift", "select COUNT(*) from T_TRNK_SHIFT where IS_SWING is null"},
    Feature{"Null part revision", "select COUNT(*) from T_TRNK_PART where REVISION is null"},
    Feature{"Null operation revision", "select COUNT(*) from T_TRNK_OPS where REVISION_NO is null"},
    Feature{"Null planned flag of a transferred downtime code",
            "select COUNT(*) from T_TRNK_DOWNTIME where PLANNED is null and (DOWNTIME_ID <= 11 or "
            "DOWNTIME_ID > 512)"},
    Feature{"user or group references to crib locations",
            "select COUNT(*) from T_TRNK_PERS p, T_TRNK_LOCATION l where p.LOCATION_ID = l.LOCATION_ID and "
            "l.PTYPE_ID <> 5"},
    Feature{"duplicate memberships",
            "select COUNT(*) from T_TRNK_PERS_USERGROUP a, T_TRNK_PERS_USERGROUP b where a.PERS_ID = "
            "b.PERS_ID "
            "and a.USERGROUP_ID = b.USERGROUP_ID and a.PERS_USERGROUP_ID < b.PERS_USERGROUP_ID"},
    Feature{"two parts of one job on the same ordinal",
            "select COUNT(*) from T_TRNK_PARTS_PER_JOB a, T_TRNK_PARTS_PER_JOB b where a.JOB_ID = b.JOB_ID "
            "and a.ORDINAL = b.ORDINAL and a.PARTS_PER_JOB_ID < b.PARTS_PER_JOB_ID"},
    Feature{
        "Null status of a machine, user or job",
        "select (select COUNT(*) from T_TRNK_MACHINES where STATUS_ID is null) + (select COUNT(*) from "
        "T_TRNK_PERS where STATUS_ID is null) + (select COUNT(*) from T_TRNK_JOB where STATUS_ID is null) "
        "from T_TRNK_COMMON where APP_ID = 0"},
    Feature{"two machine events of one machine and command",
            "select COUNT(*) from T_TRNK_MACHINE_EVENTS a, T_TRNK_MACHINE_EVENTS b where a.MACHINE_ID = "
            "b.MACHINE_ID and a.COMMAND_ID = b.COMMAND_ID and a.MACHINE_EVENTS_ID < b.MACHINE_EVENTS_ID"},
    Feature{
        "machines without a group in a machine location of a department",
        "select (select COUNT(*) from T_TRNK_MACHINES) - (select COUNT(*) from T_TRNK_MACHINES m, "
        "T_TRNK_GROUPS g, T_TRNK_LOCATION l where g.GROUP_ID = m.GROUP_ID and l.LOCATION_ID = g.LOCATION_ID "
        "and l.DEPT_ID is not null) from T_TRNK_COMMON where APP_ID = 0"},
    Feature{"machines in a status without its date",
            "select COUNT(*) from T_TRNK_MACHINES where STATUS_ID is not null and STATUS_DATE is null"},
    Feature{"security ids used twice",
            "select COUNT(*) from T_TRNK_PERS p, T_TRNK_USERGROUP g where p.SID = g.SID"},
    Feature{"Null table code or action of history",
            "select COUNT(*) from T_TRNK_HISTORY where SUBTYPE_ID is null or ACTION_ID is null"},
    Feature{"Null kind of an attached file", "select COUNT(*) from T_TRNK_MEDIASRC where PTYPE_ID is null"},
    Feature{"administrators' rights on other products' objects without a new object",
            "select COUNT(*) from T_TRNK_ACL where OBJECT_ID in (5, 17, 26, 39, 2049, 4114, 6181) and ((SID "
            "= 1 and "
            "OBJECT_ID > 232) or (SID = 4 and OBJECT_ID < 6145) or (SID in (2, 3) and (OBJECT_ID <= 232 or "
            "OBJECT_ID >= 6145)))"},
    Feature{"rights held twice",
            "select COUNT(*) - COUNT(DISTINCT OBJECT_ID * 100000 + SID) from T_TRNK_ACL"},
    Feature{"security ids at or above the next free one",
            "select COUNT(*) from T_TRNK_PERS p, T_TRNK_SID s where p.SID >= s.NEXT_SID"},
};

TEST_P(SamplePlantIn, HoldsWhatARealPlantHoldsAndNothingTheTransfersCannotConvert) {
    for (const Feature& f : kRealPlant)
        EXPECT_GE(std::stoll(Scalar(Db(), f.countQuery)), f.atLeast) << f.what;
    for (const Feature& f : kNeverInAPlant) EXPECT_EQ(Scalar(Db(), f.countQuery), "0") << f.what;
}

TEST(SamplePlant, TheSameSeedGivesTheSameRowsAndAnotherSeedOthers) {
    TempDatabase a("a.mdb"), b("b.mdb"), c("c.mdb");
    auto ca = a.Connect(Dialect::Access), cb = b.Connect(Dialect::Access), cc = c.Connect(Dialect::Access);
    sample::WriteSamplePlant(*ca, 1, 42);
    sample::WriteSamplePlant(*cb, 1, 42);
    sample::WriteSamplePlant(*cc, 1, 43);
    const auto rowsA = Dump(*ca);
    EXPECT_EQ(rowsA, Dump(*cb));
    const auto rowsC = Dump(*cc);
    // The replayed machine events differ in number with the seed; the plan's tables do not.
    EXPECT_NE(rowsA, rowsC);
}

TEST(SamplePlant, RowsGrowLinearlyWithTheScaleInEveryGrowingTable) {
    const sample::Plan one(sample::SamplePlantTables(), 1, 1), two(sample::SamplePlantTables(), 2, 1),
        thousand(sample::SamplePlantTables(), 1000, 1);
    const std::int64_t step = two.TotalRows() - one.TotalRows();
    EXPECT_EQ(thousand.TotalRows() - one.TotalRows(), 999 * step);
    // About a thousand organisation rows, one and a half thousand of cribs and travelers, and three
    // thousand or more of history, attachments and rights.
    EXPECT_GT(step, 5000);
    EXPECT_LT(step, 7500);
    EXPECT_GT(thousand.TotalRows(), 5000000);
    EXPECT_LT(thousand.TotalRows(), 7500000);
    for (const std::string table :
         {"T_TRNK_PERS", "T_TRNK_JOB", "T_TRNK_EVENTS", "T_TRNK_COMMANDS", "T_TRNK_GAUGES", "T_TRNK_TRAVELER",
          "T_TRNK_HISTORY", "T_TRNK_MEDIADEST", "T_TRNK_ACL"})
        EXPECT_GT(two.Rows(table), one.Rows(table)) << table;
}

TEST(SamplePlant, ALargerScaleWritesThePlannedRows) {
    TempDatabase db;
    auto c = db.Connect(Dialect::SqlServer);
    const auto result = sample::WriteSamplePlant(*c, 3, 5);
    EXPECT_EQ(result.rows,
              sample::Plan(sample::SamplePlantTables(), 3, 5).TotalRows() + result.machineEvents);
    // The plan's own events come first; the machine-data streams follow them.
    EXPECT_EQ(Scalar(*c, "select COUNT(*) from T_TRNK_EVENTS where EVENT_ID <= 900"), "900");
    EXPECT_GT(result.machineEvents, 900);
    EXPECT_GT(result.machineData, 100);
}

TEST(SamplePlant, RefusesADatabaseThatAlreadyHasTablesAndLeavesItAlone) {
    TempDatabase db;
    auto c = db.Connect(Dialect::Access);
    c->Execute("CREATE TABLE T_TRNK_PTYPE (PTYPE_ID COUNTER NOT NULL PRIMARY KEY, PTYPE_NAME VARCHAR(30))");
    EXPECT_THROW(sample::WriteSamplePlant(*c, 1, 1), std::invalid_argument);
    EXPECT_EQ(Scalar(*c, "select COUNT(*) from sqlite_master where type = 'table' and name like 'T_TRNK%'"),
              "1");
    EXPECT_EQ(Scalar(*c, "select COUNT(*) from T_TRNK_PTYPE"), "0");
}

// Declarations the catalogs contradict are refused before anything is written.
struct BadPlan {
    const char* name;
    std::vector<sample::TableSpec> tables;
    std::int64_t scale;
};

class SamplePlanRefuses : public ::testing::TestWithParam<BadPlan> {};

TEST_P(SamplePlanRefuses, WithAnInvalidArgument) {
    EXPECT_THROW(sample::Plan(GetParam().tables, GetParam().scale, 1), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Declarations, SamplePlanRefuses,
    ::testing::Values(
        BadPlan{"UnknownTable", {{"T_TRNK_NOWHERE", {1, 0}, {}}}, 1},
        BadPlan{"UnknownColumn", {{"T_TRNK_DEPT", {1, 0}, {{"NO_SUCH", sample::Const(1)}}}}, 1},
        BadPlan{"KeyColumnGenerated", {{"T_TRNK_DEPT", {1, 0}, {{"DEPT_ID", sample::Const(1)}}}}, 1},
        BadPlan{"TableTwice", {{"T_TRNK_DEPT", {1, 0}, {}}, {"T_TRNK_DEPT", {1, 0}, {}}}, 1},
        BadPlan{"ScaleZero", {{"T_TRNK_DEPT", {1, 0}, {}}}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::testing
