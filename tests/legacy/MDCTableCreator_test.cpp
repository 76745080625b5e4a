// The MDC module's creator: the create path on a database without MDC tables (its tables, objects,
// administrator rights, options, the buffers of the machines already there, its version, all in
// one transaction), and on a database whose MDC tables exist the minor pass with its four fixes
// keyed on the minor version, the markers in the Common row, and the options it adds but never
// changes.
#include "legacy/MDCTableCreator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CreatedDatabases.h"
#include "core/SharedProgressWindow.h"
#include "legacy/TableCreators.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

// The dialect's creator, as the driver makes it.
bool SetupMDC(db::Dialect dialect, std::string& strError) {
    switch (dialect) {
        case db::Dialect::Access:
            return CAccessMDCTableCreator().SetupDatabase(strError);
        case db::Dialect::Oracle:
            return COracleMDCTableCreator().SetupDatabase(strError);
        default:
            return CSQLMDCTableCreator().SetupDatabase(strError);
    }
}

const std::vector<std::string> kMDCTables = {"T_TRNK_DT_SH_BUFFER", "T_TRNK_SCRAP_CODE_SH_BUFFER",
                                             "T_TRNK_SH_BUFFER"};

// A database with the Common module installed and two machines that collected nothing yet.
class MDCCreate : public testing::SharedStateTest, public ::testing::WithParamInterface<db::Dialect> {
  protected:
    void SetUp() override {
        testing::CopyCreatedDatabase(database, GetParam(), testing::Created::Common);
        database.OpenShared(GetParam());
        database.Run({"INSERT INTO T_TRNK_DEPT (DEPT_NAME) VALUES ('Machining')",
                      "INSERT INTO T_TRNK_MACHINES (MACHINE_NUMBER) VALUES ('M1')",
                      "INSERT INTO T_TRNK_MACHINES (MACHINE_NUMBER) VALUES ('M2')"});
        database.sent.clear();
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, GetParam()); }
    std::string Object(int id) const {
        return Scalar(
            "select OBJECT_NAME || '|' || CATEGORY || '|' || coalesce(RES_ID, 'NULL') from T_TRNK_OBJECT "
            "where OBJECT_ID = " +
            std::to_string(id));
    }
    std::vector<std::string> MDCTablesPresent() const {
        std::vector<std::string> present;
        for (const std::string& table : database.Tables())
            if (std::find(kMDCTables.begin(), kMDCTables.end(), table) != kMDCTables.end())
                present.push_back(table);
        return present;
    }
    testing::SharedDatabase database;
};

TEST_P(MDCCreate, InstallsTheModuleInOneTransaction) {
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError;
    ASSERT_TRUE(SetupMDC(GetParam(), strError)) << strError;
    EXPECT_THAT(
        recorder.log.infoSeen,
        ::testing::IsSupersetOf({"Creating Old MDC Tables...", "Filling Old MDC Security Objects...",
                                 "Initializing Old MDC Administrator Group...", "Filling Old MDC Options...",
                                 "Creating Old Machine Data Buffers..."}));
    EXPECT_EQ(MDCTablesPresent(), kMDCTables);
    EXPECT_EQ(Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "9.114");
    // The 171 objects over the reserved rows of the block, the rest of the block still reserved.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0 and PTYPE_ID = 43 and OBJECT_ID "
                     ">= 6145 and OBJECT_ID <= 6315"),
              "171");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0"), "171");
    EXPECT_EQ(Object(6145), "New Department|1|4959");
    EXPECT_EQ(Object(6187), "Event Time Analyis|8|5001");
    EXPECT_EQ(Object(6315), "Single/Multiple Parts Per Job|9|5821");
    EXPECT_EQ(Object(6316), "Reserved for MDC6316|0|NULL");
    // Full control for the MDC administrators on each object, and no other right.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 4 and PERMISSION = 7 and PERMISSION_NAME = "
                     "'Full Control' and OBJECT_ID >= 6145 and OBJECT_ID <= 6315"),
              "171");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL"), "171");
    // The two options with their installed values.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OPTIONS where APP_ID = 31"), "2");
    EXPECT_EQ(Scalar("select RES_ID || '|' || PTYPE_ID || '|' || coalesce(STRING_VAL, 'NULL') || '|' || "
                     "coalesce(NUM_VAL, 'NULL') || '|' || BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 and "
                     "OPTION_VALUE = 1"),
              "5814|60|NULL|NULL|0");
    EXPECT_EQ(
        Scalar("select RES_ID || '|' || PTYPE_ID || '|' || BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 "
               "and OPTION_VALUE = 2"),
        "5815|60|-1");
    // Every machine on an open buffer of its own.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MACHINES m, T_TRNK_SH_BUFFER b where m.SH_BUFFER_ID = "
                     "b.SH_BUFFER_ID and b.MACHINE_ID = m.MACHINE_ID and b.COMPLETED IS NULL"),
              "2");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_SH_BUFFER"), "2");

    // Found again, the module is current: the probe and the version read, nothing written.
    database.sent.clear();
    ASSERT_TRUE(SetupMDC(GetParam(), strError)) << strError;
    EXPECT_EQ(database.sent.size(), 2u);
    // At an older minor version the creator takes the path for existing tables and brings it up to date.
    database.Run({"UPDATE T_TRNK_COMMON SET RESERVED0 = '9.113', RESERVED1 = '1' WHERE APP_ID = 31"});
    ASSERT_TRUE(SetupMDC(GetParam(), strError)) << strError;
    EXPECT_EQ(Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "9.114");
    EXPECT_EQ(Scalar("select BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 and OPTION_VALUE = 1"), "-1");
    EXPECT_EQ(Scalar("select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), "NULL");
}

TEST_P(MDCCreate, AFailureWhileBuildingTheBuffersUndoesTheModule) {
    // Objects, rights and options are written by then; the buffers' first query fails.
    core::gConnection().SetStatementObserver([](const std::string& sql) {
        if (sql.starts_with("select * from T_TRNK_MACHINES")) throw std::runtime_error("disk full");
    });
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(SetupMDC(GetParam(), strError));
    core::gConnection().SetStatementObserver({});
    EXPECT_EQ(strError, "disk full");
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_FALSE(core::frmProgress().Visible());
    // Nothing of the module's rows is left; Oracle commits each DDL statement on its own, so there
    // the tables stay, empty.
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0"), "0");
    EXPECT_EQ(Object(6145), "Reserved for MDC6145|0|NULL");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OPTIONS where APP_ID = 31"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_MACHINES where SH_BUFFER_ID IS NOT NULL"), "0");
    if (GetParam() == db::Dialect::Oracle) {
        EXPECT_EQ(MDCTablesPresent(), kMDCTables);
        EXPECT_EQ(Scalar("select count(*) from T_TRNK_SH_BUFFER"), "0");
    } else {
        EXPECT_TRUE(MDCTablesPresent().empty());
    }
}

TEST_P(MDCCreate, AFailingTableStatementStopsBeforeAnyRow) {
    database.Run({"CREATE TABLE T_TRNK_SCRAP_CODE_SH_BUFFER (X INTEGER)"});
    std::string strError;
    EXPECT_FALSE(SetupMDC(GetParam(), strError));
    EXPECT_FALSE(strError.empty());
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0"), "0");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL"), "0");
}

INSTANTIATE_TEST_SUITE_P(Dialects, MDCCreate,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const auto& info) {
                             return std::string(info.param == db::Dialect::Access   ? "Access"
                                                : info.param == db::Dialect::Oracle ? "Oracle"
                                                                                    : "SQL");
                         });

class MDCMinor : public testing::SharedStateTest, public ::testing::WithParamInterface<db::Dialect> {
  protected:
    void StartFrom(const std::string& version, const std::vector<std::string>& statements) {
        testing::CopyCreatedDatabase(database, GetParam(), testing::Created::CommonAndProducts);
        database.OpenShared(GetParam());
        database.Run({"UPDATE T_TRNK_COMMON SET RESERVED0 = '" + version + "' WHERE APP_ID = 31"});
        database.Run(statements);
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, GetParam()); }
    std::string Object(int id) const {
        return Scalar(
            "select OBJECT_NAME || '|' || CATEGORY || '|' || coalesce(RES_ID, 'NULL') from T_TRNK_OBJECT "
            "where OBJECT_ID = " +
            std::to_string(id));
    }
    testing::SharedDatabase database;
};

TEST_P(MDCMinor, ACurrentDatabaseIsLeftAlone) {
    StartFrom("9.114", {"UPDATE T_TRNK_COMMON SET RESERVED7 = '1' WHERE APP_ID = 0"});
    std::string strError;
    ASSERT_TRUE(UpgradeMDCDatabase(GetParam(), strError)) << strError;
    EXPECT_EQ(database.sent.size(), 1u);
    EXPECT_EQ(Scalar("select RESERVED7 from T_TRNK_COMMON where APP_ID = 0"), "1");
}

TEST_P(MDCMinor, FromMinor20EveryFixRunsAndTheMarkersEndCurrent) {
    StartFrom("9.20", {"UPDATE T_TRNK_COMMON SET RESERVED1 = '1' WHERE APP_ID = 31",
                       "INSERT INTO T_TRNK_OPTIONS (APP_ID, OPTION_VALUE, RES_ID, PTYPE_ID, BOOL_VAL) "
                       "VALUES (31, 2, 1, 60, 0)",
                       "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6290, 9, 7)",
                       "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6331, 9, 7)",
                       "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6185, 9, 0)"});
    std::string strError;
    ASSERT_TRUE(UpgradeMDCDatabase(GetParam(), strError)) << strError;
    EXPECT_EQ(Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = 31"), "9.114");
    EXPECT_EQ(Scalar("select RESERVED7 || '/' || RESERVED12 from T_TRNK_COMMON where APP_ID = 0"), "171/2");
    // Rights followed their objects: 6290 to 6208 (before minor 90), 6331 to 6205 (before 110).
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 9 and OBJECT_ID IN (6208, 6205)"), "2");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 9"), "2");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 4 and PERMISSION = 7 and OBJECT_ID >= 6145 "
                     "and OBJECT_ID <= 6315"),
              "171");
    // The objects were rewritten after the remaps, so the moved ones hold their names again.
    EXPECT_EQ(Object(6145), "New Department|1|4959");
    EXPECT_EQ(Object(6287), "New Downtime Code|1|5101");
    EXPECT_EQ(Object(6315), "Single/Multiple Parts Per Job|9|5821");
    EXPECT_EQ(Object(6316), "Reserved for MDC6316|0|NULL");
    // Option 1 took the old setting; the existing option 2 kept its value.
    EXPECT_EQ(Scalar("select BOOL_VAL from T_TRNK_OPTIONS where APP_ID = 31 and OPTION_VALUE = 1"), "-1");
    EXPECT_EQ(Scalar("select BOOL_VAL || '/' || RES_ID from T_TRNK_OPTIONS where OPTION_VALUE = 2"), "0/1");
    EXPECT_EQ(Scalar("select RESERVED1 from T_TRNK_COMMON where APP_ID = 31"), "NULL");
}

TEST_P(MDCMinor, FromMinor111OnlyTheLastTwoFixesRun) {
    StartFrom("9.111", {"UPDATE T_TRNK_COMMON SET RESERVED1 = '0', RESERVED12 = '2' WHERE APP_ID = 31",
                        "UPDATE T_TRNK_COMMON SET RESERVED12 = '2' WHERE APP_ID = 0",
                        "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (6290, 9, 7)",
                        "INSERT INTO T_TRNK_OPTIONS (APP_ID, OPTION_VALUE, RES_ID, PTYPE_ID, BOOL_VAL) "
                        "VALUES (31, 1, 5814, 60, -1)"});
    std::string strError;
    ASSERT_TRUE(UpgradeMDCDatabase(GetParam(), strError)) << strError;
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_ACL where SID = 9 and OBJECT_ID = 6290"), "1");
    EXPECT_EQ(Object(6290), "Edit Reason Code|2|5104");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OPTIONS where APP_ID = 31"), "1");
    EXPECT_EQ(Scalar("select BOOL_VAL from T_TRNK_OPTIONS where OPTION_VALUE = 1"), "0");
}

INSTANTIATE_TEST_SUITE_P(Dialects, MDCMinor, ::testing::Values(db::Dialect::Access, db::Dialect::Oracle),
                         [](const auto& info) {
                             return std::string(info.param == db::Dialect::Access ? "Access" : "Oracle");
                         });

}  // namespace
}  // namespace tmigration::legacy
