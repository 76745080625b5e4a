// A small hand-made legacy plant for the organisation and reference transfers: a few rows per
// table, chosen for the cases each transfer treats apart (reserved id ranges, built-in rows, codes
// outside their tables, Nulls, product types of locations, ordinals out of order, duplicate
// memberships). HandMadePlantExpectations() are the rows the transfers must leave, worked out by
// hand from the transfer rules, one entry per query.
#pragma once

#include <string>
#include <vector>

#include "TransferDatabase.h"

namespace tmigration::testing {

inline void FillHandMadePlant(TransferDatabase& plant) {
    using db::DateTime;
    using db::Value;
    const Value null;
    const Value six = DateTime{1970, 1, 1, 6, 0, 0}, two = DateTime{1970, 1, 1, 14, 0, 0},
                ten = DateTime{1970, 1, 1, 22, 0, 0}, sixNext = DateTime{1970, 1, 2, 6, 0, 0};
    const Value created = DateTime{2019, 2, 3, 4, 5, 6};

    plant.Insert("T_TRNK_PTYPE", "PTYPE_ID, PTYPE_NAME",
                 {{3, "Other"},
                  {4, "Gage Crib"},
                  {5, "MDC"},
                  {6, "Maintenance"},
                  {8, "Tool Crib"},
                  {12, "Personnel"},
                  {33, "Setup"},
                  {45, "Raw"},
                  {46, "Bar"},
                  {47, "Casting"}});
    plant.Insert("T_TRNK_STATUS", "STATUS_ID, STATUS_NAME",
                 {{30, "Active"},
                  {31, "Inactive"},
                  {34, "Idle"},
                  {35, "Cycling"},
                  {36, "In Setup"},
                  {37, "Down"},
                  {73, "Pending"},
                  {74, "In Process"},
                  {75, "Completed"},
                  {99, "Retired"}});

    plant.Insert("T_TRNK_INTERVAL", "INTERVAL_ID, INTERVAL_NAME, START_TIME, DURATION, STOP_TIME, IS_SWING",
                 {{1, "Day", six, 8.0, two, "Y"},
                  {2, "Night", ten, 8.0, sixNext, "N"},
                  {3, "Late", two, 8.5, ten, "y"}});
    plant.Insert("T_TRNK_SHIFT",
                 "SHIFT_ID, SHIFT_NUMBER, SHIFT_NAME, MON_INTERVAL_ID, TUE_INTERVAL_ID, WED_INTERVAL_ID, "
                 "THU_INTERVAL_ID, FRI_INTERVAL_ID, SAT_INTERVAL_ID, SUN_INTERVAL_ID, DURATION, IS_SWING",
                 {{1, "S1", "First", 1, 1, 1, 1, 1, 3, null, 40.0, "N"},
                  {2, "S2", "Night", 2, 2, 2, 2, 2, 2, 2, 56.0, "Y"}});

    plant.Insert("T_TRNK_USERTYPE", "USERTYPE_ID, USERTYPE_NAME, PTYPE_ID",
                 {{1, "Operator", 12}, {2, "Machinist", 12}, {3, "Worn tool", 5}, {4, "Inspector", 12}});
    plant.Insert(
        "T_TRNK_CUSTOMER",
        "CUSTOMER_ID, CUSTOMER_NUMBER, COMPANY_NAME, FIRST_NAME, LAST_NAME, ADDRESS_LINE_1, ADDRESS_LINE_2, "
        "CITY, STATE, ZIP_CODE, COUNTRY, PHONE, PHONE1, PHONE2, PHONE3, FAX, COUNTRY_CODE, EMAIL, WEB_SITE, "
        "NOTES",
        {{1,    "C-1", "Acme", "Al", "Ames", "1 Main", "Unit 2", "Troy",    "NY",           "12180",
          "US", "p0",  "p1",   "p2", "p3",   "fx",     "1",      "al@acme", "acme.example", "key account"},
         {2,    null, "Bolt Co", null, null, null, null, null, null, null,
          null, null, null,      null, null, null, null, null, null, null}});
    plant.Insert("T_TRNK_VENDOR", "VENDOR_ID, VENDOR_NUMBER, COMPANY_NAME, PHONE, PHONE3, NOTES",
                 {{5, "V-5", "Steel Inc", "v0", "v3", "net 30"}});

    plant.Insert("T_TRNK_DEPT", "DEPT_ID, DEPT_NAME, DEPT_NUMBER, DETAILS",
                 {{1, "Machining", "D1", "floor 1"}, {2, "Assembly", "D2", null}});
    plant.Insert("T_TRNK_LOCATION", "LOCATION_ID, LOCATION_NAME, LOCATION_NUMBER, DEPT_ID, PTYPE_ID, DETAILS",
                 {{1, "Cell A", "L1", 1, 5, "near door"},
                  {2, "Gage Crib", "GC", null, 4, "cal room"},
                  {3, "Tool Crib", "TC", 2, 8, null},
                  {4, "Office", "OF", 1, 12, null},
                  {5, "Cell B", "L2", 2, 5, null}});
    plant.Insert("T_TRNK_GROUPS", "GROUP_ID, GROUP_NUMBER, GROUP_NAME, LOCATION_ID, DESCRIPTION",
                 {{1, "G1", "Lathes", 1, "turning"}, {2, "G2", "Mills", 4, null}});
    const Value statusDate = DateTime{2020, 3, 4, 5, 6, 7};
    plant.Insert(
        "T_TRNK_MACHINES",
        "MACHINE_ID, MACHINE_NUMBER, MACHINE_NAME, GROUP_ID, STATUS_ID, STATUS_DATE, VENDOR_ID, COST_PER_HR, "
        "DESCRIPTION",
        {{1, "M1", "Lathe 1", 1, 34, statusDate, 5, 12.5, "old"},
         {2, "M2", "Lathe 2", 1, 35, null, null, null, null},
         {3, "M3", "Mill", 2, 36, null, null, null, null},
         {4, "M4", "Saw", null, 37, null, null, null, null},
         {5, "M5", "Press", 1, 99, null, null, null, null}});
    plant.Insert("T_TRNK_PERS",
                 "PERSONNEL_ID, LAST_NAME, FIRST_NAME, PERSONNEL_NUMBER, PASSWORD, SHIFT_ID, DEPT_ID, SID, "
                 "JOBTITLE_ID, "
                 "LOCATION_ID, STATUS_ID, NOTES, EMAIL",
                 {{1, "Smith", "Ann", "E1", "x!9", 1, 1, 5001, 1, 1, 30, "lead", "ann@x"},
                  {2, "Jones", null, "E2", null, 2, null, 5002, 3, 4, 31, null, null},
                  {3, "Lee", "Bo", "E3", "pw", null, 2, 5003, 4, 5, 99, null, null}});

    plant.Insert("T_TRNK_MATERIALTYPE",
                 "MATERIALTYPE_ID, MATERIALTYPE_NUMBER, MATERIALTYPE_NAME, DESCRIPTION, PTYPE_ID",
                 {{1, "MT1", "Steel", "hard", 45},
                  {2, "MT2", "Brass", null, 46},
                  {3, "MT3", "Iron", null, 47},
                  {4, "MT4", "Misc", null, 3}});
    plant.Insert("T_TRNK_MATERIAL",
                 "MATERIAL_ID, MATERIAL_NAME, MATERIAL_NUMBER, MATERIALTYPE_ID, BPRINT, DETAIL",
                 {{1, "Bar stock", "MA1", 2, "BP-7", "cut"}, {2, "Plate", "MA2", 4, null, null}});
    plant.Insert("T_TRNK_PARTTYPE", "PARTTYPE_ID, PARTTYPE_NUMBER, PARTTYPE_NAME, DESCRIPTION",
                 {{1, "PT1", "Shaft", "long"}, {2, "PT2", "Gear", null}});
    plant.Insert(
        "T_TRNK_PART", "PART_ID, PART_NAME, PART_NUMBER, PARTTYPE_ID, REVISION, MODEL_NUMBER, BPRINT, DETAIL",
        {{1, "Shaft A", "P-100", 1, 3, "MX", "B1", "std"}, {2, "Gear B", "P-200", 2, 0, null, null, null}});
    plant.Insert("T_TRNK_OPS", "OPS_ID, OPS_NAME, OPS_NUMBER, CREATE_DATE, CREATOR_ID, REVISION_NO, REMARKS",
                 {{1, "Turn", "OP10", created, 1, 2, "rough"}, {2, "Mill", "OP20", created, 1, 0, null}});

    plant.Insert("T_TRNK_DOWNTIME", "DOWNTIME_ID, DOWNTIME_NAME, DOWNTIME_NUMBER, PLANNED, PTYPE_ID, NOTES",
                 {{1, "Breakdown", "DT1", "Y", 5, "call"},
                  {2, "Setup", "DT2", "N", 6, null},
                  {11, "Meeting", "DT11", "n", 33, null},
                  {12, "Reserved", "DT12", "Y", 5, null},
                  {513, "Coffee", "DT513", "N", 3, null}});
    plant.Insert("T_TRNK_REASON", "REASON_ID, REASON_NUMBER, REASON_NAME, DOWNTIME_ID, NOTES",
                 {{1, "R1", "Worn", 1, "x"}, {2, "R2", "Lost", 12, null}, {3, "R3", "Other", 513, null}});
    plant.Insert("T_TRNK_SCRAP_CODE", "SCRAP_CODE_ID, SCRAP_CODE_NUMBER, SCRAP_CODE_NAME, NOTES",
                 {{1, "S1", "Bad cut", "first"}, {2, "S2", "Reserved", null}, {513, "S513", "Burr", null}});
    plant.Insert("T_TRNK_COMMANDS", "COMMAND_ID, COMMAND_NUMBER, COMMAND_NAME, DESCRIPTION",
                 {{1, "C1", "Send", "dnc"},
                  {4, "C4", "Job", null},
                  {13, "C13", "Op time", null},
                  {14, "C14", "Reserved", null},
                  {513, "C513", "Custom", "own"}});
    plant.Insert("T_TRNK_INSPECTION", "INSPECTION_ID, INSPECTION_NAME, INSPECTION_NUMBER, DESCRIPTION",
                 {{1, "Visual", "I1", "look"}, {2, "CMM", "I2", null}});

    const Value monday = DateTime{2021, 5, 3, 8, 0, 0}, friday = DateTime{2021, 5, 7, 17, 0, 0};
    plant.Insert(
        "T_TRNK_JOB",
        "JOB_ID, JOB_NUMBER, JOB_NAME, TARGET_START, TARGET_STOP, ACTUAL_START, ACTUAL_STOP, CUSTOMER_ID, "
        "STATUS_ID, NOTES",
        {{1, "J1", "Job One", monday, friday, monday, null, 1, 73, "rush"},
         {2, "J2", "Job Two", null, null, null, null, null, 75, null},
         {3, "J3", "Job Three", null, null, null, null, 2, 99, null}});
    plant.Insert("T_TRNK_PARTS_PER_JOB",
                 "PARTS_PER_JOB_ID, JOB_ID, PART_ID, TARGET_QTY, ACTUAL_QTY, SCRAPPED_QTY, ORDINAL",
                 {{1, 2, 1, 10, 9, 1, 3},
                  {2, 1, 1, null, null, null, 12},
                  {3, 1, 2, 5, null, 0, 5},
                  {4, 1, 2, 7, 7, null, 9}});

    const Value start = DateTime{2021, 5, 6, 7, 0, 0}, stop = DateTime{2021, 5, 6, 7, 30, 0};
    plant.Insert(
        "T_TRNK_EVENTS",
        "EVENT_ID, START_TIME, STOP_TIME, COMMAND_ID, DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID, PARAM1",
        {{1, start, stop, 4, 1, 1, 1, 1, "J1"}, {2, stop, null, 14, null, 5, 2, 2, null}});
    plant.Insert("T_TRNK_USERGROUP", "USERGROUP_ID, SID, USERGROUP_NAME",
                 {{1, 1, "Travel Admins"},
                  {2, 2, "Gage Admins"},
                  {3, 3, "Tool Admins"},
                  {4, 4, "MDC Admins"},
                  {5, 9000, "Night crew"}});
    plant.Insert("T_TRNK_PERS_USERGROUP", "PERS_USERGROUP_ID, PERS_ID, USERGROUP_ID",
                 {{1, 1, 1}, {2, 1, 2}, {3, 1, 3}, {4, 2, 3}, {5, 3, 5}, {6, 2, 4}});
    plant.Insert("T_TRNK_MACHINE_EVENTS", "MACHINE_EVENTS_ID, MACHINE_ID, COMMAND_ID, EVENT_ID",
                 {{1, 1, 4, 1}, {2, 2, 1, 2}});
    plant.Insert("T_TRNK_SID", "SID_ID, NEXT_SID", {{1, 9001}});
}

struct ExpectedRows {
    const char* name;
    std::string query;
    std::vector<std::string> rows;
};

inline const std::vector<ExpectedRows>& HandMadePlantExpectations() {
    static const std::vector<ExpectedRows> expectations = {
        {"Intervals",
         "select * from T_SFC_INTERVAL",
         {"1|Day|1970-01-01 06:00:00|1970-01-01 14:00:00|8|1",
          "2|Night|1970-01-01 22:00:00|1970-01-02 06:00:00|8|0",
          "3|Late|1970-01-01 14:00:00|1970-01-01 22:00:00|8.5|0"}},
        {"Shifts",
         "select * from T_SFC_SHIFT",
         {"1|S1|First|1|1|1|1|1|3|NULL|40|0", "2|S2|Night|2|2|2|2|2|2|2|56|1"}},
        {"JobTitlesOfPersonnelOnly",
         "select * from T_SFC_JOBTITLE",
         {"1|Operator", "2|Machinist", "3|Inspector"}},
        {"JobTitleKeys", "select USERTYPE_ID, SFC_ID from T_TRNK_USERTYPE", {"1|1", "2|2", "3|NULL", "4|3"}},
        {"CustomersWithPhonesShifted",
         "select * from T_SFC_CUSTOMER",
         {"1|C-1|Acme|Al|Ames|1 Main|Unit 2|Troy|NY|12180|US|p0|p1|p2|p3|fx|1|al@acme|acme.example|key "
          "account",
          "2|NULL|Bolt "
          "Co|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}},
        {"Vendors",
         "select * from T_SFC_VENDOR",
         {"1|V-5|Steel Inc|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|v0|NULL|NULL|v3|NULL|NULL|NULL|NULL|net "
          "30"}},
        {"Departments", "select * from T_SFC_DEPT", {"1|D1|Machining|1|floor 1", "2|D2|Assembly|2|NULL"}},
        {"LocationsOfTheMachineDataProduct",
         "select * from T_SFC_LOCATION",
         {"1|L1|Cell A|1|1|near door", "2|L2|Cell B|2|5|NULL"}},
        {"CribsOfTheGageAndToolCribs",
         "select * from T_SFC_CRIB",
         {"1|GC|Gage Crib|cal room", "2|TC|Tool Crib|NULL"}},
        {"LocationKeysPointIntoEitherTable",
         "select LOCATION_ID, SFC_ID from T_TRNK_LOCATION",
         {"1|1", "2|1", "3|2", "4|NULL", "5|2"}},
        {"Groups", "select * from T_SFC_GROUP", {"1|G1|Lathes|1|1|turning", "2|G2|Mills|NULL|2|NULL"}},
        {"MachinesWithStatusCodes",
         "select * from T_SFC_MACHINE",
         {"1|M1|Lathe 1|1|0|2020-03-04 05:06:07|NULL|1|12.5|1|old",
          "2|M2|Lathe 2|1|2|NULL|NULL|NULL|NULL|2|NULL", "3|M3|Mill|2|1|NULL|NULL|NULL|NULL|3|NULL",
          "4|M4|Saw|NULL|3|NULL|NULL|NULL|NULL|4|NULL", "5|M5|Press|1|NULL|NULL|NULL|NULL|NULL|5|NULL"}},
        {"Users",
         "select * from T_SFC_USER",
         {"1|E1|Smith|Ann|ann@x|1|1|1|1|1|5001|x!9|lead",
          "2|E2|Jones|NULL|NULL|0|2|NULL|NULL|NULL|5002|NULL|NULL",
          "3|E3|Lee|Bo|NULL|NULL|NULL|2|2|3|5003|pw|NULL"}},
        {"MaterialTypes",
         "select * from T_SFC_MATERIAL_TYPE",
         {"1|Steel|0|hard", "2|Brass|1|NULL", "3|Iron|2|NULL", "4|Misc|NULL|NULL"}},
        {"Materials",
         "select * from T_SFC_MATERIAL",
         {"1|MA1|Bar stock|2|BP-7|cut", "2|MA2|Plate|4|NULL|NULL"}},
        {"PartTypes", "select * from T_SFC_PART_TYPE", {"1|Shaft|long", "2|Gear|NULL"}},
        {"PartsWithTextRevisions",
         "select * from T_SFC_PART",
         {"1|P-100|Shaft A|1|3|MX|B1|std", "2|P-200|Gear B|2|0|NULL|NULL|NULL"}},
        {"Operations", "select * from T_SFC_OP", {"1|OP10|Turn|2|rough", "2|OP20|Mill|0|NULL"}},
        {"DowntimeCodesWithoutTheReservedRange",
         "select * from T_SFC_DOWNTIME_CODE",
         {"1|DT1|Breakdown|0|1|call", "2|DT2|Setup|1|0|NULL", "3|DT11|Meeting|2|NULL|NULL",
          "4|DT513|Coffee|NULL|0|NULL"}},
        {"DowntimeKeys",
         "select DOWNTIME_ID, SFC_ID from T_TRNK_DOWNTIME",
         {"1|1", "2|2", "11|3", "12|NULL", "513|4"}},
        {"ReasonCodes",
         "select * from T_SFC_REASON_CODE",
         {"1|R1|Worn|1|x", "2|R2|Lost|NULL|NULL", "3|R3|Other|4|NULL"}},
        {"ScrapCodeOneTakesTheSeededRow",
         "select * from T_SFC_SCRAP_CODE",
         {"1|S1|Bad cut|0|first", "2|S513|Burr|1|NULL"}},
        {"ScrapCodeKeys", "select SCRAP_CODE_ID, SFC_ID from T_TRNK_SCRAP_CODE", {"1|1", "2|NULL", "513|2"}},
        {"BuiltInCommandsTakeTheSeededRowsOfTheirType",
         "select * from T_SFC_COMMAND",
         {"1|C1|Send|1|1|dnc", "2|110|Receive From CNC|2|14|NULL", "3|120|Remote Start|3|14|NULL",
          "4|200|Logon Time|4|14|NULL", "5|C4|Job|5|4|NULL", "6|230|Part Time|6|14|NULL",
          "7|C13|Op time|7|13|NULL", "8|250|Setup Time|8|14|NULL", "9|260|Cycle Time|9|14|NULL",
          "10|270|Teardown Time|10|14|NULL", "11|280|Machine Downtime|11|14|NULL",
          "12|290|User Downtime|12|14|NULL", "13|300|Good Part Count|13|14|NULL",
          "14|310|Scrapped Part Count|14|14|NULL", "15|C513|Custom|0|513|own"}},
        {"CommandKeys",
         "select COMMAND_ID, SFC_ID from T_TRNK_COMMANDS",
         {"1|1", "4|5", "13|7", "14|NULL", "513|15"}},
        {"Inspections", "select * from T_SFC_INSPECTION", {"1|I1|Visual|look", "2|I2|CMM|NULL"}},
        {"JobsWithStatusCodes",
         "select * from T_SFC_JOB",
         {"1|J1|Job One|1|2021-05-03 08:00:00|2021-05-07 17:00:00|2021-05-03 08:00:00|NULL|0|rush",
          "2|J2|Job Two|NULL|NULL|NULL|NULL|NULL|2|NULL", "3|J3|Job Three|2|NULL|NULL|NULL|NULL|NULL|NULL"}},
        {"PartsPerJobRenumberedWithZeroForNull",
         "select * from T_SFC_PART_PER_JOB",
         {"1|1|2|NULL|5|0|0|1", "2|1|2|NULL|7|7|0|2", "3|1|1|NULL|0|0|0|3", "4|2|1|NULL|10|9|1|1"}},
        {"PartsPerJobKeys",
         "select PARTS_PER_JOB_ID, SFC_ID from T_TRNK_PARTS_PER_JOB",
         {"1|4", "2|3", "3|1", "4|2"}},
        {"Events",
         "select * from T_SFC_EVENT",
         {"1|2021-05-06 07:00:00|2021-05-06 07:30:00|5|1|1|1|1|J1",
          "2|2021-05-06 07:30:00|NULL|NULL|NULL|2|2|2|NULL"}},
        {"BuiltInUserGroupsTakeTheSeededRows",
         "select * from T_SFC_USERGROUP",
         {"1|MDC Admins|4|1", "2|Travel Admins|1|2", "3|Tracker Administrators|9001|3",
          "4|Night crew|9000|NULL"}},
        {"UserGroupKeys",
         "select USERGROUP_ID, SFC_ID from T_TRNK_USERGROUP",
         {"1|2", "2|NULL", "3|NULL", "4|1", "5|4"}},
        {"MembersOfGroupsTwoAndThreeOnceInTheMergedGroup",
         "select * from T_SFC_USER_PER_USERGROUP",
         {"1|1|2", "2|1|3", "3|2|3", "4|3|4", "5|2|1"}},
        {"MembershipKeys",
         "select PERS_USERGROUP_ID, SFC_ID from T_TRNK_PERS_USERGROUP",
         {"1|1", "2|2", "3|NULL", "4|3", "5|4", "6|5"}},
        {"MachineEvents", "select * from T_SFC_MACHINE_EVENT", {"1|1|1|5", "2|2|2|1"}},
        {"ItemTwoHoldsTheFirstSidNotGiven",
         "select DB_ITEM_VALUE from T_SFC_DB_ITEM where DB_ITEM_CODE = 2",
         {"9002"}},
        {"EachProductsAdministratorsHoldEveryObjectOfIt",
         "select SID, COUNT(*), MIN(PERMISSION_CODE) from T_SFC_ACL group by SID order by SID",
         {"1|232|1", "4|169|1", "9001|339|1"}},
    };
    return expectations;
}

}  // namespace tmigration::testing
