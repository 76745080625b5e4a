#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "SharedDatabase.h"
#include "core/NumberLookups.h"
#include "core/RowDeletes.h"
#include "core/SecurityLookups.h"

namespace tmigration::core {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Lookups : public testing::SharedStateTest {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.Run({
            "CREATE TABLE T_TRNK_PERS (PERSONNEL_ID INTEGER, PERSONNEL_NUMBER VARCHAR(20))",
            "INSERT INTO T_TRNK_PERS VALUES (41, 'P7')",
            "CREATE TABLE T_TRNK_JOB (JOB_ID INTEGER, JOB_NUMBER VARCHAR(20))",
            "INSERT INTO T_TRNK_JOB VALUES (42, 'J7')",
            "CREATE TABLE T_TRNK_OPS (OPS_ID INTEGER, OPS_NUMBER VARCHAR(20))",
            "INSERT INTO T_TRNK_OPS VALUES (43, 'O7')",
            "CREATE TABLE T_TRNK_SCRAP_CODE (SCRAP_CODE_ID INTEGER, SCRAP_CODE_NUMBER VARCHAR(20))",
            "INSERT INTO T_TRNK_SCRAP_CODE VALUES (44, 'S7')",
            "CREATE TABLE T_TRNK_PART (PART_ID INTEGER, PART_NUMBER VARCHAR(20), PARTTYPE_ID INTEGER)",
            "INSERT INTO T_TRNK_PART VALUES (45, 'A7', 9)",
            "CREATE TABLE T_TRNK_DOWNTIME (DOWNTIME_ID INTEGER, DOWNTIME_NUMBER VARCHAR(20), PTYPE_ID "
            "INTEGER)",
            "INSERT INTO T_TRNK_DOWNTIME VALUES (10, 'MDC', 5)",
            "INSERT INTO T_TRNK_DOWNTIME VALUES (11, 'OTHER', 6)",
            "INSERT INTO T_TRNK_DOWNTIME VALUES (12, 'BOTH', 33)",
        });
    }
    testing::SharedDatabase database;
};

struct NumberCase {
    const char* name;
    std::function<std::int32_t(const std::string&)> lookup;
    const char* number;
    std::int32_t id;
    const char* sql;
};

std::ostream& operator<<(std::ostream& os, const NumberCase& c) {
    return os << c.name;
}

class NumberLookup : public Lookups, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(NumberLookup, FindsTheKeyWithTheExactText) {
    EXPECT_EQ(GetParam().lookup(GetParam().number), GetParam().id);
    EXPECT_THAT(database.sent, ElementsAre(GetParam().sql));
}

TEST_P(NumberLookup, UnknownNumberGivesMinusOne) {
    EXPECT_EQ(GetParam().lookup("nothing like it"), -1);
}

TEST_P(NumberLookup, EmptyNumberGivesMinusOneWithoutAQuery) {
    EXPECT_EQ(GetParam().lookup(""), -1);
    EXPECT_THAT(database.sent, IsEmpty());
}

std::int32_t PartOnly(const std::string& n) {
    std::int32_t type = 0;
    return GetPartId(n, type);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, NumberLookup,
    ::testing::Values(
        NumberCase{"Personnel", GetPersonnelId, "P7", 41,
                   "select * from T_TRNK_PERS  where PERSONNEL_NUMBER = 'P7'"},
        NumberCase{"Job", GetJobId, "J7", 42, "select * from T_TRNK_JOB  where JOB_NUMBER = 'J7'"},
        NumberCase{"Operation", GetOperationId, "O7", 43,
                   "select * from T_TRNK_OPS  where OPS_NUMBER = 'O7'"},
        NumberCase{"ScrapCode", GetScrapCodeId, "S7", 44,
                   "select SCRAP_CODE_ID  from T_TRNK_SCRAP_CODE  where SCRAP_CODE_NUMBER = 'S7'"},
        NumberCase{"Part", PartOnly, "A7", 45, "select * from T_TRNK_PART  where PART_NUMBER = 'A7'"},
        NumberCase{
            "MachineDowntime", [](const std::string& n) { return GetDowntimeId(n, 79); }, "MDC", 10,
            "select DOWNTIME_ID  from T_TRNK_DOWNTIME  where DOWNTIME_NUMBER = 'MDC' and PTYPE_ID IN (5,33)"},
        NumberCase{
            "OtherDowntime", [](const std::string& n) { return GetDowntimeId(n, 94); }, "OTHER", 11,
            "select DOWNTIME_ID  from T_TRNK_DOWNTIME  where DOWNTIME_NUMBER = 'OTHER' and PTYPE_ID IN "
            "(6,33)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Lookups, PartTypeComesWithThePartAndBothAreMinusOneWithoutIt) {
    std::int32_t type = 0;
    EXPECT_EQ(GetPartId("A7", type), 45);
    EXPECT_EQ(type, 9);
    EXPECT_EQ(GetPartId("", type), -1);
    EXPECT_EQ(type, -1);
    type = 0;
    EXPECT_EQ(GetPartId("B8", type), -1);
    EXPECT_EQ(type, -1);
}

TEST_F(Lookups, DowntimeCodesAreSeparatedByProductTypeAndSharedUnder33) {
    EXPECT_EQ(GetDowntimeId("OTHER", 79), -1);
    EXPECT_EQ(GetDowntimeId("MDC", 94), -1);
    EXPECT_EQ(GetDowntimeId("BOTH", 79), 12);
    EXPECT_EQ(GetDowntimeId("BOTH", 94), 12);
    EXPECT_THROW(GetDowntimeId("BOTH", 80), std::invalid_argument);
}

TEST_F(Lookups, MachineLocationComesFromTheJoinOfMachineGroupAndLocation) {
    database.Run({"CREATE TABLE T_TRNK_MACHINES (MACHINE_ID INTEGER, GROUP_ID INTEGER)",
                  "CREATE TABLE T_TRNK_GROUPS (GROUP_ID INTEGER, LOCATION_ID INTEGER)",
                  "CREATE TABLE T_TRNK_LOCATION (LOCATION_ID INTEGER, DEPT_ID INTEGER)",
                  "INSERT INTO T_TRNK_MACHINES VALUES (3, 30)", "INSERT INTO T_TRNK_GROUPS VALUES (30, 300)",
                  "INSERT INTO T_TRNK_LOCATION VALUES (300, 3000)"});
    std::int32_t dept = 0, location = 0, group = 0;
    GetMachineLocation(3, dept, location, group);
    EXPECT_EQ(dept, 3000);
    EXPECT_EQ(location, 300);
    EXPECT_EQ(group, 30);
    EXPECT_THAT(
        database.sent,
        ElementsAre(
            "select T_TRNK_MACHINES.GROUP_ID, T_TRNK_GROUPS.LOCATION_ID,  T_TRNK_LOCATION.DEPT_ID  "
            "from T_TRNK_MACHINES, T_TRNK_GROUPS, T_TRNK_LOCATION  where T_TRNK_MACHINES.MACHINE_ID = "
            "3 and T_TRNK_MACHINES.GROUP_ID = T_TRNK_GROUPS.GROUP_ID  and T_TRNK_GROUPS.LOCATION_ID "
            "= T_TRNK_LOCATION.LOCATION_ID "));
    EXPECT_ANY_THROW(GetMachineLocation(4, dept, location, group));  // no such machine: no current row
}

TEST_F(Lookups, NextSidIsTakenAndAdvanced) {
    database.Run({"CREATE TABLE T_TRNK_SID (SID_ID COUNTER NOT NULL PRIMARY KEY, NEXT_SID INTEGER)",
                  "INSERT INTO T_TRNK_SID (NEXT_SID) VALUES (57)"});
    EXPECT_EQ(GetNextSID(), 57);
    EXPECT_EQ(database.Scalar("select NEXT_SID from T_TRNK_SID"), "58");
    EXPECT_EQ(GetNextSID(), 58);
    EXPECT_THAT(database.sent, ElementsAre("select * from T_TRNK_SID", "select * from T_TRNK_SID"));
}

TEST_F(Lookups, ObjectIdsOfAPermissionCode) {
    database.Run(
        {"CREATE TABLE T_SFC_OBJECT (OBJECT_ID INTEGER, OBJECT_CODE INTEGER, APP_CODE INTEGER)",
         "INSERT INTO T_SFC_OBJECT VALUES (501, 2, 1)", "INSERT INTO T_SFC_OBJECT VALUES (502, 9, 1)",
         "INSERT INTO T_SFC_OBJECT VALUES (503, 2, 3)", "INSERT INTO T_SFC_OBJECT VALUES (504, 229, 3)"});
    std::int32_t first = 0, second = 0;
    GetObjectIds(18, first, second);
    EXPECT_EQ(first, 501);
    EXPECT_EQ(second, 502);
    GetObjectIds(19, first, second);  // object code 11 of application 3 is missing
    EXPECT_EQ(first, 503);
    EXPECT_EQ(second, -1);
    GetObjectIds(270, first, second);
    EXPECT_EQ(first, 504);
    EXPECT_EQ(second, -1);
    EXPECT_THAT(
        database.sent,
        ElementsAre("select OBJECT_ID, OBJECT_CODE  from T_SFC_OBJECT  where OBJECT_CODE IN (2, 9)  and "
                    "APP_CODE = 1",
                    "select OBJECT_ID, OBJECT_CODE  from T_SFC_OBJECT  where OBJECT_CODE IN (2, 11)  and "
                    "APP_CODE = 3",
                    "select OBJECT_ID, OBJECT_CODE  from T_SFC_OBJECT  where OBJECT_CODE IN (229, 253)  "
                    "and APP_CODE = 3"));
}

TEST_F(Lookups, UnmappedPermissionCodeGivesMinusOneWithoutAQuery) {
    std::int32_t first = 0, second = 0;
    GetObjectIds(20, first, second);
    EXPECT_EQ(first, -1);
    EXPECT_EQ(second, -1);
    EXPECT_THAT(database.sent, IsEmpty());
}

struct DeleteCase {
    const char* name;
    const char* table;
    const char* typeColumn;
    std::function<void(std::int32_t, std::int32_t)> remove;
    const char* sql;  // for type 7, target 70
};

std::ostream& operator<<(std::ostream& os, const DeleteCase& c) {
    return os << c.name;
}

class RowDelete : public Lookups, public ::testing::WithParamInterface<DeleteCase> {
  protected:
    void SetUp() override {
        Lookups::SetUp();
        const std::string t = GetParam().table, c = GetParam().typeColumn;
        database.Run({"CREATE TABLE " + t + " (ROW_ID COUNTER NOT NULL PRIMARY KEY, HISTORY_ID INTEGER, " +
                          c + " INTEGER, TARGET_ID INTEGER)",
                      "INSERT INTO " + t + " (HISTORY_ID, " + c + ", TARGET_ID) VALUES (1, 7, 70)",
                      "INSERT INTO " + t + " (HISTORY_ID, " + c + ", TARGET_ID) VALUES (2, 7, 70)",
                      "INSERT INTO " + t + " (HISTORY_ID, " + c + ", TARGET_ID) VALUES (3, 7, 71)",
                      "INSERT INTO " + t + " (HISTORY_ID, " + c + ", TARGET_ID) VALUES (4, 8, 70)"});
    }
};

TEST_P(RowDelete, DeletesEveryMatchingRowOnly) {
    GetParam().remove(7, 70);
    EXPECT_EQ(database.Scalar(std::string("select count(*) from ") + GetParam().table), "2");
    EXPECT_EQ(database.Scalar(std::string("select min(HISTORY_ID) from ") + GetParam().table), "3");
    // Opened once, then read again after each of the two deletes.
    EXPECT_THAT(database.sent, ElementsAre(GetParam().sql, GetParam().sql, GetParam().sql));
}

TEST_P(RowDelete, NoMatchingRowDeletesNothing) {
    GetParam().remove(9, 90);
    EXPECT_EQ(database.Scalar(std::string("select count(*) from ") + GetParam().table), "4");
    EXPECT_EQ(database.sent.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Deletes, RowDelete,
    ::testing::Values(DeleteCase{"MediaDestinations", "T_TRNK_MEDIADEST", "TABLE_ID", DeleteMediaDestinations,
                                 "select * from T_TRNK_MEDIADEST  where TABLE_ID = 7 and TARGET_ID = 70"},
                      DeleteCase{
                          "HistoryRows", "T_TRNK_HISTORY", "SUBTYPE_ID", DeleteHistoryRows,
                          "select * from T_TRNK_HISTORY  where SUBTYPE_ID = 7 and TARGET_ID = 70 order by "
                          "HISTORY_ID DESC "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tmigration::core
