// The tool and gage cribs and the travelers of a small hand-made plant, on top of the organisation
// rows of HandMadePlant.h: catalog numbers with no, some and all vendor slots, codes inside and
// outside their translation lists, Null flags, children of one parent that are not adjacent, IRRs
// repaired by a user and by a vendor, and travelers whose revision chains run forwards, backwards
// and out of the table.
#pragma once

#include "HandMadePlant.h"

namespace tmigration::testing {

inline void FillCribPlant(TransferDatabase& plant) {
    using db::DateTime;
    using db::Value;
    const Value null;
    const Value d1 = DateTime{2022, 1, 2, 3, 4, 5}, d2 = DateTime{2022, 2, 3, 4, 5, 6},
                d3 = DateTime{2022, 3, 4, 5, 6, 7};

    // The legacy statuses and history actions the assets, orders and travelers name.
    std::vector<std::vector<Value>> statuses;
    for (int id :
         {1, 14, 17, 21, 22, 23, 27, 32, 46, 47, 48, 49, 50, 51, 52, 54, 60, 77, 78, 80, 81, 82, 83, 84})
        statuses.push_back({id, "Status " + std::to_string(id)});
    plant.Insert("T_TRNK_STATUS", "STATUS_ID, STATUS_NAME", statuses);
    plant.Insert("T_TRNK_SUBTYPE", "SUBTYPE_ID, SUBTYPE_NAME",
                 {{40, "Action 40"}, {46, "Action 46"}, {151, "Action 151"}, {190, "Action 190"}});

    plant.Insert("T_TRNK_VENDOR", "VENDOR_ID, VENDOR_NUMBER, COMPANY_NAME",
                 {{6, "V-6", "Mills"}, {7, "V-7", "Gages"}});

    plant.Insert("T_TRNK_CUTTERTYPE", "CUTTERTYPE_ID, CUTTERTYPE_NUMBER, CUTTERTYPE_NAME, DESCRIPTION",
                 {{1, "CT1", "End mill", "flat"}, {2, "CT2", "Drill", null}});
    plant.Insert(
        "T_TRNK_CUTTER_NO",
        "CUTTER_NO_ID, CUTTER_NO_NUMBER, CUTTER_NO_NAME, CUTTERTYPE_ID, MATERIAL_ID, UNITS_ID, SHAPE_ID, "
        "DIAMETER, HEIGHT, ANGLE, CORNER_RADIUS, BOTTOM_DIAMETER, BOTTOM_HEIGHT, BOTTOM_ANGLE, "
        "SHANK_DIAMETER, SHANK_HEIGHT, NUM_OF_FLUTES, FLUTE_TYPE_ID, ISO_NUMBER, IS_COOLANT_FED, NOTES, "
        "VENDOR1_ID, VENDOR1_NUMBER, VENDOR1_COST, VENDOR1_MIN_ORDER_QTY, VENDOR2_ID, VENDOR2_NUMBER, "
        "VENDOR2_COST, VENDOR2_MIN_ORDER_QTY, VENDOR3_ID, VENDOR3_NUMBER, VENDOR3_COST, "
        "VENDOR3_MIN_ORDER_QTY, MIN_REORDER_QTY, MIN_ORDER_QTY, MAX_QTY, AVAILABLE_QTY, ON_ORDER_QTY, "
        "LOST_QTY, INACTIVE_QTY, DISPOSABLE, CHECKED_OUT_QTY, CRIB_ID",
        {{1,     "CN-1", "Mill 1/2", 1,   1,     3295, 3379, 0.5,     1.25,  90.0, 0.01,
          0.4,   0.1,    5.0,        0.5, 3.0,   4,    3376, "ISO-1", "yes", "n1", 5,
          "A-1", 2.5,    10,         6,   "B-1", 3.0,  20,   7,       "C-1", 4.25, 30,
          5,     10,     50,         7,   1,     2,    3,    "No",    4,     3}});
    plant.Insert(
        "T_TRNK_CUTTER_NO",
        "CUTTER_NO_ID, CUTTER_NO_NUMBER, CUTTERTYPE_ID, UNITS_ID, SHAPE_ID, FLUTE_TYPE_ID, VENDOR2_ID, "
        "VENDOR2_NUMBER, VENDOR2_COST, CRIB_ID",
        {{2, "CN-2", 2, 3296, 3395, 3378, 6, "B-2", 1.5, 2}});
    plant.Insert(
        "T_TRNK_CUTTER_NO",
        "CUTTER_NO_ID, CUTTER_NO_NUMBER, CUTTERTYPE_ID, UNITS_ID, SHAPE_ID, FLUTE_TYPE_ID, IS_COOLANT_FED, "
        "DISPOSABLE",
        {{3, "CN-3", 1, 9999, 3400, 3375, "Y", "yes"}});

    plant.Insert("T_TRNK_GAUGE_TYPE", "GAUGE_TYPE_ID, GAUGE_TYPE, DETAILS",
                 {{1, "Caliper", "hand"}, {2, "Micrometer", null}, {3, "Unused", "no subtypes"}});
    plant.Insert("T_TRNK_GAUGE_SUBTYPE",
                 "GAUGE_SUBTYPE_ID, GAUGE_SUBTYPE_NAME, GAUGE_TYPE_ID, DETAILS, DIM_LABEL_STRING",
                 {{1, "Dial", 1, "0.001", "Jaw;Depth;"},
                  {2, "Digital", 1, null, null},
                  {3, "Outside", 2, "0-1 in", ""},
                  {4, "Inside", 2, null, "Bore"}});
    plant.Insert(
        "T_TRNK_GAUGE_NO",
        "GAUGE_NO_ID, GAUGE_NO, GAUGE_NAME, GAUGE_SUBTYPE_ID, DETAILS, CALTYPE_ID, FREQUENCY, MAX_ELAPSE, "
        "CRIB_ID, ISO_NUMBER, VENDOR1_ID, VENDOR1_NUMBER, VENDOR1_COST, VENDOR3_ID, VENDOR3_NUMBER, "
        "VENDOR3_COST, VENDOR3_MIN_ORDER_QTY, MIN_REORDER_QTY, MIN_ORDER_QTY, MAX_QTY",
        {{1, "GN-1", "Dial 6in", 1, "cal yearly", 1,    365, 30, 2, "G-ISO",
          7, "G-1",  99.5,       5, "G-3",        80.0, 2,   1,  2, 4},
         {2,    "GN-2", null, 4,    null, null, null, null, null, null,
          null, null,   null, null, null, null, null, null, null, null},
         {3,    "GN-3", null, 3,    null, 2,    30,   null, 2,    null,
          null, null,   null, null, null, null, null, null, null, null},
         {4,    "GN-4", null, 2,    null, 4,    null, 5,    null, null,
          null, null,   null, null, null, null, null, null, null, null},
         {5,    "GN-5", null, 2,    null, 3,    null, null, null, null,
          null, null,   null, null, null, null, null, null, null, null}});

    plant.Insert("T_TRNK_TOOL_TYPE", "TOOL_TYPE_ID, TOOL_TYPE, DETAILS",
                 {{1, "Holder", "shank"}, {2, "Boring bar", null}, {3, "Lonely", null}});
    plant.Insert("T_TRNK_TOOL_SUBTYPE", "TOOL_SUBTYPE_ID, TOOL_SUBTYPE_NAME, TOOL_TYPE_ID, DETAILS",
                 {{1, "CAT40", 1, "taper"},
                  {2, "HSK63", 1, null},
                  {3, "Small", 2, "under 1in"},
                  {4, "Large", 2, null}});
    plant.Insert("T_TRNK_TOOL_NO",
                 "TOOL_NO_ID, TOOL_NO, TOOL_NAME, TOOL_SUBTYPE_ID, TOOL_DIAMETER, DETAILS, ORIENTATION, "
                 "REWORKTYPE_ID, FREQUENCY, MAX_ELAPSE, CRIB_ID, ISO_NUMBER, VENDOR2_ID, VENDOR2_NUMBER, "
                 "VENDOR2_COST, VENDOR2_MIN_ORDER_QTY, MIN_REORDER_QTY, MIN_ORDER_QTY, MAX_QTY, UNITS_ID",
                 {{1,    "TN-1", "Holder A", 1, 2.5, "keep oiled", 1, 175, 90, 10, 3, "T-ISO", 6, "H-2",
                   45.0, 3,      1,          2, 6,   3295},
                  {2,    "TN-2", null, 2,    null, null, null, 176,  null, null,
                   null, null,   null, null, null, null, null, null, null, 3296},
                  {3,    "TN-3", null, 3,    null, null, null, 177,  null, null,
                   null, null,   null, null, null, null, null, null, null, null},
                  {4,    "TN-4", null, 4,    null, null, null, 178,  null, null,
                   null, null,   null, null, null, null, null, null, null, 1},
                  {5,    "TN-5", null, 4,    null, null, null, null, null, null,
                   null, null,   null, null, null, null, null, null, null, null},
                  {6,    "TN-6", null, 4,    null, null, null, 174,  null, null,
                   null, null,   null, null, null, null, null, null, null, null}});

    plant.Insert("T_TRNK_INSERTTYPE", "INSERTTYPE_ID, INSERTTYPE_NUMBER, INSERTTYPE_NAME, DESCRIPTION",
                 {{1, "IT1", "Turning", "CNMG"}});
    plant.Insert(
        "T_TRNK_INSERT_NO",
        "INSERT_NO_ID, INSERT_NO_NUMBER, INSERT_NO_NAME, INSERTTYPE_ID, MATERIAL_ID, IC, CORNER_RADIUS, "
        "THICKNESS, ANGLE, TOLERANCE, NOTES, ISO_NUMBER, VENDOR1_ID, VENDOR1_NUMBER, VENDOR1_COST, "
        "VENDOR1_MIN_ORDER_QTY, MIN_REORDER_QTY, MIN_ORDER_QTY, MAX_QTY, AVAILABLE_QTY, ON_ORDER_QTY, "
        "LOST_QTY, INACTIVE_QTY, DISPOSABLE, CHECKED_OUT_QTY, CRIB_ID, UNITS_ID, SHAPE_ID",
        {{1,    "IN-1", "CNMG 432", 1,  2,   0.5, 0.03, 0.19, 80.0, "M",  "coated", "I-ISO", 5,    "S-1",
          6.75, 10,     20,         10, 100, 40,  0,    1,    2,    null, 3,        3,       3296, 3421},
         {2,    "IN-2", null, 1,    null, null, null, null, null, null, null, null, null, null,
          null, null,   null, null, null, null, null, null, null, "no", null, null, null, 3427},
         {3,    "IN-3", null, 1,    null, null, null, null, null, null,  null, null, null, null,
          null, null,   null, null, null, null, null, null, null, "Yes", null, null, null, 3428}});

    plant.Insert("T_TRNK_KITTYPE", "KITTYPE_ID, KITTYPE_NAME, NOTES",
                 {{1, "Fixture", "jigs"}, {2, "Setup", null}});
    plant.Insert("T_TRNK_KIT_NO",
                 "KIT_NO_ID, KIT_NO, KIT_NAME, KITTYPE_ID, ISO_NUMBER, CRIB_ID, KEEP_ASSEMBLED, NOTES",
                 {{1, "KN-1", "Lathe kit", 1, "K-ISO", 3, "YES", "drawer 4"},
                  {2, "KN-2", null, 2, null, null, null, null}});
    plant.Insert("T_TRNK_KIT_NO_COMPONENT",
                 "KIT_NO_COMPONENT_ID, KIT_NO_ID, TABLE_ID, TARGET_ID, QTY, ORDINAL",
                 {{1, 1, 52, 2, 1, 5},
                  {2, 1, 120, 1, 10, 6},
                  {3, 2, 156, 3, 2, 1},
                  {4, 1, 156, 1, 4, 7},
                  {5, 1, 169, 1, 1, 8}});

    const auto dimensions = [&](const std::string& table, const std::string& name,
                                const std::string& parent) {
        const std::string key = table.substr(std::string("T_TRNK_").size()) + "_ID";
        plant.Insert(table,
                     key + ", " + name + ", UNITS, PRECISION, TARGET_DIM, UPPER_TOL, LOWER_TOL, " + parent +
                         ", DIM_TYPE_ID, DETAILS, ORDINAL, IS_REQUIRED",
                     {{1, "Length", "mm", 3, 10.0, 0.01, -0.01, 2, 25, "L", 20, "YES"},
                      {2, "Width", "IN", 4, 1.5, 0.001, 0.0, 1, 26, null, 7, "NO"},
                      {3, "Torque", "Ft-Lb", 1, 30.0, 1.0, 1.0, 2, 27, null, 10, null},
                      {4, "Flow", "INCH", null, null, null, null, 1, 25, null, 9, "no"},
                      {5, "Free", null, null, null, null, null, 1, 26, null, 12, "x"}});
    };
    dimensions("T_TRNK_GAUGE_REF_DIM", "GAUGE_REF_DIM_NAME", "GAUGE_NO_ID");
    dimensions("T_TRNK_GAUGE_CAL_DIM", "GAUGE_CAL_DIM_NAME", "GAUGE_NO_ID");
    dimensions("T_TRNK_TOOL_CAL_DIM", "TOOL_CAL_DIM_NAME", "TOOL_NO_ID");

    plant.Insert("T_TRNK_GAU_PARTREF", "GAU_PARTREF_ID, GAUGE_NO_ID, PART_ID", {{1, 1, 2}, {2, 3, 1}});
    plant.Insert("T_TRNK_TOOL_MATERIALREF", "TOOL_MATERIALREF_ID, TOOL_NO_ID, MATERIAL_ID", {{1, 2, 1}});
    plant.Insert("T_TRNK_TOOL_PARTREF", "TOOL_PARTREF_ID, TOOL_NO_ID, PART_ID", {{1, 1, 1}, {2, 6, 2}});
    plant.Insert("T_TRNK_CUTTER_MATERIALREF", "CUTTER_MATERIALREF_ID, CUTTER_NO_ID, MATERIAL_ID",
                 {{1, 3, 2}});
    plant.Insert("T_TRNK_CUTTER_PARTREF", "CUTTER_PARTREF_ID, CUTTER_NO_ID, PART_ID", {{1, 2, 2}});
    plant.Insert("T_TRNK_INSERT_MATERIALREF", "INSERT_MATERIALREF_ID, INSERT_NO_ID, MATERIAL_ID",
                 {{1, 1, 1}});
    plant.Insert("T_TRNK_INSERT_PARTREF", "INSERT_PARTREF_ID, INSERT_NO_ID, PART_ID", {{1, 3, 1}});
    plant.Insert("T_TRNK_CUTTER_CRIB",
                 "CUTTER_CRIB_ID, CUTTER_NO_ID, CRIB_ID, TARGET_QTY, AVAILABLE_QTY, INACTIVE_QTY",
                 {{1, 1, 3, 10, 8, 1}, {2, 2, 2, null, null, null}});
    plant.Insert("T_TRNK_INSERT_CRIB",
                 "INSERT_CRIB_ID, INSERT_NO_ID, CRIB_ID, TARGET_QTY, AVAILABLE_QTY, INACTIVE_QTY",
                 {{1, 1, 3, 50, null, 5}});

    const std::string orders =
        "PO_NUMBER, VENDOR_ID, ORDERED_DATE, EXPECTED_DATE, RECEIVED_DATE, ORDERED_BY_ID, STATUS_ID, COST, "
        "NOTES";
    plant.Insert("T_TRNK_GAUGE_PO", "GAUGE_PO_ID, " + orders,
                 {{1, "PO-G1", 7, d1, d2, d3, 1, 84, 250.0, "received"},
                  {2, "PO-G2", 5, d1, d2, null, 2, 82, 10.0, null}});
    plant.Insert(
        "T_TRNK_TOOL_PO", "TOOL_PO_ID, " + orders,
        {{1, "PO-T1", 6, d2, d3, null, 3, 83, 75.5, null}, {2, "PO-T2", 6, d2, d3, null, 1, 81, 5.0, "odd"}});
    plant.Insert("T_TRNK_GAUGES_PER_PO",
                 "GAUGES_PER_PO_ID, GAUGE_PO_ID, GAUGE_NO_ID, QTY, RETURN_QTY, COST, VENDOR_NUMBER",
                 {{1, 1, 1, 2, 0, 199.0, "G-1"}, {2, 2, 4, 1, null, null, null}});
    plant.Insert("T_TRNK_TOOLS_PER_PO", "TOOLS_PER_PO_ID, TOOL_PO_ID, TOOL_NO_ID, QTY, COST, VENDOR_NUMBER",
                 {{1, 1, 1, 3, 45.0, "H-2"}});
    plant.Insert("T_TRNK_CUTTERS_PER_PO",
                 "CUTTERS_PER_PO_ID, TOOL_PO_ID, CUTTER_NO_ID, QTY, COST, VENDOR_NUMBER",
                 {{1, 2, 2, 12, 1.5, "B-2"}});
    plant.Insert("T_TRNK_INSERTS_PER_PO",
                 "INSERTS_PER_PO_ID, TOOL_PO_ID, INSERT_NO_ID, QTY, COST, VENDOR_NUMBER",
                 {{1, 1, 1, 100, 6.75, "S-1"}});

    // Serialised assets.
    plant.Insert(
        "T_TRNK_GAUGES",
        "GAUGE_ID, GAUGE_NO_ID, SERIAL_NO, STATUS_ID, CRIB_ID, MACHINE_ID, USER_ID, ISSUE_DATE, "
        "LAST_CAL_DATE, TOTAL_DAYS_USED, CAL_DAYS_USED, NEXT_CAL_DATE, CAL_ISSUE_DATE, DETAILS, "
        "ORIGINAL_ISSUE_DATE, OLD_STATUS_ID, ORIGINAL_CAL_DATE, CONDITIONAL_DATE, CONDITIONAL_FREQUENCY, "
        "GAUGE_PO_ID",
        {{1, 1, "G00017", 14, 2, 1, 2, d1, d2, 40, 12, d3, d1, "bench 2", d1, 1, d2, d3, 7, 1},
         {2,    1,    "X1", 17,   null, null, null, null, null, null,
          null, null, null, null, null, 47,   null, null, null, null},
         {3,    4,    "GA", 46,   null, null, null, null, null, null,
          null, null, null, null, null, null, null, null, null, 2}});
    plant.Insert("T_TRNK_CALHIST", "CALHIST_ID, GAUGE_ID, CAL_DATE, INSP_ID, PASS_FAIL, IS_INITIAL",
                 {{1, 1, d1, 3, 1, 1}, {2, 3, d2, null, 0, 0}});
    plant.Insert(
        "T_TRNK_CAL_SET",
        "CAL_SET_ID, CALHIST_ID, DIM_NAME, UNITS, PRECISION, TARGET_DIM, UPPER_TOL, LOWER_TOL, DETAILS, "
        "ORDINAL, IS_REQUIRED",
        {{1, 2, "Bore", "psi", 2, 5.0, 0.1, 0.1, "s1", 3, "YES"},
         {2, 1, "Jaw", "pass/fail", null, null, null, null, null, 8, "NO"},
         {3, 1, "Depth", "HZ", null, null, null, null, null, 4, null}});
    plant.Insert(
        "T_TRNK_CALIBRATE",
        "CALIBRATE_ID, GAUGE_ID, GAUGE_CAL_DIM_ID, CALHIST_ID, CAL_DATE, INSP_ID, ACTUAL_DIM, PASS_FAIL, "
        "DETAILS",
        {{1, 1, 3, 1, d1, 3, 4.99, 1, "ok"}, {2, 3, 1, 2, d2, 1, 5.2, 0, null}});
    const std::string irr =
        "IRR_ID, IRR_NO, STATUS_ID, INITIAL_DATE, MODIFIED_DATE, CLOSE_DATE, LAST_ACTION_ID, TOTAL_ERRORS, "
        "APPROVE_ID, DEPT_ID, LOCATION_ID, GROUP_ID, MACHINE_ID, ";
    plant.Insert(
        "T_TRNK_IRR", irr + "GAUGE_ID, CALHIST_ID, REWORK_TABLE_ID, REWORK_BY_ID, REWORK_EXPECTED_DATE",
        {{1, "IRR-1", 48, d1, d2, null, 151, 2, 1, 1, 1, 1, 2, 1, 1, 95, 7, d3},
         {2, "IRR-2", 51, d1, d2, d3, 190, 0, null, null, null, null, null, 3, 2, 94, 2, null},
         {3, "IRR-3", 60, d1, null, null, null, 1, null, null, null, null, null, 3, 2, null, null, null},
         {4, "IRR-4", 49, d1, null, null, 40, 1, null, null, null, null, null, 1, 1, 12, 2, null}});

    plant.Insert(
        "T_TRNK_TOOLS",
        "TOOL_ID, TOOL_NO_ID, SERIAL_NO, STATUS_ID, CRIB_ID, MACHINE_ID, USER_ID, ISSUE_DATE, "
        "LAST_REWORK_DATE, TOTAL_DAYS_USED, REWORK_DAYS_USED, NEXT_REWORK_DATE, REWORK_ISSUE_DATE, DETAILS, "
        "ORIGINAL_ISSUE_DATE, OLD_STATUS_ID, ORIGINAL_REWORK_DATE, CONDITIONAL_DATE, "
        "CONDITIONAL_FREQUENCY, TOOL_PO_ID",
        {{1, 1, "T1001", 78, 3, 3, 1, d1, d2, 15, 5, d3, d2, "sharp", d1, 52, d1, d2, 3, 1},
         {2,    2,    "T2", 54,   null, null, null, null, null, null,
          null, null, null, null, null, null, null, null, null, null},
         {3,    4,    "T3", 80,   null, null, null, null, null, null,
          null, null, null, null, null, 32,   null, null, null, null}});
    plant.Insert("T_TRNK_REWORKHIST", "REWORKHIST_ID, TOOL_ID, REWORK_DATE, INSP_ID, PASS_FAIL, IS_INITIAL",
                 {{1, 1, d1, 2, 1, 0}, {2, 3, d3, 1, 0, 1}});
    plant.Insert(
        "T_TRNK_TOOL_CAL_SET",
        "TOOL_CAL_SET_ID, REWORKHIST_ID, DIM_NAME, UNITS, PRECISION, TARGET_DIM, UPPER_TOL, LOWER_TOL, "
        "DETAILS, ORDINAL, IS_REQUIRED",
        {{1, 1, "Edge", "degrees", 1, 45.0, 0.5, 0.5, null, 2, "NO"},
         {2, 2, "Tip", "Radians", null, null, null, null, "t", 1, "YES"},
         {3, 1, "Face", "OHM", null, null, null, null, null, 1, null}});
    plant.Insert("T_TRNK_REWORK",
                 "REWORK_ID, TOOL_ID, TOOL_REWORK_DIM_ID, REWORKHIST_ID, REWORK_DATE, INSP_ID, ACTUAL_DIM, "
                 "PASS_FAIL, DETAILS",
                 {{1, 1, 3, 1, d1, 2, 44.9, 1, "ok"}, {2, 3, 2, 2, d3, 3, 0.2, 0, null}});
    plant.Insert("T_TRNK_TOOL_IRR",
                 irr + "TOOL_ID, REWORKHIST_ID, REPAIR_TABLE_ID, REPAIR_BY_ID, REPAIR_EXPECTED_DATE",
                 {{1, "TIRR-1", 50, d2, null, null, 151, 1, 2, 2, 5, 2, 3, 1, 1, 94, 3, d3},
                  {2, "TIRR-2", 48, d2, null, null, 46, 0, null, null, null, null, null, 3, 2, 95, 6, null}});

    plant.Insert(
        "T_TRNK_KIT",
        "KIT_ID, KIT_NO_ID, SERIAL_NO, USER_ID, MACHINE_ID, STATUS_ID, CRIB_ID, KEEP_ASSEMBLED, NOTES",
        {{1, 1, "K0042", 3, 4, 77, 3, "no", "assembled"},
         {2, 2, "KB", null, null, 84, null, null, null},
         {3, 1, "K9", null, null, null, null, "Yes", null}});
    plant.Insert("T_TRNK_KIT_COMPONENT", "KIT_COMPONENT_ID, KIT_ID, TABLE_ID, TARGET_ID, QTY, ORDINAL",
                 {{1, 1, 169, 3, 1, 4}, {2, 2, 120, 1, 6, 2}, {3, 1, 156, 2, 2, 9}, {4, 1, 52, 1, 1, 1}});

    // Travelers: 1 -> 2 -> 3 is a chain whose family is traveler 1; 4 names a predecessor that was
    // never transferred (an id with no row) and 0 for none.
    // Legacy chains hold 0 for "none" and ids of rows long gone, written before their keys were
    // enforced; the keys are dropped to plant them.
    for (const char* key : {"FK_TRAV_PREVREV", "FK_TRAV_NEXTREV", "FK_TRAV_FAM"})
        plant.Database().Run({std::string("ALTER TABLE T_TRNK_TRAVELER DROP CONSTRAINT ") + key});
    plant.Insert(
        "T_TRNK_TRAVELER",
        "TRAVELER_ID, TRAVELER_NAME, TRAVELER_NUMBER, PREV_REV_ID, NEXT_REV_ID, STATUS_ID, DETAIL, PART_ID, "
        "PARTSF, FAMILY_ID, REV, USER_REV, ALT_NUM, TRAV_TYPE",
        {{1, "Shaft route", "TR-1", 0, 2, 22, "first", 1, "YES", 1, "3", "A", 0, 0},
         {2, "Shaft route", "TR-1", 1, 3, 21, null, 1, null, 1, "2.5", "B", 2, 5},
         {3, "Shaft route", "TR-1", 2, null, 23, null, 1, "NO", 1, "1.10", "C", null, 6},
         {4, "Gear route", "TR-2", 99, 0, 27, null, 2, "yes", 4, "7", null, 1, 2}});
    plant.Insert("T_TRNK_CUST_TRAV", "CUST_TRAV_ID, CUSTOMER_ID, TRAVELER_ID, ORDINAL",
                 {{1, 2, 2, 5}, {2, 1, 2, 3}, {3, 1, 4, 1}});
    plant.Insert(
        "T_TRNK_OPSPERTRAV",
        "OPSPERTRAV_ID, OPSPERTRAV_NUMBER, OPS_ID, TRAVELER_ID, SETUP_TIME, CYCLE_TIME, PLAN_PER_HR, "
        "OPS_PER_DAY, NUM_OF_OPERATORS, TEARDOWN_TIME, ORDINAL, SETUP_DESC, WORK_DESC, GENERIC_SF",
        {{1, "10", 1, 2, 0.5, 2.25, 20, 100, 1, 0.25, 30, "clamp", "turn od", "YES"},
         {2, "20", 2, 2, null, null, null, null, null, null, 10, null, null, null},
         {3, "30", 1, 4, null, null, null, null, null, null, 20, null, null, "yes"},
         {4, "40", 2, 2, null, null, null, null, null, null, 20, null, null, "NO"}});
    plant.Insert("T_TRNK_FPS", "FPS_ID, PERSONNEL_ID, OPSPERTRAV_ID, SIGNOFF_DATE, DESCRIPTION",
                 {{1, 1, 1, d1, "old text"}, {2, 2, 3, d2, null}});

    const auto perOperation = [&](const std::string& table, const std::string& columns,
                                  std::vector<std::vector<Value>> rows) {
        plant.Insert(table, columns, rows);
    };
    perOperation(
        "T_TRNK_CUTTERPEROP",
        "CUTTERPEROP_ID, CUTTER_NO_ID, OPS_ID, QUANTITY, CYCLES_PER_CUTTER, CUTTERPEROP_ORDINAL, GENERIC_SF, "
        "DESCRIPTION",
        {{1, 1, 1, 2, 500, 4, "YES", "rough"},
         {2, 2, 1, 1, null, 2, null, null},
         {3, 3, 3, 1, 10, 1, "No", null}});
    perOperation("T_TRNK_GAUGEPEROP",
                 "GAUGEPEROP_ID, OPS_ID, GAUGE_ID, GAUGEPEROP_ORDINAL, GENERIC_SF, DESCRIPTION",
                 {{1, 1, 3, 1, "NO", "check"}});
    perOperation(
        "T_TRNK_INSERTPEROP",
        "INSERTPEROP_ID, INSERT_NO_ID, OPS_ID, QUANTITY, CYCLES_PER_INSERT, INSERTPEROP_ORDINAL, GENERIC_SF, "
        "DESCRIPTION",
        {{1, 1, 2, 4, 250, 1, null, null}});
    perOperation("T_TRNK_INSPEROP",
                 "INSPEROP_ID, OPS_ID, INSPECTION_ID, INSPEROP_ORDINAL, GENERIC_SF, DESCRIPTION",
                 {{1, 3, 2, 5, "YES", "first piece"}, {2, 3, 1, 6, "YES", null}});
    perOperation("T_TRNK_KITPEROP",
                 "KITPEROP_ID, KIT_NO_ID, OPS_ID, KITPEROP_ORDINAL, GENERIC_SF, DESCRIPTION",
                 {{1, 2, 4, 3, null, null}});
    perOperation("T_TRNK_MACHINEPEROP",
                 "MACHINEPEROP_ID, OPS_ID, MACHINE_ID, MACHINE_ORDINAL, CYCLE_TIME, GENERIC_SF, DESCRIPTION, "
                 "OP_PROG_NUMBER",
                 {{1, 1, 2, 1, 3.5, "YES", null, "O1234"}, {2, 1, 1, 2, null, "NO", "backup", null}});
    perOperation("T_TRNK_MATERIALPEROP",
                 "MATERIALPEROP_ID, OPS_ID, MATERIAL_ID, MATERIALPEROP_ORDINAL, GENERIC_SF, DESCRIPTION",
                 {{1, 2, 1, 9, null, "bar"}});
    perOperation("T_TRNK_PARTPEROP",
                 "PARTPEROP_ID, OPS_ID, PART_ID, PARTPEROP_ORDINAL, GENERIC_SF, DESCRIPTION",
                 {{1, 4, 2, 2, "YES", null}});
    perOperation(
        "T_TRNK_TOOLPEROP",
        "TOOLPEROP_ID, OPS_ID, TOOL_ID, TOOL_POSITION, TOOL_OFFSET, TOOLPEROP_ORDINAL, GENERIC_SF, "
        "DESCRIPTION, NUM_CYCLES",
        {{1, 1, 1, "T01", "H01", 3, null, "face", 100}, {2, 1, 4, null, null, 1, "YES", null, null}});

    plant.Insert("T_TRNK_PARTTYPE_REF_DIM",
                 "PARTTYPE_REF_DIM_ID, PARTTYPE_ID, REF_DIM_NAME, REF_DIM_ORDINAL, NOTES",
                 {{1, 1, "Length", 1, "overall"}, {2, 2, "Teeth", 1, null}});
    plant.Insert("T_TRNK_PART_REF_DIM", "PART_REF_DIM_ID, PARTTYPE_REF_DIM_ID, PART_ID, REF_DIM_VALUE",
                 {{1, 1, 1, "120 mm"}, {2, 2, 2, null}});
}

inline const std::vector<ExpectedRows>& CribPlantExpectations() {
    static const std::vector<ExpectedRows> expectations = {
        {"CutterTypes", "select * from T_SFC_CUTTER_TYPE", {"1|End mill|flat", "2|Drill|NULL"}},
        {"CutterNumbersWithShapesFlutesAndYesNoTexts",
         "select * from T_SFC_CUTTER_NO",
         {"1|CN-1|Mill 1/2|1|ISO-1|1|0|0|0.5|1.25|90|0.01|0.4|0.1|NULL|0.5|3|4|0|1|10|5|50|0|7|4|3|2|1|2|n1",
          "2|CN-2|NULL|2|NULL|NULL|1|16|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|2|0|NULL|NULL|NULL|"
          "0|NULL|NULL|NULL|NULL|NULL|1|NULL",
          "3|CN-3|NULL|1|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|0|NULL|"
          "NULL|NULL|1|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}},
        {"VendorSlotsNoneSomeAndAll",
         "select * from T_SFC_VENDOR_INFO",
         {"1|14|1|1|A-1|2.5|10|1", "2|14|1|2|B-1|3|20|2", "3|14|1|3|C-1|4.25|30|3", "4|14|2|2|B-2|1.5|NULL|2",
          "5|29|1|3|G-1|99.5|NULL|1", "6|29|1|1|G-3|80|2|3", "7|88|1|2|H-2|45|3|2",
          "8|40|1|1|S-1|6.75|10|1"}},
        {"GageTypesOnePerSubtypeWithJoinedNotes",
         "select * from T_SFC_GAGE_TYPE",
         {"1|Caliper Dial|hand; 0.001", "2|Caliper Digital|hand", "3|Micrometer Outside|0-1 in",
          "4|Micrometer Inside|NULL"}},
        {"GageTypeDimensionsFromTheLabelText",
         "select * from T_SFC_GAGE_TYPE_REF_DIM",
         {"1|1|Jaw|1", "2|1|Depth|2", "3|1||3", "4|4|Bore|1"}},
        {"GageNumbersWithCalibrationTypes",
         "select * from T_SFC_GAGE_NO",
         {"1|GN-1|Dial 6in|1|G-ISO|2|1|4|1|0|365|30|cal yearly",
          "2|GN-2|NULL|4|NULL|NULL|NULL|NULL|NULL|0|0|0|NULL",
          "3|GN-3|NULL|3|NULL|NULL|NULL|NULL|1|2|30|0|NULL",
          "4|GN-4|NULL|2|NULL|NULL|NULL|NULL|NULL|1|0|5|NULL",
          "5|GN-5|NULL|2|NULL|NULL|NULL|NULL|NULL|NULL|0|0|NULL"}},
        {"ToolTypesOnePerSubtype",
         "select * from T_SFC_TOOL_TYPE",
         {"1|Holder CAT40|shank; taper", "2|Holder HSK63|shank", "3|Boring bar Small|under 1in",
          "4|Boring bar Large|NULL"}},
        {"ToolNumbersWithReworkTypes",
         "select * from T_SFC_TOOL_NO",
         {"1|TN-1|Holder A|1|T-ISO|2|1|6|2.5|0|1|2|0|90|10|1|keep oiled",
          "2|TN-2|NULL|2|NULL|NULL|NULL|NULL|NULL|1|NULL|NULL|2|0|0|1|NULL",
          "3|TN-3|NULL|3|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1|0|0|1|NULL",
          "4|TN-4|NULL|4|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|3|0|0|0|NULL",
          "5|TN-5|NULL|4|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|3|0|0|0|NULL",
          "6|TN-6|NULL|4|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|0|0|NULL|NULL"}},
        {"InsertTypes", "select * from T_SFC_INSERT_TYPE", {"1|Turning|CNMG"}},
        {"InsertNumbersDisposableUnlessStated",
         "select * from T_SFC_INSERT_NO",
         {"1|IN-1|CNMG 432|1|I-ISO|2|0.5|0.19|M|80|0.03|1|0|10|20|100|1|40|3|2|1|0|2|coated",
          "2|IN-2|NULL|1|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|6|NULL|NULL|NULL|0|NULL|NULL|NULL|NULL|NULL|"
          "NULL|NULL",
          "3|IN-3|NULL|1|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1|NULL|NULL|NULL|NULL|"
          "NULL|NULL|NULL"}},
        {"KitTypes", "select * from T_SFC_KIT_TYPE", {"1|Fixture|jigs", "2|Setup|NULL"}},
        {"KitNumbers",
         "select * from T_SFC_KIT_NO",
         {"1|KN-1|Lathe kit|1|K-ISO|2|NULL|NULL|NULL|NULL|NULL|NULL|1|drawer 4",
          "2|KN-2|NULL|2|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|0|NULL"}},
        {"KitNumberComponentsRenumberedEachTimeTheKitChanges",
         "select * from T_SFC_KIT_NO_COMPONENT",
         {"1|1|88|2|1|1", "2|1|40|1|10|2", "3|2|14|3|2|1", "4|1|14|1|4|1", "5|1|NULL|NULL|1|2"}},
        {"ReferenceDimensionsWithUnitsByText",
         "select * from T_SFC_GAGE_NO_REF_DIM",
         {"1|1|Width|0|4|1.5|0.001|0|1|NULL", "2|1|Flow|NULL|NULL|NULL|NULL|NULL|2|NULL",
          "3|1|Free|NULL|NULL|NULL|NULL|NULL|3|NULL", "4|2|Torque|3|1|30|1|1|1|NULL",
          "5|2|Length|1|3|10|0.01|-0.01|2|L"}},
        {"CalibrationDimensionsWithTypesAndRequiredFlags",
         "select * from T_SFC_GAGE_NO_CAL_DIM",
         {"1|1|Width|0|4|1.5|0.001|0|1|0|1|NULL", "2|1|Flow|NULL|NULL|NULL|NULL|NULL|0|1|2|NULL",
          "3|1|Free|NULL|NULL|NULL|NULL|NULL|1|1|3|NULL", "4|2|Torque|3|1|30|1|1|NULL|0|1|NULL",
          "5|2|Length|1|3|10|0.01|-0.01|0|1|2|L"}},
        {"ReworkDimensions",
         "select * from T_SFC_TOOL_NO_REWORK_DIM",
         {"1|1|Width|0|4|1.5|0.001|0|1|0|1|NULL", "2|1|Flow|NULL|NULL|NULL|NULL|NULL|0|1|2|NULL",
          "3|1|Free|NULL|NULL|NULL|NULL|NULL|1|1|3|NULL", "4|2|Torque|3|1|30|1|1|NULL|0|1|NULL",
          "5|2|Length|1|3|10|0.01|-0.01|0|1|2|L"}},
        {"GageNumberPartReferences", "select * from T_SFC_GAGE_NO_PART_REF", {"1|1|2", "2|3|1"}},
        {"ToolNumberMaterialReferences", "select * from T_SFC_TOOL_NO_MATERIAL_REF", {"1|2|1"}},
        {"ToolNumberPartReferences", "select * from T_SFC_TOOL_NO_PART_REF", {"1|1|1", "2|6|2"}},
        {"CutterNumberMaterialReferences", "select * from T_SFC_CUTTER_NO_MATERIAL_REF", {"1|3|2"}},
        {"CutterNumberPartReferences", "select * from T_SFC_CUTTER_NO_PART_REF", {"1|2|2"}},
        {"InsertNumberMaterialReferences", "select * from T_SFC_INSERT_NO_MATERIAL_REF", {"1|1|1"}},
        {"InsertNumberPartReferences", "select * from T_SFC_INSERT_NO_PART_REF", {"1|3|1"}},
        {"CutterStockWithZeroForNull", "select * from T_SFC_CUTTER_NO_CRIB", {"1|1|2|10|8|1", "2|2|1|0|0|0"}},
        {"InsertStock", "select * from T_SFC_INSERT_NO_CRIB", {"1|1|2|50|0|5"}},
        {"PurchaseOrdersGageFirst",
         "select * from T_SFC_PO",
         {"1|PO-G1|3|1|2|2022-01-02 03:04:05|2022-02-03 04:05:06|2022-03-04 05:06:07|250|received",
          "2|PO-G2|1|2|0|2022-01-02 03:04:05|2022-02-03 04:05:06|NULL|10|NULL",
          "3|PO-T1|2|3|1|2022-02-03 04:05:06|2022-03-04 05:06:07|NULL|75.5|NULL",
          "4|PO-T2|2|1|NULL|2022-02-03 04:05:06|2022-03-04 05:06:07|NULL|5|odd"}},
        {"GageOrderLines", "select * from T_SFC_GAGE_NO_PER_PO", {"1|1|1|2|199|G-1", "2|2|4|1|NULL|NULL"}},
        {"ToolOrderLines", "select * from T_SFC_TOOL_NO_PER_PO", {"1|3|1|3|45|H-2"}},
        {"CutterOrderLines", "select * from T_SFC_CUTTER_NO_PER_PO", {"1|4|2|12|1.5|B-2"}},
        {"InsertOrderLines", "select * from T_SFC_INSERT_NO_PER_PO", {"1|3|1|100|6.75|S-1"}},
        {"GagesWithShortenedSerialsAndStatusCodes",
         "select * from T_SFC_GAGE",
         {"1|1|00017|2|1|1|2|1|2022-01-02 03:04:05|12|40|2022-01-02 03:04:05|2022-01-02 03:04:05|2022-02-03 "
          "04:05:06|2022-03-04 05:06:07|1|2022-02-03 04:05:06|2022-03-04 05:06:07|7|bench 2",
          "2|1|1|NULL|NULL|NULL|NULL|NULL|NULL|0|0|NULL|NULL|NULL|NULL|16|NULL|NULL|NULL|NULL",
          "3|4|A|12|NULL|NULL|NULL|2|NULL|0|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}},
        {"CalibrationHistories",
         "select * from T_SFC_CAL_HIST",
         {"1|1|2022-01-02 03:04:05|3|1|1", "2|3|2022-02-03 04:05:06|NULL|0|0"}},
        {"CalibrationSetsRenumberedPerHistory",
         "select * from T_SFC_CAL_SET",
         {"1|1|Depth|9|NULL|NULL|NULL|NULL|0|1|NULL", "2|1|Jaw|19|NULL|NULL|NULL|NULL|0|2|NULL",
          "3|2|Bore|6|2|5|0.1|0.1|1|1|s1"}},
        {"Calibrations",
         "select * from T_SFC_CALIBRATE",
         {"1|1|1|1|2022-01-02 03:04:05|3|4.99|1|ok", "2|3|3|2|2022-02-03 04:05:06|1|5.2|0|NULL"}},
        {"GageIrrsWithActionsAndRepairers",
         "select * from T_SFC_GAGE_IRR",
         {"1|IRR-1|1|1|1|1|1|2|1|0|35|2|2022-01-02 03:04:05|2022-02-03 04:05:06|NULL|1|3|2022-03-04 05:06:07",
          "2|IRR-2|3|2|NULL|NULL|NULL|NULL|NULL|1|NULL|0|2022-01-02 03:04:05|2022-02-03 04:05:06|2022-03-04 "
          "05:06:07|0|2|NULL",
          "3|IRR-3|3|2|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1|2022-01-02 03:04:05|NULL|NULL|NULL|NULL|NULL",
          "4|IRR-4|1|1|NULL|NULL|NULL|NULL|NULL|2|13|1|2022-01-02 03:04:05|NULL|NULL|NULL|NULL|NULL"}},
        {"ToolsWithShortenedSerialsAndStatusCodes",
         "select * from T_SFC_TOOL",
         {"1|1|1001|17|2|3|1|3|2022-02-03 04:05:06|5|15|2022-01-02 03:04:05|2022-01-02 03:04:05|2022-02-03 "
          "04:05:06|2022-03-04 05:06:07|1|2022-01-02 03:04:05|2022-02-03 04:05:06|3|sharp",
          "2|2|2|NULL|NULL|NULL|NULL|NULL|NULL|0|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL",
          "3|4|3|19|NULL|NULL|NULL|NULL|NULL|0|0|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL|NULL"}},
        {"ReworkHistories",
         "select * from T_SFC_REWORK_HIST",
         {"1|1|2022-01-02 03:04:05|2|1|0", "2|3|2022-03-04 05:06:07|1|0|1"}},
        {"ReworkSetsRenumberedPerHistory",
         "select * from T_SFC_REWORK_SET",
         {"1|1|Face|14|NULL|NULL|NULL|NULL|0|1|NULL", "2|1|Edge|17|1|45|0.5|0.5|0|2|NULL",
          "3|2|Tip|18|NULL|NULL|NULL|NULL|1|1|t"}},
        {"Reworks",
         "select * from T_SFC_REWORK",
         {"1|1|1|1|2022-01-02 03:04:05|2|44.9|1|ok", "2|3|3|2|2022-03-04 05:06:07|3|0.2|0|NULL"}},
        {"ToolIrrsWithTheToolColumnOfActions",
         "select * from T_SFC_TOOL_IRR",
         {"1|TIRR-1|1|1|2|2|2|3|2|3|37|1|2022-02-03 04:05:06|NULL|NULL|0|3|2022-03-04 05:06:07",
          "2|TIRR-2|3|2|NULL|NULL|NULL|NULL|NULL|0|NULL|0|2022-02-03 04:05:06|NULL|NULL|1|2|NULL"}},
        {"Kits",
         "select * from T_SFC_KIT",
         {"1|1|0042|3|4|1|2|0|assembled", "2|2|B|NULL|NULL|NULL|NULL|0|NULL",
          "3|1|9|NULL|NULL|NULL|NULL|1|NULL"}},
        {"KitComponentsOfTable169AreTools",
         "select * from T_SFC_KIT_COMPONENT",
         {"1|1|86|3|1|1", "2|2|40|1|6|1", "3|1|14|2|2|1", "4|1|NULL|NULL|1|2"}},
        {"TravelersWithRevisionChains",
         "select * from T_SFC_TRAVELER",
         {"1|TR-1|Shaft route|3|A|0|4|1|0|1|NULL|2|1|first", "2|TR-1|Shaft route|5|B|5|2|1|2|1|1|3|1|NULL",
          "3|TR-1|Shaft route|10|C|NULL|1|1|NULL|1|2|NULL|0|NULL",
          "4|TR-2|Gear route|7|NULL|2|NULL|4|1|2|NULL|NULL|NULL|NULL"}},
        {"TravelerCustomersRenumbered",
         "select * from T_SFC_CUSTOMER_PER_TRAV",
         {"1|2|1|1", "2|2|2|2", "3|4|1|1"}},
        {"TravelerOperationsRenumbered",
         "select * from T_SFC_OP_PER_TRAV",
         {"1|2|2|20|NULL|NULL|NULL|NULL|NULL|NULL|1|1|NULL|NULL",
          "2|2|2|40|NULL|NULL|NULL|NULL|NULL|NULL|0|2|NULL|NULL",
          "3|2|1|10|0.5|0.25|2.25|1|100|20|1|3|turn od|clamp",
          "4|4|1|30|NULL|NULL|NULL|NULL|NULL|NULL|NULL|1|NULL|NULL"}},
        {"FirstArticleSignoffTexts",
         "select * from T_SFC_FAS",
         {"1|3|1|2022-01-02 03:04:05|E1 - Ann Smith performed a First Article Signoff on Operation OP10 - "
          "Turn of Traveler TR-1 - Shaft route rev B Alternate 2",
          "2|4|2|2022-02-03 04:05:06|E2 -  Jones performed a First Article Signoff on Operation OP10 - Turn "
          "of Traveler TR-2 - Gear route rev  Alternate 1"}},
        {"CuttersPerOperation",
         "select * from T_SFC_CUTTER_NO_PER_OP",
         {"1|3|2|1|NULL|1|1|NULL", "2|3|1|2|500|1|2|rough", "3|4|3|1|10|NULL|1|NULL"}},
        {"GageNumbersPerOperation", "select * from T_SFC_GAGE_NO_PER_OP", {"1|3|3|0|1|check"}},
        {"InsertsPerOperation", "select * from T_SFC_INSERT_NO_PER_OP", {"1|1|1|4|250|1|1|NULL"}},
        {"InspectionsPerOperation",
         "select * from T_SFC_INSPECTION_PER_OP",
         {"1|4|2|1|1|first piece", "2|4|1|1|2|NULL"}},
        {"KitNumbersPerOperation", "select * from T_SFC_KIT_NO_PER_OP", {"1|2|2|1|1|NULL"}},
        {"MachinesPerOperation",
         "select * from T_SFC_MACHINE_PER_OP",
         {"1|3|2|3.5|O1234|1|1|NULL", "2|3|1|NULL|NULL|0|2|backup"}},
        {"MaterialsPerOperation", "select * from T_SFC_MATERIAL_PER_OP", {"1|1|1|1|1|bar"}},
        {"PartsPerOperation", "select * from T_SFC_PART_PER_OP", {"1|2|2|1|1|NULL"}},
        {"ToolNumbersPerOperation",
         "select * from T_SFC_TOOL_NO_PER_OP",
         {"1|3|4|NULL|NULL|NULL|1|1|NULL", "2|3|1|100|T01|H01|1|2|face"}},
        {"PartTypeReferenceDimensions",
         "select * from T_SFC_PART_TYPE_REF_DIM",
         {"1|1|Length|overall", "2|2|Teeth|NULL"}},
        {"PartReferenceDimensions", "select * from T_SFC_PART_REF_DIM", {"1|1|1|120 mm", "2|2|2|NULL"}},
        {"GageTypeKeysWrittenToTheSubtypes",
         "select GAUGE_SUBTYPE_ID, SFC_ID from T_TRNK_GAUGE_SUBTYPE",
         {"1|1", "2|2", "3|3", "4|4"}},
        {"ToolTypeKeysWrittenToTheSubtypes",
         "select TOOL_SUBTYPE_ID, SFC_ID from T_TRNK_TOOL_SUBTYPE",
         {"1|1", "2|2", "3|3", "4|4"}},
        {"LegacyToolTypesKeepNoKey",
         "select TOOL_TYPE_ID, SFC_ID from T_TRNK_TOOL_TYPE",
         {"1|NULL", "2|NULL", "3|NULL"}},
        {"TravelerKeys", "select TRAVELER_ID, SFC_ID from T_TRNK_TRAVELER", {"1|1", "2|2", "3|3", "4|4"}},
        {"KitNumberComponentKeys",
         "select KIT_NO_COMPONENT_ID, SFC_ID from T_TRNK_KIT_NO_COMPONENT",
         {"1|1", "2|2", "3|3", "4|4", "5|5"}},
        {"TravelerOperationKeys",
         "select OPSPERTRAV_ID, SFC_ID from T_TRNK_OPSPERTRAV",
         {"1|3", "2|1", "3|4", "4|2"}},
    };
    return expectations;
}

}  // namespace tmigration::testing
