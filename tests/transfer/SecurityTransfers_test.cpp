// Security objects, SIDs and permissions on the seeded new schema: which seeded object each legacy
// object is matched to, the SID the crib administrators and database item 2 receive, and the access
// rows written for administrators and users, companions included, with the failures each reports.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "TransferDatabase.h"
#include "core/SharedProgressWindow.h"
#include "transfer/MigrateData.h"

namespace tmigration::transfer {
namespace {

using db::Value;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

const Value kNull;
constexpr const char* kNullUse = "Invalid use of Null";
constexpr const char* kNoRow =
    "Either BOF or EOF is True, or the current record has been deleted. Requested operation requires a "
    "current "
    "record.";

// The seeded objects are numbered application by application: Travelers codes 1..232 are ids 1..232,
// MDC codes 1..169 follow from 233, crib codes 1..339 from 402.
int Seeded(int application, int code) {
    return code + (application == 1 ? 0 : application == 2 ? 232 : 401);
}

class SecurityPlant : public testing::SharedStateTest {
  protected:
    // The products owning the legacy objects.
    SecurityPlant() {
        plant.Insert("T_TRNK_PTYPE", "PTYPE_ID, PTYPE_NAME",
                     {{40, "Traveler"}, {41, "Gage Crib"}, {42, "Tool Crib"}, {43, "MDC"}});
    }
    bool Run(std::string_view transfer, std::string& strError) {
        plant.Sent().clear();
        return RunTransfer(transfer, db::Dialect::Access, strError);
    }
    void RunOk(std::string_view transfer) {
        std::string strError;
        ASSERT_TRUE(Run(transfer, strError)) << strError;
    }
    void ExpectFailure(std::string_view transfer, const std::string& error) {
        core::frmProgress().Show();
        std::string strError;
        EXPECT_FALSE(Run(transfer, strError));
        if (error.ends_with(": ")) {
            EXPECT_THAT(strError, ::testing::StartsWith(error));
            EXPECT_GT(strError.size(), error.size());
        } else {
            EXPECT_EQ(strError, error);
        }
        EXPECT_FALSE(core::frmProgress().Visible());
    }
    testing::TransferDatabase plant{db::Dialect::Access};
};

struct ObjectCase {
    const char* name;
    std::string transfer;
    std::string product;  // the legacy objects whose keys are checked
    std::vector<std::string> sent;
    std::vector<std::string> keys;
};

std::ostream& operator<<(std::ostream& os, const ObjectCase& c) {
    return os << c.name;
}

class SecurityObjects : public SecurityPlant, public ::testing::WithParamInterface<ObjectCase> {};

TEST_P(SecurityObjects, MatchLegacyObjectsToTheSeededObjectsWithoutWritingAny) {
    plant.Insert("T_TRNK_OBJECT", "OBJECT_ID, OBJECT_NAME, PTYPE_ID, CATEGORY, ORDINAL",
                 {{1, "New Customer", 40, 1, 1},
                  {2, "Reserved for Traveler2", 40, 0, 0},
                  {5, "Unmapped", 40, 2, 5},
                  {65, "Print", 40, 3, 65},
                  {66, "Print Preview", 40, 3, 66},
                  {2049, "New Gage Order", 41, 1, 1},
                  {4097, "New Existing Tool", 42, 1, 1},
                  {4108, "Tool Function", 42, 1, 2},
                  {4130, "Tool Function", 42, 2, 3},
                  {6145, "New Department", 43, 1, 1},
                  {6181, "MDC Function", 43, 1, 2}});
    RunOk(GetParam().transfer);
    EXPECT_THAT(plant.Sent(), ::testing::IsSupersetOf(GetParam().sent));
    EXPECT_THAT(plant.Rows("select OBJECT_ID, SFC_ID from T_TRNK_OBJECT where " + GetParam().product),
                ElementsAreArray(GetParam().keys));
    EXPECT_THAT(plant.Rows("select COUNT(*) from T_SFC_OBJECT"), ElementsAre("740"));
    EXPECT_THAT(plant.Rows("select OBJECT_ID from T_TRNK_OBJECT where SFC_ID IS NOT NULL and NOT (" +
                           GetParam().product + ")"),
                IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Products, SecurityObjects,
    ::testing::Values(
        ObjectCase{"Travelers",
                   "MigrateTravelersSecurityObjects",
                   "PTYPE_ID = 40",
                   {"select * from T_SFC_OBJECT  where APP_CODE = 1",
                    "select * from T_TRNK_OBJECT  where CATEGORY <> 0  and PTYPE_ID = 40"},
                   {"1|" + std::to_string(Seeded(1, 45)), "2|NULL", "5|NULL",
                    "65|" + std::to_string(Seeded(1, 129)), "66|" + std::to_string(Seeded(1, 129))}},
        ObjectCase{"MDC",
                   "MigrateMDCSecurityObjects",
                   "PTYPE_ID = 43",
                   {"select * from T_SFC_OBJECT  where APP_CODE = 2",
                    "select * from T_TRNK_OBJECT  where CATEGORY <> 0  and PTYPE_ID = 43"},
                   {"6145|" + std::to_string(Seeded(2, 5)), "6181|NULL"}},
        ObjectCase{"ToolAndGageCribs",
                   "MigrateToolAndGageCribSecurityObjects",
                   "PTYPE_ID = 41 or PTYPE_ID = 42",
                   {"select * from T_SFC_OBJECT  where APP_CODE = 3",
                    "select * from T_TRNK_OBJECT  where CATEGORY <> 0  and (PTYPE_ID = 41 or PTYPE_ID = 42)"},
                   {"2049|NULL", "4097|NULL", "4108|" + std::to_string(Seeded(3, 19)),
                    "4130|" + std::to_string(Seeded(3, 65))}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SecurityPlant, SidsGiveTheCribAdministratorsTheNextSidAndItemTwoTheOneAfter) {
    plant.Insert("T_TRNK_SID", "SID_ID, NEXT_SID", {{1, 57}});
    RunOk("MigrateSIDs");
    EXPECT_THAT(plant.Rows("select * from T_SFC_USERGROUP where USERGROUP_TYPE_CODE = 3"),
                ElementsAre("3|Tracker Administrators|57|3"));
    EXPECT_THAT(plant.Rows("select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 2"),
                ElementsAre("58"));
    EXPECT_THAT(plant.Rows("select NEXT_SID from T_TRNK_SID"), ElementsAre("59"));
}

struct SidFault {
    const char* name;
    std::vector<std::string> fault;
    std::vector<std::string> cribSid;  // what the crib administrators hold afterwards
};

std::ostream& operator<<(std::ostream& os, const SidFault& c) {
    return os << c.name;
}

class SidFailure : public SecurityPlant, public ::testing::WithParamInterface<SidFault> {};

TEST_P(SidFailure, StopsWithThePrefix) {
    plant.Insert("T_TRNK_SID", "SID_ID, NEXT_SID", {{1, 57}});
    plant.Database().Run(GetParam().fault);
    ExpectFailure("MigrateSIDs", std::string("Migrating SIDs: ") + kNoRow);
    EXPECT_THAT(plant.Rows("select SID from T_SFC_USERGROUP where USERGROUP_TYPE_CODE = 3"),
                ElementsAreArray(GetParam().cribSid));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SidFailure,
    ::testing::Values(
        SidFault{"NoLegacySidCounter", {"DELETE FROM T_TRNK_SID"}, {"3"}},
        SidFault{"NoCribAdministrators", {"DELETE FROM T_SFC_USERGROUP WHERE USERGROUP_TYPE_CODE = 3"}, {}},
        SidFault{"NoItemTwo", {"DELETE FROM T_SFC_DB_ITEM WHERE DB_ITEM_CODE = 2"}, {"57"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct AdministratorCase {
    const char* name;
    std::string transfer;
    std::string prefix;
    int groupType;
    int application;
    int objects;
};

std::ostream& operator<<(std::ostream& os, const AdministratorCase& c) {
    return os << c.name;
}

class AdministratorPermissions : public SecurityPlant,
                                 public ::testing::WithParamInterface<AdministratorCase> {};

TEST_P(AdministratorPermissions, GrantEveryObjectOfTheApplicationToItsAdministrators) {
    const AdministratorCase& c = GetParam();
    plant.Database().Run({"UPDATE T_SFC_USERGROUP SET SID = 70 + USERGROUP_TYPE_CODE"});
    RunOk(c.transfer);
    std::vector<std::string> expected;
    for (int code = 1; code <= c.objects; ++code)
        expected.push_back(std::to_string(Seeded(c.application, code)) + "|" +
                           std::to_string(70 + c.groupType) + "|1");
    EXPECT_THAT(plant.Rows("select OBJECT_ID, SID, PERMISSION_CODE from T_SFC_ACL order by ACL_ID"),
                ElementsAreArray(expected));
    EXPECT_THAT(plant.Sent(), Contains("select * from T_SFC_OBJECT  where APP_CODE = " +
                                       std::to_string(c.application) + " order by OBJECT_CODE"));
}

TEST_P(AdministratorPermissions, FailWhenTheGroupOrItsSidIsMissing) {
    const AdministratorCase& c = GetParam();
    const std::string group = " WHERE USERGROUP_TYPE_CODE = " + std::to_string(c.groupType);
    plant.Database().Run({"UPDATE T_SFC_USERGROUP SET SID = NULL" + group});
    ExpectFailure(c.transfer, c.prefix + kNullUse);
    plant.Database().Run({"DELETE FROM T_SFC_USERGROUP" + group});
    ExpectFailure(c.transfer, c.prefix + kNoRow);
    EXPECT_THAT(plant.Rows("select * from T_SFC_ACL"), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Products, AdministratorPermissions,
    ::testing::Values(AdministratorCase{"Travelers", "MigrateTravelersAdministratorPermissions",
                                        "Migrating Travelers Administrator Permissions: ", 2, 1, 232},
                      AdministratorCase{"MDC", "MigrateMDCAdministratorPermissions",
                                        "Migrating MDC Administrator Permissions: ", 1, 2, 169},
                      AdministratorCase{"Tracker", "MigrateTrackerAdministratorPermissions",
                                        "Migrating Tracker Administrator Permissions: ", 3, 3, 339}),
    [](const auto& info) { return std::string(info.param.name); });

// Legacy groups 1 to 4 with SIDs 1 to 4, a user group of the plant, and legacy objects whose keys
// the object passes gave them.
class PermissionPlant : public SecurityPlant {
  protected:
    PermissionPlant() {
        plant.Insert("T_TRNK_USERGROUP", "USERGROUP_ID, SID, USERGROUP_NAME",
                     {{1, 1, "Travelers"}, {2, 2, "Gage"}, {3, 3, "Tool"}, {4, 4, "MDC"}, {5, 9000, "Crew"}});
        plant.Insert("T_TRNK_OBJECT", "OBJECT_ID, PTYPE_ID, CATEGORY, ORDINAL, SFC_ID",
                     {{1, 40, 1, 1, Seeded(1, 45)},
                      {5, 40, 1, 5, kNull},
                      {4108, 42, 1, 1, Seeded(3, 19)},
                      {4130, 42, 1, 2, Seeded(3, 65)},
                      {6145, 43, 1, 1, Seeded(2, 5)},
                      {6146, 43, 1, 2, Seeded(2, 11)},
                      {6147, 43, 1, 3, kNull}});
    }
    void Acl(const std::vector<std::vector<Value>>& rows) {
        plant.Insert("T_TRNK_ACL", "ACL_ID, OBJECT_ID, SID, PERMISSION", rows);
    }
};

TEST_F(PermissionPlant, FinalizingCarriesTheAdministratorsRightsOnOtherProductsWithoutLoweringAny) {
    // Rights the new Travelers administrators (SID 2 as seeded) already hold on two crib objects.
    plant.Insert("T_SFC_ACL", "OBJECT_ID, SID, PERMISSION_CODE",
                 {{Seeded(3, 2), 2, 0}, {Seeded(3, 50), 2, 0}});
    Acl({{1, 6145, 1, 7},
         {2, 4130, 1, 0},      // companions: crib codes 30 (new) and 50 (held, not lowered)
         {3, 4108, 1, 7},      // companions: crib codes 2 (held, raised) and 11 (new)
         {4, 5, 1, 7},         // on the administrators' own product: not read
         {5, 6146, 9, 7},      // another holder: not read
         {150, 6146, 1, 3}});  // a permission without a new code, in the second batch
    RunOk("FinalizeTravelersAdministratorPermissions");
    const auto id = [](int app, int code) { return std::to_string(Seeded(app, code)); };
    EXPECT_THAT(plant.Rows("select * from T_SFC_ACL"),
                ElementsAre("1|" + id(3, 2) + "|2|1", "2|" + id(3, 50) + "|2|0", "3|" + id(2, 5) + "|2|1",
                            "4|" + id(3, 65) + "|2|0", "5|" + id(3, 30) + "|2|0", "6|" + id(3, 19) + "|2|1",
                            "7|" + id(3, 11) + "|2|1", "8|" + id(2, 11) + "|2|NULL"));
    const std::string condition =
        "SID = 1 and ((OBJECT_ID >= 6145 and OBJECT_ID < 6316)  or (OBJECT_ID >= 2049 and OBJECT_ID < 2231)  "
        "or "
        "(OBJECT_ID >= 4097 and OBJECT_ID < 4370)) ";
    EXPECT_THAT(plant.Sent(),
                ::testing::IsSupersetOf(std::vector<std::string>{
                    "select SID from T_TRNK_USERGROUP  where USERGROUP_ID = 1",
                    "select SID from T_SFC_USERGROUP  where USERGROUP_TYPE_CODE = 2",
                    "select COUNT(ACL_ID) as CT  from T_TRNK_ACL where " + condition,
                    "select MAX(ACL_ID) AS MAX_ID  from T_TRNK_ACL where " + condition,
                    "select * from T_TRNK_ACL where ACL_ID >= 101 and ACL_ID <= 200 and " + condition,
                    "select * from T_SFC_ACL  where SID = 2"}));
    EXPECT_THAT(plant.Rows("select SFC_ID from T_TRNK_ACL where SFC_ID IS NOT NULL"), IsEmpty());
}

TEST_F(PermissionPlant, TrackerAdministratorsAreBothLegacyCribGroups) {
    Acl({{1, 6145, 2, 7}, {2, 6146, 3, 0}, {3, 4108, 3, 7}});
    RunOk("FinalizeTrackerAdministratorPermissions");
    EXPECT_THAT(plant.Rows("select OBJECT_ID, SID, PERMISSION_CODE from T_SFC_ACL"),
                ElementsAre(std::to_string(Seeded(2, 5)) + "|3|1", std::to_string(Seeded(2, 11)) + "|3|0"));
    EXPECT_THAT(
        plant.Sent(),
        Contains(
            "select COUNT(ACL_ID) as CT  from T_TRNK_ACL where (SID = 2 or SID = 3)  and ((OBJECT_ID >= 1 "
            "and OBJECT_ID < 233)  or (OBJECT_ID >= 6145 and OBJECT_ID < 6316)) "));
}

TEST_F(PermissionPlant, FinalizingFailsOnAnObjectWithoutANewObject) {
    Acl({{1, 6145, 4, 7}, {2, 6147, 1, 7}});
    ExpectFailure("FinalizeTravelersAdministratorPermissions",
                  std::string("Finalizing Travelers Administrator Permissions: ") + kNullUse);
    plant.Database().Run({"DELETE FROM T_TRNK_USERGROUP WHERE USERGROUP_ID = 4"});
    ExpectFailure("FinalizeMDCAdministratorPermissions",
                  std::string("Finalizing MDC Administrator Permissions: ") + kNoRow);
    EXPECT_THAT(plant.Rows("select * from T_SFC_ACL"), IsEmpty());
}

TEST_F(PermissionPlant, UserPermissionsKeepTheirSidAndGrantCompanionsPerHolder) {
    Acl({{1, 1, 9, 7},
         {2, 5, 9, 7},      // object without a new one: passed over
         {3, 4130, 9, 7},   // own object and both companions
         {4, 4130, 10, 3},  // the same for another holder, permission without a new code
         {5, 1, 1, 7},      // an administrator's: left to the finalizing transfers
         {6, 6145, 9000, 0}});
    RunOk("MigratePermissions");
    const auto id = [](int app, int code) { return std::to_string(Seeded(app, code)); };
    EXPECT_THAT(
        plant.Rows("select * from T_SFC_ACL"),
        ElementsAre("1|" + id(1, 45) + "|9|1", "2|" + id(3, 65) + "|9|1", "3|" + id(3, 30) + "|9|1",
                    "4|" + id(3, 50) + "|9|1", "5|" + id(3, 65) + "|10|NULL", "6|" + id(3, 30) + "|10|NULL",
                    "7|" + id(3, 50) + "|10|NULL", "8|" + id(2, 5) + "|9000|0"));
    EXPECT_THAT(plant.Sent(),
                ::testing::IsSupersetOf(std::vector<std::string>{
                    "select * from T_TRNK_USERGROUP  where USERGROUP_ID >= 1 and USERGROUP_ID <= 4",
                    "select COUNT(ACL_ID) as CT  from T_TRNK_ACL where SID NOT IN (1, 2, 3, 4)",
                    "select * from T_TRNK_ACL where ACL_ID >= 1 and ACL_ID <= 100 and SID NOT IN (1, 2, "
                    "3, 4)",
                    "select * from T_SFC_ACL  where ACL_ID = 0"}));
}

// A SID wider than 32 bits cannot be a new SID: the transfer stops on the conversion.
TEST_F(PermissionPlant, UserPermissionsFailOnASidTheNewSchemaCannotHold) {
    Acl({{1, 1, 9, 7}, {2, 1, 3000000000LL, 7}});
    ExpectFailure("MigratePermissions", "Migrating Permissions: ");
    EXPECT_THAT(plant.Rows("select OBJECT_ID, SID from T_SFC_ACL"),
                ElementsAre(std::to_string(Seeded(1, 45)) + "|9"));
}

}  // namespace
}  // namespace tmigration::transfer
