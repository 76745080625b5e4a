// The MDC module on a database whose MDC tables exist: the minor pass with its four fixes keyed
// on the minor version, the markers in the Common row, and the options it adds but never changes.
#include "legacy/MDCTableCreator.h"

#include <gtest/gtest.h>

#include "CreatedDatabases.h"

namespace tmigration::legacy {
namespace {

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

TEST_P(MDCMinor, AnOlderMajorFails) {
    StartFrom("5.20", {});
    std::string strError;
    EXPECT_FALSE(UpgradeMDCDatabase(GetParam(), strError));
    EXPECT_EQ(
        strError,
        "The MDC tables are at legacy version 5.20; the oldest legacy version this program can bring up to "
        "date is 9.0");
}

INSTANTIATE_TEST_SUITE_P(Dialects, MDCMinor, ::testing::Values(db::Dialect::Access, db::Dialect::Oracle),
                         [](const auto& info) {
                             return std::string(info.param == db::Dialect::Access ? "Access" : "Oracle");
                         });

}  // namespace
}  // namespace tmigration::legacy
