// The Gage, Tool and Traveler creators: the create path (their objects over the reserved rows,
// full control for their administrator group, their version), the minor pass and its fixes per
// dialect, and the refusal of a database at another major version (Common included).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>

#include "CreatedDatabases.h"
#include "legacy/TableCreators.h"
#include "ui/RecordingRenderer.h"

namespace tmigration::legacy {
namespace {

using ::testing::Contains;

bool RunSetup(Module module, db::Dialect dialect, std::string& strError) {
    using D = db::Dialect;
    switch (module) {
        case Module::Common:
            return dialect == D::Access   ? CAccessCommonTableCreator().SetupDatabase(strError)
                   : dialect == D::Oracle ? COracleCommonTableCreator().SetupDatabase(strError)
                                          : CSQLCommonTableCreator().SetupDatabase(strError);
        case Module::Gage:
            return dialect == D::Access   ? CAccessGageTableCreator().SetupDatabase(strError)
                   : dialect == D::Oracle ? COracleGageTableCreator().SetupDatabase(strError)
                                          : CSQLGageTableCreator().SetupDatabase(strError);
        case Module::Tool:
            return dialect == D::Access   ? CAccessToolTableCreator().SetupDatabase(strError)
                   : dialect == D::Oracle ? COracleToolTableCreator().SetupDatabase(strError)
                                          : CSQLToolTableCreator().SetupDatabase(strError);
        case Module::Traveler:
            return dialect == D::Access   ? CAccessTravelerTableCreator().SetupDatabase(strError)
                   : dialect == D::Oracle ? COracleTravelerTableCreator().SetupDatabase(strError)
                                          : CSQLTravelerTableCreator().SetupDatabase(strError);
        default:
            return false;
    }
}

const char* DialectWord(db::Dialect d) {
    return d == db::Dialect::Access ? "Access" : d == db::Dialect::Oracle ? "Oracle" : "SQL";
}

struct CreateCase {
    Module module;
    db::Dialect dialect;
    const char* table;     // one of the module's tables
    const char* fillText;  // its objects' progress text
    int first, count, sid, ptype;
    const char* version;
    // OBJECT_ID and its row as NAME|PTYPE_ID|CATEGORY|ORDINAL|RES_ID
    std::vector<std::pair<int, const char*>> objects;
};

std::ostream& operator<<(std::ostream& os, const CreateCase& c) {
    return os << ModuleName(c.module) << DialectWord(c.dialect);
}

class ProductCreate : public testing::SharedStateTest, public ::testing::WithParamInterface<CreateCase> {
  protected:
    testing::SharedDatabase database;
};

TEST_P(ProductCreate, WritesItsObjectsGrantsItsAdministratorsAndRecordsItsVersion) {
    const CreateCase& c = GetParam();
    testing::CopyCreatedDatabase(database, c.dialect, testing::Created::Common);
    database.OpenShared(c.dialect);
    ui::testing::ScopedRecordingRenderer recorder;
    std::string strError;
    ASSERT_TRUE(RunSetup(c.module, c.dialect, strError)) << strError;
    EXPECT_THAT(recorder.log.infoSeen, Contains(c.fillText));
    const auto scalar = [&](const std::string& sql) { return database.Scalar(sql, c.dialect); };
    const std::string last = std::to_string(c.first + c.count - 1);
    EXPECT_EQ(scalar(std::string("select count(*) from ") + c.table), "0");
    EXPECT_EQ(scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0"), std::to_string(c.count));
    EXPECT_EQ(scalar("select count(*) from T_TRNK_OBJECT where CATEGORY <> 0 and PTYPE_ID = " +
                     std::to_string(c.ptype) + " and OBJECT_ID >= " + std::to_string(c.first) +
                     " and OBJECT_ID <= " + last),
              std::to_string(c.count));
    EXPECT_EQ(scalar("select count(*) from T_TRNK_ACL where SID = " + std::to_string(c.sid) +
                     " and PERMISSION = 7 and PERMISSION_NAME = 'Full Control' and OBJECT_ID >= " +
                     std::to_string(c.first) + " and OBJECT_ID <= " + last),
              std::to_string(c.count));
    EXPECT_EQ(scalar("select count(*) from T_TRNK_ACL"), std::to_string(c.count));
    EXPECT_EQ(
        scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = " + std::to_string(ModuleAppId(c.module))),
        c.version);
    for (const auto& [id, row] : c.objects)
        EXPECT_EQ(
            scalar("select OBJECT_NAME || '|' || PTYPE_ID || '|' || CATEGORY || '|' || ORDINAL || '|' || "
                   "coalesce(RES_ID, 'NULL') from T_TRNK_OBJECT where OBJECT_ID = " +
                   std::to_string(id)),
            row)
            << id;

    // A second run finds the module current and writes nothing.
    database.sent.clear();
    ASSERT_TRUE(RunSetup(c.module, c.dialect, strError)) << strError;
    EXPECT_EQ(database.sent.size(), 2u);
}

std::vector<CreateCase> CreateCases() {
    std::vector<CreateCase> cases;
    for (db::Dialect d : {db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer}) {
        cases.push_back({Module::Gage,
                         d,
                         "T_TRNK_GAUGES",
                         "Filling Old Gage Crib Security Objects...",
                         2049,
                         182,
                         2,
                         41,
                         "37.105",
                         {{2049, "New Gage Order|41|1|0|5629"},
                          {2065, "Edit Gage Serial Number|41|2|0|5645"},
                          {2110, "Check-Out Gage|41|4|0|5690"},
                          {2230, "Transfer Crib Contents|41|9|0|5810"},
                          {2231, "Reserved for Gage Crib2231|41|0|0|NULL"}}});
        cases.push_back({Module::Tool,
                         d,
                         "T_TRNK_TOOLS",
                         "Filling Old Tool Crib Security Objects...",
                         4097,
                         273,
                         3,
                         42,
                         "17.36",
                         {{4097, "New Existing Tool|42|1|0|NULL"},
                          {4369, "Transfer Crib Contents|42|9|0|NULL"},
                          {4370, "Reserved for Tool Crib4370|42|0|0|NULL"}}});
        cases.push_back({Module::Traveler,
                         d,
                         "T_TRNK_TRAVELER",
                         "Filling Old Traveler Security Objects...",
                         1,
                         232,
                         1,
                         40,
                         "15.103",
                         {{1, "New Customer|40|1|0|5392"},
                          {232, "PPM Preview|40|10|0|5623"},
                          {233, "Reserved for Traveler233|40|0|0|NULL"}}});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Modules, ProductCreate, ::testing::ValuesIn(CreateCases()), [](const auto& info) {
    return std::string(ModuleName(info.param.module)) + DialectWord(info.param.dialect);
});

// Databases at the last major version of every module, from a minor version with fixes to make.
class ProductMinor : public testing::SharedStateTest, public ::testing::WithParamInterface<db::Dialect> {
  protected:
    void StartFrom(Module module, const std::string& version, const std::vector<std::string>& statements) {
        testing::CopyCreatedDatabase(database, GetParam(), testing::Created::CommonAndProducts);
        database.OpenShared(GetParam());
        database.Run({"UPDATE T_TRNK_COMMON SET RESERVED0 = '" + version +
                      "' WHERE APP_ID = " + std::to_string(ModuleAppId(module))});
        database.Run(statements);
        std::string strError;
        ASSERT_TRUE(RunSetup(module, GetParam(), strError)) << strError;
        EXPECT_EQ(Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = " +
                         std::to_string(ModuleAppId(module))),
                  ModuleProgramVersion(module));
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, GetParam()); }
    std::string Rights(const std::string& where) const {
        return Scalar("select count(*) from T_TRNK_ACL where " + where);
    }
    bool Fixed() const { return GetParam() != db::Dialect::SqlServer; }
    testing::SharedDatabase database;
};

TEST_P(ProductMinor, GageRefreshesItsObjectsOnlyWhenTheirRevisionChanged) {
    StartFrom(Module::Gage, "37.100", {"UPDATE T_TRNK_OBJECT SET OBJECT_NAME = 'x' WHERE OBJECT_ID = 2049"});
    EXPECT_EQ(Scalar("select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 2049"), "x");
    core::gConnectionSlot().reset();

    StartFrom(Module::Gage, "37.100",
              {"UPDATE T_TRNK_COMMON SET RESERVED5 = '181' WHERE APP_ID = 0",
               "UPDATE T_TRNK_OBJECT SET OBJECT_NAME = 'x' WHERE OBJECT_ID = 2049",
               "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (4000, 2, 7)",
               "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (2103, 9, 7)"});
    const bool oracle = GetParam() == db::Dialect::Oracle;
    EXPECT_EQ(Scalar("select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 2049"), "New Gage Order");
    EXPECT_EQ(Scalar("select RESERVED5 from T_TRNK_COMMON where APP_ID = 0"), "182");
    EXPECT_EQ(Rights("SID = 2"), oracle ? "178" : "182");
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 2103"), oracle ? "0" : "1");
}

TEST_P(ProductMinor, ToolCarriesRightsOverToMovedObjectsUpToMinor25) {
    StartFrom(Module::Tool, "17.25",
              {"INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (4351, 9, 7)",
               "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (4098, 9, 0)"});
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 4098 and PERMISSION = 7"), Fixed() ? "1" : "0");
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 4351"), Fixed() ? "0" : "1");
    EXPECT_EQ(Scalar("select OBJECT_NAME || '|' || CATEGORY from T_TRNK_OBJECT where OBJECT_ID = 4348"),
              Fixed() ? "Reserved for Tooling4348|0" : "Tool Crib Function 4348|8");
    EXPECT_EQ(Rights("SID = 3 and PERMISSION = 7"), "273");
    core::gConnectionSlot().reset();

    StartFrom(Module::Tool, "17.26",
              {"INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (4351, 9, 7)"});
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 4351"), "1");
}

TEST_P(ProductMinor, TravelerCarriesRightsOverInTwoGroups) {
    StartFrom(Module::Traveler, "15.91",
              {"INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (233, 9, 7)",
               "INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (155, 9, 7)"});
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 83"), Fixed() ? "1" : "0");
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 155"), Fixed() ? "0" : "1");
    // The administrators' right on 224 moved to 22, the one on 1 is gone.
    EXPECT_EQ(Rights("SID = 1 and OBJECT_ID = 22"), "1");
    EXPECT_EQ(Rights("SID = 1 and OBJECT_ID = 1"), Fixed() ? "0" : "1");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where OBJECT_ID >= 222 and OBJECT_ID <= 233 and "
                     "CATEGORY = 0 and OBJECT_NAME = 'Reserved for Traveler' || OBJECT_ID"),
              Fixed() ? "12" : "1");
    core::gConnectionSlot().reset();

    StartFrom(Module::Traveler, "15.92",
              {"INSERT INTO T_TRNK_ACL (OBJECT_ID, SID, PERMISSION) VALUES (233, 9, 7)"});
    EXPECT_EQ(Rights("SID = 9 and OBJECT_ID = 233"), "1");
    EXPECT_EQ(Rights("SID = 1 and OBJECT_ID = 225"), Fixed() ? "0" : "1");
    EXPECT_EQ(Scalar("select count(*) from T_TRNK_OBJECT where OBJECT_ID >= 222 and OBJECT_ID <= 233 and "
                     "CATEGORY = 0"),
              Fixed() ? "5" : "1");
}

INSTANTIATE_TEST_SUITE_P(Dialects, ProductMinor,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const auto& info) { return std::string(DialectWord(info.param)); });

struct MajorCase {
    const char* name;
    Module module;
    const char* version;
    const char* message;
};

std::ostream& operator<<(std::ostream& os, const MajorCase& c) {
    return os << c.name;
}

class OtherMajor : public testing::SharedStateTest, public ::testing::WithParamInterface<MajorCase> {
  protected:
    testing::SharedDatabase database;
};

TEST_P(OtherMajor, FailsNamingTheVersionFoundAndChangesNothing) {
    const MajorCase& c = GetParam();
    testing::CopyCreatedDatabase(database, db::Dialect::Access, testing::Created::CommonAndProducts);
    database.OpenShared(db::Dialect::Access);
    const std::string app = std::to_string(ModuleAppId(c.module));
    database.Run(
        {"UPDATE T_TRNK_OBJECT SET OBJECT_NAME = 'x' WHERE OBJECT_ID = 1",
         "UPDATE T_TRNK_COMMON SET RESERVED0 = '" + std::string(c.version) + "' WHERE APP_ID = " + app});
    std::string strError;
    EXPECT_FALSE(RunSetup(c.module, db::Dialect::Access, strError));
    EXPECT_EQ(strError, c.message);
    EXPECT_FALSE(core::gConnection().Session().InTransaction());
    EXPECT_EQ(database.Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = " + app), c.version);
    EXPECT_EQ(database.Scalar("select OBJECT_NAME from T_TRNK_OBJECT where OBJECT_ID = 1"), "x");
}

INSTANTIATE_TEST_SUITE_P(
    Versions, OtherMajor,
    ::testing::Values(
        MajorCase{"CommonOlder", Module::Common, "0.140",
                  "The Common tables are at legacy version 0.140; the oldest legacy version this program can "
                  "bring up to date is 1.0"},
        MajorCase{
            "CommonNewer", Module::Common, "62.0",
            "The Common tables are at legacy version '62.0', which this program does not know; its last "
            "Common version is 61.132"},
        MajorCase{
            "GageNotANumber", Module::Gage, "abc",
            "The Gage tables are at legacy version 'abc', which this program does not know; its last Gage "
            "version is 37.105"},
        MajorCase{
            "ToolOlder", Module::Tool, "0.5",
            "The Tool tables are at legacy version 0.5; the oldest legacy version this program can bring "
            "up to date is 1.0"},
        MajorCase{"TravelerOlder", Module::Traveler, "6.1",
                  "The Traveler tables are at legacy version 6.1; the oldest legacy version this program can "
                  "bring up to date is 7.0"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::legacy
