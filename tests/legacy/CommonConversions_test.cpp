// The data conversions of the Common upgrade's major steps, each from rows in the old form to rows
// in the new, with the consolidation of part and operation families and its edge cases.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "OldCommonDatabases.h"
#include "legacy/TableCreators.h"
#include "legacy/catalog/LegacyDdl.h"
#include "legacy/catalog/LegacyTableLists.h"

namespace tmigration::legacy {
namespace {

struct Check {
    std::string query;  // its first column of its first row
    std::string expected;
};

// An organisation for rows that need one: department, location, group, machine, part type and a person.
const std::vector<std::string> kPlant{
    "INSERT INTO T_TRNK_DEPT (DEPT_ID, DEPT_NAME) VALUES (1, 'Dept')",
    "INSERT INTO T_TRNK_LOCATION (LOCATION_ID, LOCATION_NAME) VALUES (1, 'Loc')",
    "INSERT INTO T_TRNK_GROUPS (GROUP_ID, GROUP_NAME) VALUES (1, 'Grp')",
    "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME) VALUES (1, 'Castings')",
    "INSERT INTO T_TRNK_PERS (PERSONNEL_ID, LAST_NAME, PERSONNEL_NUMBER, SID) VALUES (1, 'Ames', 'E1', 100)",
    "INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NAME) VALUES (1, 'Lathe')",
    "INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NAME) VALUES (2, 'Mill')",
};

std::vector<std::string> With(std::vector<std::string> rows, const std::vector<std::string>& more) {
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}

// A product module's table, created bare (no keys) for rows the consolidation moves.
std::vector<std::string> BareTable(Module module, const std::string& name) {
    for (const LegacyTable& table : LegacyTables(module))
        if (table.name == name) {
            auto sql = RenderLegacyDdl(table, StatementKind::Table, db::Dialect::Access);
            for (auto& s : RenderLegacyDdl(table, StatementKind::Index, db::Dialect::Access))
                sql.push_back(s);
            return sql;
        }
    throw std::out_of_range(name);
}

class Conversion : public testing::SharedStateTest {
  protected:
    // The tables at `major` with `rows` written in Access form, upgraded to the last version; the
    // minor matches the program's, so only the major steps run.
    void Upgrade(int major, const std::vector<std::string>& rows, db::Dialect dialect = db::Dialect::Access) {
        dialect_ = dialect;
        testing::MakeOldCommonDatabase(database, dialect, major, "132");
        database.Run(rows);
        std::string strError;
        bool ok = false;
        switch (dialect) {
            case db::Dialect::Access:
                ok = CAccessCommonTableCreator().SetupDatabase(strError);
                break;
            case db::Dialect::Oracle:
                ok = COracleCommonTableCreator().SetupDatabase(strError);
                break;
            case db::Dialect::SqlServer:
                ok = CSQLCommonTableCreator().SetupDatabase(strError);
                break;
        }
        ASSERT_TRUE(ok) << strError;
        ASSERT_EQ(Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = 0"), "61.132");
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, dialect_); }
    void ExpectAll(const std::vector<Check>& checks) const {
        for (const Check& c : checks) EXPECT_EQ(Scalar(c.query), c.expected) << c.query;
    }
    testing::SharedDatabase database;
    db::Dialect dialect_ = db::Dialect::Access;
};

// 1 moves two traveler objects and marks the command table, 7 replaces the events (their rows go
// with the old layout), starts the downtime categories and turns commands 9 to 16 into reserved rows.
TEST_F(Conversion, Steps1To7BringShiftsJobsAndTheParameterEvents) {
    Upgrade(
        1,
        {"INSERT INTO T_TRNK_EVENTS (EVENT_ID, START_TIME, COMMAND_ID) VALUES (1, #2001-02-03 04:05:06#, 5)",
         "UPDATE T_TRNK_COMMON SET RESERVED8 = '7' WHERE APP_ID = 0"});
    ExpectAll({{"select CATEGORY || '/' || ORDINAL from T_TRNK_OBJECT where OBJECT_ID = 81", "4/22"},
               {"select CATEGORY || '/' || ORDINAL from T_TRNK_OBJECT where OBJECT_ID = 135", "4/23"},
               {"select RESERVED8 from T_TRNK_COMMON where APP_ID = 0", "13"},
               {"select count(*) from T_TRNK_EVENTS", "0"},
               {"select COMMAND_NUMBER from T_TRNK_COMMANDS where COMMAND_ID = 9", "Res. 9"},
               {"select count(*) from T_TRNK_COMMANDS where COMMAND_ID = 16 and COMMAND_NAME IS NULL", "1"},
               {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 8", "Machine Down Time"},
               {"select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 7", "Logon Time"},
               {"select count(*) from T_TRNK_SHIFT_HISTORY", "0"}});
    EXPECT_THAT(database.sent,
                ::testing::Contains("INSERT INTO T_TRNK_DOWNTIME (DOWNTIME_ID, DOWNTIME_NAME, "
                                    "DOWNTIME_NUMBER, PLANNED) VALUES (9, 'Other Unplanned Down "
                                    "Time', '240', 'N')"));
}

// 10 flags the statuses, 12 renames command 8 and idles the machines, 13 numbers the part types.
TEST_F(Conversion, Steps10To13SetTheirReferenceValues) {
    Upgrade(
        10,
        {"INSERT INTO T_TRNK_MACHINES (MACHINE_ID, MACHINE_NAME, STATUS_ID) VALUES (1, 'Lathe', 1)",
         "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME) VALUES (3, 'Castings')",
         "INSERT INTO T_TRNK_PARTTYPE (PARTTYPE_ID, PARTTYPE_NAME, PARTTYPE_NUMBER) VALUES (4, 'Bar', 'B')",
         "UPDATE T_TRNK_STATUS SET PTYPE_ID = 1 WHERE STATUS_ID = 4"});
    ExpectAll({{"select PTYPE_ID from T_TRNK_STATUS where STATUS_ID = 4", "44"},
               {"select INTERNALFLAG from T_TRNK_STATUS where STATUS_ID = 16", "1"},
               {"select INTERNALFLAG from T_TRNK_STATUS where STATUS_ID = 29", "0"},
               {"select STATUS_ID from T_TRNK_MACHINES where MACHINE_ID = 1", "34"},
               {"select PARTTYPE_NUMBER from T_TRNK_PARTTYPE where PARTTYPE_ID = 3", "30"},
               {"select PARTTYPE_NUMBER from T_TRNK_PARTTYPE where PARTTYPE_ID = 4", "B"}});
    // The minor matches, so the command table keeps what step 12 wrote.
    EXPECT_EQ(Scalar("select COMMAND_NAME from T_TRNK_COMMANDS where COMMAND_ID = 8"), "Machine Down Time");
}

// 17 marks the Gage and Tool rows, 26 and 33 set the new flags, 34 moves the number formats of the
// Gage and Tool rows into their own table, 54 names their fields.
TEST_F(Conversion, Steps17To34MarkTheProductRowsAndMoveTheirNumberFormats) {
    Upgrade(
        17,
        {
            "UPDATE T_TRNK_COMMON SET INSTALLED = 'Y', RESERVED2 = '5', RESERVED4 = 'G-####', RESERVED5 = "
            "'G-0007', RESERVED6 = NULL WHERE APP_ID = 11",
            "UPDATE T_TRNK_COMMON SET RESERVED4 = 'T-##', RESERVED5 = NULL WHERE APP_ID = 21",
            "INSERT INTO T_TRNK_TOOL_SUBTYPE (TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME) VALUES (1, 'Drills')",
            "INSERT INTO T_TRNK_TOOL_NO (TOOL_NO_ID, TOOL_NO, TOOL_SUBTYPE_ID) VALUES (1, 'T1', 1)",
        });
    ExpectAll({
        {"select RESERVED6 from T_TRNK_COMMON where APP_ID = 11", "YES"},
        {"select RESERVED6 from T_TRNK_COMMON where APP_ID = 21", "NO"},
        {"select INITIAL_REWORK_FLAG from T_TRNK_TOOL_NO where TOOL_NO_ID = 1", "NO"},
        {"select count(*) from T_TRNK_AUTO_INC", "2"},
        {"select IS_DONE || '/' || FORMAT_STRING || '/' || NEXT_NUMBER || '/' || FIELD_NAME from "
         "T_TRNK_AUTO_INC "
         "where TABLE_ID = 54",
         "YES/G-####/G-0007/GAUGE_NO"},
        {"select IS_DONE || '/' || FORMAT_STRING || '/' || FIELD_NAME from T_TRNK_AUTO_INC where TABLE_ID = "
         "52",
         "NO/T-##/TOOL_NO"},
        {"select NEXT_NUMBER from T_TRNK_AUTO_INC where TABLE_ID = 52", "NULL"},
    });
}

TEST_F(Conversion, Step17LeavesTheGageRowWithoutGages) {
    Upgrade(17, {"UPDATE T_TRNK_COMMON SET INSTALLED = 'N', RESERVED6 = NULL WHERE APP_ID IN (11, 21)"});
    ExpectAll({{"select RESERVED6 from T_TRNK_COMMON where APP_ID = 11", "NULL"},
               {"select RESERVED6 from T_TRNK_COMMON where APP_ID = 21", "NULL"},
               {"select count(*) from T_TRNK_AUTO_INC where IS_DONE IS NULL", "2"}});
}

TEST_F(Conversion, Step33SetsTheDisposableFlags) {
    Upgrade(33, {"INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID) VALUES (1)",
                 "INSERT INTO T_TRNK_INSERT_NO (INSERT_NO_ID) VALUES (1)"});
    ExpectAll({{"select DISPOSABLE from T_TRNK_CUTTER_NO", "NO"},
               {"select DISPOSABLE from T_TRNK_INSERT_NO", "YES"}});
}

TEST_F(Conversion, Step37RetiresTheBlueprintTable) {
    Upgrade(
        37,
        With(
            kPlant,
            {
                "INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_ID, MATERIALTYPE_NAME) VALUES (1, 'Steel')",
                "INSERT INTO T_TRNK_BPRINT (BPRINT_ID, BPRINT_NAME, DESCRIPTION) VALUES (7, 'BP-7', 'rev B')",
                "INSERT INTO T_TRNK_PART (PART_ID, PARTTYPE_ID, BPRINT_ID, DETAIL) VALUES (1, 1, 7, 'rough')",
                "INSERT INTO T_TRNK_MATERIAL (MATERIAL_ID, MATERIALTYPE_ID, BPRINT_ID) VALUES (1, 1, 7)",
                "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (1, 'c:\\bp7.dwg')",
                "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                "(1, 1, 69, 7)",
                "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                "(2, 1, 69, 8)",
                "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, "
                "HISTORY_DATE, CHILD_COUNT) VALUES (1, 1, 7, 69, #2001-01-01#, 0)",
            }));
    ExpectAll({{"select BPRINT || '/' || DETAIL from T_TRNK_PART where PART_ID = 1", "BP-7/rough; rev B"},
               {"select BPRINT from T_TRNK_MATERIAL where MATERIAL_ID = 1", "BP-7"},
               {"select TABLE_ID || '/' || TARGET_ID from T_TRNK_MEDIADEST where MEDIADEST_ID = 1", "5/1"},
               {"select count(*) from T_TRNK_MEDIADEST", "1"},
               {"select count(*) from T_TRNK_HISTORY", "0"},
               // Step 55 named the file the part took over.
               {"select MEDIADEST_NAME from T_TRNK_MEDIADEST where MEDIADEST_ID = 1", "bp7.dwg"}});
    EXPECT_THAT(database.Tables(), ::testing::Not(::testing::Contains("T_TRNK_BPRINT")));
}

TEST_F(Conversion, Step41CuttersAndInsertsNameMaterialTypes) {
    Upgrade(
        41,
        {
            "INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_ID, MATERIALTYPE_NAME, PTYPE_ID) VALUES (1, "
            "'Steel', 30)",
            "INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_ID, MATERIALTYPE_NAME, PTYPE_ID) VALUES (2, "
            "'Carbide', 46)",
            "INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_ID, MATERIALTYPE_NAME, PTYPE_ID) VALUES (3, "
            "'Ceramic', 47)",
            // Material 2's type number is material 3's id: each row is converted once.
            "INSERT INTO T_TRNK_MATERIAL (MATERIAL_ID, MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES (1, 'Bar', "
            "1)",
            "INSERT INTO T_TRNK_MATERIAL (MATERIAL_ID, MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES (2, 'K10', "
            "3)",
            "INSERT INTO T_TRNK_MATERIAL (MATERIAL_ID, MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES (3, 'C5', 2)",
            "INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID, MATERIAL_ID) VALUES (1, 2)",
            "INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID, MATERIAL_ID) VALUES (2, 3)",
            "INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID) VALUES (3)",
            "INSERT INTO T_TRNK_INSERT_NO (INSERT_NO_ID, MATERIAL_ID) VALUES (1, 3)",
        });
    ExpectAll({{"select MATERIAL_ID from T_TRNK_CUTTER_NO where CUTTER_NO_ID = 1", "3"},
               {"select MATERIAL_ID from T_TRNK_CUTTER_NO where CUTTER_NO_ID = 2", "2"},
               {"select MATERIAL_ID from T_TRNK_CUTTER_NO where CUTTER_NO_ID = 3", "NULL"},
               {"select MATERIAL_ID from T_TRNK_INSERT_NO where INSERT_NO_ID = 1", "2"},
               // The cutter and insert materials are gone; the bar stock stays.
               {"select count(*) from T_TRNK_MATERIAL", "1"},
               {"select MATERIAL_NUMBER from T_TRNK_MATERIAL", "Bar"}});
}

TEST_F(Conversion, Step44StartsTheCycleCountsAtZero) {
    Upgrade(44, With(kPlant,
                     {"INSERT INTO T_TRNK_SHIFT_HISTORY (SHIFT_HISTORY_ID, CHART_DATE, DEPT_ID, LOCATION_ID, "
                      "GROUP_ID, MACHINE_ID) VALUES (7, #2001-02-03#, 1, 1, 1, 1)"}));
    ExpectAll({{"select FINISHED_CYCLES from T_TRNK_SHIFT_HISTORY where SHIFT_HISTORY_ID = 7", "0"},
               {"select UNFINISHED_CYCLES from T_TRNK_SHIFT_HISTORY where SHIFT_HISTORY_ID = 7", "0"}});
}

// Parts 1, 2, 3 are the revisions 1..3 of one family; 4, 9, 12 are numbered abc, ABC, Abc; 20..22
// are the revisions of an operation linked through history, 30 an operation that starts its own
// chain and 31 one without history.
const std::vector<std::string> kFamilies = With(
    kPlant,
    {
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID, REVISION, FAMILY_ID) VALUES (1, 'P-1', "
        "1, 1, 1)",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID, REVISION, FAMILY_ID) VALUES (2, 'P-1', "
        "1, 2, 1)",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID, REVISION, FAMILY_ID) VALUES (3, 'P-1', "
        "1, 3, 1)",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (4, 'abc', 1)",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (9, 'ABC', 1)",
        "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (12, 'Abc', 1)",
        "INSERT INTO T_TRNK_JOB (JOB_ID, JOB_NUMBER, PART_ID, TARGET_QTY, ACTUAL_QTY, ACTUAL_SCRAPPED) "
        "VALUES (1, 'J1', 1, 10, 8, 2)",
        "INSERT INTO T_TRNK_JOB (JOB_ID, JOB_NUMBER, PART_ID, TARGET_QTY) VALUES (2, 'J2', 9, 5)",
        "INSERT INTO T_TRNK_JOB (JOB_ID, JOB_NUMBER) VALUES (3, 'J3')",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (50, 1, 2, 5, #2001-01-01#, 0)",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (51, 1, 2, 6, #2001-01-01#, 0)",
        "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (1, 'c:\\docs\\p1.pdf')",
        "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES (1, 1, 5, 1)",
        "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES (2, 1, 5, 3)",
        "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES (3, 1, 6, 20)",
        // Operations: 100 <- 101 <- 102 is one chain started by operation 20.
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (100, 1, 20, 6, #2001-01-01#, 0)",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, PREV_HIST_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, "
        "HISTORY_DATE, "
        "CHILD_COUNT) VALUES (101, 100, 1, 21, 6, #2001-01-02#, 0)",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, PREV_HIST_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, "
        "HISTORY_DATE, "
        "CHILD_COUNT) VALUES (102, 101, 1, 22, 6, #2001-01-03#, 0)",
        "INSERT INTO T_TRNK_HISTORY (HISTORY_ID, MODIFIED_BY_ID, TARGET_ID, SUBTYPE_ID, HISTORY_DATE, "
        "CHILD_COUNT) "
        "VALUES (103, 1, 30, 6, #2001-01-01#, 0)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, HISTORY_ID, REVISION_NO) "
        "VALUES (20, 'op-10', #2001-01-01#, 1, 100, 1)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, HISTORY_ID, REVISION_NO) "
        "VALUES (21, 'op-10', #2001-01-01#, 1, 101, 2)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, HISTORY_ID, REVISION_NO) "
        "VALUES (22, 'op-10', #2001-01-01#, 1, 102, 3)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, HISTORY_ID, REVISION_NO) "
        "VALUES (30, 'OP-10', #2001-01-01#, 1, 103, 1)",
        "INSERT INTO T_TRNK_OPS (OPS_ID, OPS_NUMBER, CREATE_DATE, CREATOR_ID, REVISION_NO) "
        "VALUES (31, 'op-31', #2001-01-01#, 1, 1)",
        "INSERT INTO T_TRNK_SHIFT_HISTORY (SHIFT_HISTORY_ID, CHART_DATE, DEPT_ID, LOCATION_ID, GROUP_ID, "
        "MACHINE_ID, "
        "PART_ID, OPS_ID) VALUES (1, #2001-02-03#, 1, 1, 1, 1, 2, 21)",
    });

TEST_F(Conversion, Step46KeepsTheNewestRevisionOfEachFamily) {
    Upgrade(46, kFamilies);
    ExpectAll({
        {"select count(*) from T_TRNK_PART where PART_ID IN (1, 2)", "0"},
        {"select PART_NUMBER from T_TRNK_PART where PART_ID = 3", "P-1"},
        {"select count(*) from T_TRNK_PART where FAMILY_ID IS NOT NULL", "0"},
        {"select PART_ID from T_TRNK_JOB where JOB_ID = 1", "3"},
        {"select PART_ID from T_TRNK_SHIFT_HISTORY where SHIFT_HISTORY_ID = 1", "3"},
        // History of the part revisions hangs on the survivor; a history row of another table with the
        // same target stays.
        {"select TARGET_ID from T_TRNK_HISTORY where HISTORY_ID = 50", "3"},
        {"select TARGET_ID from T_TRNK_HISTORY where HISTORY_ID = 51", "2"},
        // The retired revision's attachment is gone; the survivor's stays.
        {"select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 5", "1"},
        {"select TARGET_ID from T_TRNK_MEDIADEST where TABLE_ID = 5", "3"},
        // Case-blind duplicates: the lowest id keeps its number.
        {"select PART_NUMBER from T_TRNK_PART where PART_ID = 4", "abc"},
        {"select PART_NUMBER from T_TRNK_PART where PART_ID = 9", "ABC-D1"},
        {"select PART_NUMBER from T_TRNK_PART where PART_ID = 12", "ABC-D2"},
        // Operations: 20..22 collapse into 22; 30 heads its own family; 31 has none.
        {"select count(*) from T_TRNK_OPS where OPS_ID IN (20, 21)", "0"},
        {"select OPS_ID from T_TRNK_SHIFT_HISTORY where SHIFT_HISTORY_ID = 1", "22"},
        {"select count(*) from T_TRNK_MEDIADEST where TABLE_ID = 6", "0"},
        {"select TARGET_ID from T_TRNK_HISTORY where HISTORY_ID = 100", "22"},
        {"select count(*) from T_TRNK_OPS where OPS_NUMBER_DATA IS NOT NULL", "0"},
        {"select OPS_NUMBER from T_TRNK_OPS where OPS_ID = 22", "op-10"},
        {"select OPS_NUMBER from T_TRNK_OPS where OPS_ID = 30", "OP-10-D1"},
        {"select OPS_NUMBER from T_TRNK_OPS where OPS_ID = 31", "op-31"},
        // Each job with a part has its row in the parts per job.
        {"select count(*) from T_TRNK_PARTS_PER_JOB", "2"},
        {"select PART_ID || '/' || TARGET_QTY || '/' || ACTUAL_QTY || '/' || SCRAPPED_QTY || '/' || ORDINAL "
         "from "
         "T_TRNK_PARTS_PER_JOB where JOB_ID = 1",
         "3/10/8/2/1"},
        {"select PART_ID || '/' || TARGET_QTY from T_TRNK_PARTS_PER_JOB where JOB_ID = 2", "9/5"},
    });
}

// The reference tables of the product modules follow the survivor only where the module is installed.
TEST_F(Conversion, Step46MergesThePartReferencesOfInstalledModules) {
    std::vector<std::string> rows = kFamilies;
    for (const auto& [module, table] :
         {std::pair{Module::Gage, "T_TRNK_GAU_PARTREF"}, std::pair{Module::Tool, "T_TRNK_TOOL_PARTREF"},
          std::pair{Module::Tool, "T_TRNK_CUTTER_PARTREF"}, std::pair{Module::Tool, "T_TRNK_INSERT_PARTREF"},
          std::pair{Module::Traveler, "T_TRNK_TRAVELER"}, std::pair{Module::Traveler, "T_TRNK_PARTPEROP"},
          std::pair{Module::Traveler, "T_TRNK_OPSPERTRAV"}})
        rows = With(rows, BareTable(module, table));
    rows = With(rows,
                {
                    "UPDATE T_TRNK_COMMON SET INSTALLED = 'Y' WHERE APP_ID IN (11, 1)",
                    // Gage 7 referenced revisions 1 and 3, gage 8 revision 1 only.
                    "INSERT INTO T_TRNK_GAU_PARTREF (GAU_PARTREF_ID, GAUGE_NO_ID, PART_ID) VALUES (1, 7, 1)",
                    "INSERT INTO T_TRNK_GAU_PARTREF (GAU_PARTREF_ID, GAUGE_NO_ID, PART_ID) VALUES (2, 7, 3)",
                    "INSERT INTO T_TRNK_GAU_PARTREF (GAU_PARTREF_ID, GAUGE_NO_ID, PART_ID) VALUES (3, 8, 1)",
                    "INSERT INTO T_TRNK_GAU_PARTREF (GAU_PARTREF_ID, GAUGE_NO_ID, PART_ID) VALUES (4, 8, 2)",
                    // Tool is not installed: its references stay as they are.
                    "INSERT INTO T_TRNK_TOOL_PARTREF (TOOL_PARTREF_ID, TOOL_NO_ID, PART_ID) VALUES (1, 7, 1)",
                    "INSERT INTO T_TRNK_TRAVELER (TRAVELER_ID, TRAVELER_NUMBER, PART_ID, STATUS_ID) VALUES "
                    "(1, 'T1', 2, 1)",
                    "INSERT INTO T_TRNK_PARTPEROP (PARTPEROP_ID, OPS_ID, PART_ID) VALUES (1, 22, 1)",
                    "INSERT INTO T_TRNK_OPSPERTRAV (OPSPERTRAV_ID, OPS_ID, TRAVELER_ID) VALUES (1, 20, 1)",
                });
    Upgrade(46, rows);
    ExpectAll({
        {"select count(*) from T_TRNK_GAU_PARTREF where GAUGE_NO_ID = 7", "1"},
        {"select PART_ID from T_TRNK_GAU_PARTREF where GAUGE_NO_ID = 7", "3"},
        {"select count(*) from T_TRNK_GAU_PARTREF where GAUGE_NO_ID = 8", "1"},
        {"select PART_ID from T_TRNK_GAU_PARTREF where GAUGE_NO_ID = 8", "3"},
        {"select PART_ID from T_TRNK_TOOL_PARTREF where TOOL_PARTREF_ID = 1", "1"},
        {"select PART_ID from T_TRNK_TRAVELER where TRAVELER_ID = 1", "3"},
        {"select PART_ID from T_TRNK_PARTPEROP where PARTPEROP_ID = 1", "3"},
        {"select OPS_ID from T_TRNK_OPSPERTRAV where OPSPERTRAV_ID = 1", "22"},
    });
}

TEST_F(Conversion, Step46WithoutFamiliesStillMakesNumbersUnique) {
    Upgrade(46, With(kPlant,
                     {
                         "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (5, 'x''1', 1)",
                         "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (6, 'X''1', 1)",
                         "INSERT INTO T_TRNK_PART (PART_ID, PART_NUMBER, PARTTYPE_ID) VALUES (7, 'y', 1)",
                     }));
    ExpectAll({{"select PART_NUMBER from T_TRNK_PART where PART_ID = 5", "x'1"},
               {"select PART_NUMBER from T_TRNK_PART where PART_ID = 6", "X'1-D1"},
               {"select PART_NUMBER from T_TRNK_PART where PART_ID = 7", "y"},
               {"select count(*) from T_TRNK_PARTS_PER_JOB", "0"}});
}

TEST_F(Conversion, Step47MovesTheMachinesEventColumnsIntoRows) {
    std::vector<std::string> rows = kPlant;
    for (int id = 1; id <= 4; ++id)
        rows.push_back("INSERT INTO T_TRNK_EVENTS (EVENT_ID, START_TIME) VALUES (" + std::to_string(id) +
                       ", #2001-01-01#)");
    rows.push_back(
        "UPDATE T_TRNK_MACHINES SET DOWN_TIME_ID = 1, JOB_TIME_ID = 2, PART_TIME_ID = 3 WHERE MACHINE_ID = "
        "1");
    rows.push_back("UPDATE T_TRNK_MACHINES SET PERS_DOWN_TIME_ID = 4 WHERE MACHINE_ID = 2");
    Upgrade(47, rows);
    ExpectAll({
        {"select count(*) from T_TRNK_MACHINE_EVENTS", "4"},
        {"select MACHINE_ID || '/' || COMMAND_ID || '/' || EVENT_ID from T_TRNK_MACHINE_EVENTS where "
         "MACHINE_EVENTS_ID = 1",
         "1/8/1"},
        {"select MACHINE_ID || '/' || COMMAND_ID || '/' || EVENT_ID from T_TRNK_MACHINE_EVENTS where "
         "MACHINE_EVENTS_ID = 2",
         "1/4/2"},
        {"select MACHINE_ID || '/' || COMMAND_ID || '/' || EVENT_ID from T_TRNK_MACHINE_EVENTS where "
         "MACHINE_EVENTS_ID = 3",
         "1/12/3"},
        {"select MACHINE_ID || '/' || COMMAND_ID || '/' || EVENT_ID from T_TRNK_MACHINE_EVENTS where "
         "MACHINE_EVENTS_ID = 4",
         "2/9/4"},
        {"select count(*) from T_TRNK_MACHINES where DOWN_TIME_ID IS NOT NULL or JOB_TIME_ID IS NOT NULL or "
         "PART_TIME_ID IS NOT NULL or PERS_DOWN_TIME_ID IS NOT NULL",
         "0"},
    });
}

TEST_F(Conversion, Step50TurnsScrappedCountsIntoUnspecifiedScrapRows) {
    std::vector<std::string> rows = kPlant;
    for (const char* values :
         {"(1, 5, #2001-02-03 14:00:00#)", "(2, 0, #2001-02-04#)", "(3, NULL, #2001-02-05#)", "(4, 2, NULL)"})
        rows.push_back(
            "INSERT INTO T_TRNK_SHIFT_HISTORY (SHIFT_HISTORY_ID, SCRAPPED_COUNT, STOP_TIME, CHART_DATE, "
            "DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID) VALUES " +
            std::string(values).insert(std::string(values).size() - 1, ", #2001-01-01#, 1, 1, 1, 1"));
    Upgrade(50, rows);
    ExpectAll({
        {"select count(*) from T_TRNK_SCRAP_CODE_SH", "2"},
        {"select SCRAP_CODE_ID || '/' || QTY || '/' || START_TIME from T_TRNK_SCRAP_CODE_SH where "
         "SHIFT_HISTORY_ID = 1",
         "1/5/2001-02-03 14:00:00"},
        {"select QTY from T_TRNK_SCRAP_CODE_SH where SHIFT_HISTORY_ID = 4", "2"},
        {"select SCRAP_CODE_NAME from T_TRNK_SCRAP_CODE where SCRAP_CODE_ID = 1", "Not Specified"},
    });
}

class DialectConversion : public Conversion, public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(DialectConversion, Step51StampsEveryMachineWithTheServersTime) {
    Upgrade(51,
            {"INSERT INTO T_TRNK_MACHINES (MACHINE_NAME) VALUES ('Lathe')",
             "INSERT INTO T_TRNK_MACHINES (MACHINE_NAME) VALUES ('Mill')"},
            GetParam());
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MACHINES where STATUS_DATE IS NULL"), "0");
    const std::string stamped = Scalar("select min(STATUS_DATE) from T_TRNK_MACHINES");
    EXPECT_EQ(stamped.size(), 19u) << stamped;
    EXPECT_GE(stamped, "2020-01-01");
}

TEST_P(DialectConversion, Step52SuffixesTheLaterHoldersOfANumber) {
    const bool oracle = GetParam() == db::Dialect::Oracle;
    Upgrade(52,
            {"INSERT INTO T_TRNK_MATERIALTYPE (MATERIALTYPE_NAME) VALUES ('Steel')",
             "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES ('M-1', 1)",
             "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES ('M-2', 1)",
             "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES ('M-1', 1)",
             "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES ('m-2', 1)",
             "INSERT INTO T_TRNK_MATERIAL (MATERIAL_NUMBER, MATERIALTYPE_ID) VALUES (NULL, 1)"},
            GetParam());
    EXPECT_EQ(Scalar("select MATERIAL_NUMBER from T_TRNK_MATERIAL where MATERIAL_ID = 1"), "M-1");
    EXPECT_EQ(Scalar("select MATERIAL_NUMBER from T_TRNK_MATERIAL where MATERIAL_ID = 2"), "M-2");
    EXPECT_EQ(Scalar("select MATERIAL_NUMBER from T_TRNK_MATERIAL where MATERIAL_ID = 3"), "M-1-D");
    // Oracle tells letter case apart; Jet and SQL Server do not.
    EXPECT_EQ(Scalar("select MATERIAL_NUMBER from T_TRNK_MATERIAL where MATERIAL_ID = 4"),
              oracle ? "m-2" : "m-2-D");
    EXPECT_EQ(Scalar("select MATERIAL_NUMBER from T_TRNK_MATERIAL where MATERIAL_ID = 5"), "NULL");
}

INSTANTIATE_TEST_SUITE_P(Dialects, DialectConversion,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const ::testing::TestParamInfo<db::Dialect>& info) {
                             return info.param == db::Dialect::Access   ? "Access"
                                    : info.param == db::Dialect::Oracle ? "Oracle"
                                                                        : "SQL";
                         });

TEST_F(Conversion, Step54NamesTheNumberedFields) {
    std::vector<std::string> rows;
    for (int table : {3, 5, 52, 54, 68, 120, 125, 156, 222, 7})
        rows.push_back("INSERT INTO T_TRNK_AUTO_INC (AUTO_INC_ID, TABLE_ID) VALUES (" +
                       std::to_string(table) + ", " + std::to_string(table) + ")");
    Upgrade(54, rows);
    for (const auto& [table, field] : std::vector<std::pair<int, std::string>>{{3, "TRAVELER_NUMBER"},
                                                                               {5, "PART_NUMBER"},
                                                                               {52, "TOOL_NO"},
                                                                               {54, "GAUGE_NO"},
                                                                               {68, "MATERIAL_NUMBER"},
                                                                               {120, "INSERT_NO_NUMBER"},
                                                                               {125, "JOB_NUMBER"},
                                                                               {156, "CUTTER_NO_NUMBER"},
                                                                               {222, "KIT_NO"},
                                                                               {7, "NULL"}})
        EXPECT_EQ(Scalar("select FIELD_NAME from T_TRNK_AUTO_INC where TABLE_ID = " + std::to_string(table)),
                  field);
}

TEST_F(Conversion, Step55NamesEachAttachmentAfterItsFile) {
    Upgrade(55, {
                    "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (1, "
                    "'c:\\plant\\docs\\o''brien.pdf')",
                    "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (2, 'sketch.dwg')",
                    "INSERT INTO T_TRNK_MEDIASRC (MEDIASRC_ID, FILEPATHNAME) VALUES (3, NULL)",
                    "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                    "(1, 1, 5, 1)",
                    "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                    "(2, 1, 68, 1)",
                    "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                    "(3, 2, 5, 2)",
                    "INSERT INTO T_TRNK_MEDIADEST (MEDIADEST_ID, MEDIASRC_ID, TABLE_ID, TARGET_ID) VALUES "
                    "(4, 3, 5, 3)",
                });
    ExpectAll({{"select MEDIADEST_NAME from T_TRNK_MEDIADEST where MEDIADEST_ID = 1", "o'brien.pdf"},
               {"select MEDIADEST_NAME from T_TRNK_MEDIADEST where MEDIADEST_ID = 2", "o'brien.pdf"},
               {"select MEDIADEST_NAME from T_TRNK_MEDIADEST where MEDIADEST_ID = 3", "sketch.dwg"},
               {"select MEDIADEST_NAME from T_TRNK_MEDIADEST where MEDIADEST_ID = 4", "NULL"}});
}

TEST_F(Conversion, Steps58And59MapUnitShapeAndFluteTextsToReferenceIds) {
    Upgrade(58,
            {
                "INSERT INTO T_TRNK_INSERT_NO (INSERT_NO_ID, UNITS, SHAPE) VALUES (1, 'mm', 'Triangle')",
                "INSERT INTO T_TRNK_INSERT_NO (INSERT_NO_ID, UNITS, SHAPE) VALUES (2, 'inches', 'Blob')",
                "INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID, UNITS, SHAPE, FLUTE_TYPE) VALUES (1, 'inches', "
                "'Tapered Bull', 'Straight')",
                "INSERT INTO T_TRNK_CUTTER_NO (CUTTER_NO_ID, UNITS, SHAPE, FLUTE_TYPE) VALUES (2, NULL, "
                "'Custom', "
                "'Spiral')",
                "INSERT INTO T_TRNK_TOOL_SUBTYPE (TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME) VALUES (1, 'Drills')",
                "INSERT INTO T_TRNK_TOOL_NO (TOOL_NO_ID, TOOL_NO, TOOL_SUBTYPE_ID, DIAMETER_UNIT) VALUES (1, "
                "'T1', 1, "
                "'mm')",
                "INSERT INTO T_TRNK_TOOL_NO (TOOL_NO_ID, TOOL_NO, TOOL_SUBTYPE_ID, DIAMETER_UNIT) VALUES (2, "
                "'T2', 1, "
                "'feet')",
            });
    ExpectAll({
        {"select UNITS_ID || '/' || SHAPE_ID from T_TRNK_INSERT_NO where INSERT_NO_ID = 1", "3295/3427"},
        {"select UNITS_ID from T_TRNK_INSERT_NO where INSERT_NO_ID = 2", "3296"},
        {"select SHAPE_ID from T_TRNK_INSERT_NO where INSERT_NO_ID = 2", "NULL"},
        {"select UNITS_ID || '/' || SHAPE_ID || '/' || FLUTE_TYPE_ID from T_TRNK_CUTTER_NO where "
         "CUTTER_NO_ID = 1",
         "3296/3395/3378"},
        {"select SHAPE_ID from T_TRNK_CUTTER_NO where CUTTER_NO_ID = 2", "3384"},
        {"select FLUTE_TYPE_ID from T_TRNK_CUTTER_NO where CUTTER_NO_ID = 2", "NULL"},
        {"select UNITS_ID from T_TRNK_TOOL_NO where TOOL_NO_ID = 1", "3295"},
        {"select UNITS_ID from T_TRNK_TOOL_NO where TOOL_NO_ID = 2", "NULL"},
    });
}

// A conversion that fails rolls its whole step back and leaves the major where it was.
TEST_F(Conversion, AFailingConsolidationRollsStep46Back) {
    testing::MakeOldCommonDatabase(database, db::Dialect::Access, 46, "132");
    database.Run(kFamilies);
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("DELETE FROM T_TRNK_OPS")) throw std::runtime_error("locked");
    });
    std::string strError;
    EXPECT_FALSE(CAccessCommonTableCreator().SetupDatabase(strError));
    EXPECT_EQ(strError, "locked");
    ExpectAll({{"select RESERVED0 from T_TRNK_COMMON where APP_ID = 0", "46.132"},
               {"select count(*) from T_TRNK_PART where PART_ID IN (1, 2)", "2"},
               {"select count(*) from T_TRNK_PART where FAMILY_ID IS NOT NULL", "3"},
               {"select count(*) from T_TRNK_PARTS_PER_JOB", "0"}});
}

}  // namespace
}  // namespace tmigration::legacy
