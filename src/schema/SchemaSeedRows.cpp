#include "schema/SchemaSeedRows.h"

#include <string_view>

namespace tmigration::schema {

namespace {

constexpr std::string_view kDbItemInsert = "INSERT INTO T_SFC_DB_ITEM (DB_ITEM_CODE, DB_ITEM_VALUE)";
constexpr std::string_view kObjectInsert =
    "INSERT INTO T_SFC_OBJECT (OBJECT_CODE, APP_CODE, CATEGORY, RES_ID)";
constexpr std::string_view kApiFunctionInsert =
    "INSERT INTO T_SFC_API_FUNCTION (FUNCTION_CODE, FUNCTION_VERSION)";
constexpr std::string_view kCommandInsert =
    "INSERT INTO T_SFC_COMMAND (COMMAND_NUMBER, COMMAND_NAME, COMMAND_TYPE_CODE)";
constexpr std::string_view kUserGroupInsert =
    "INSERT INTO T_SFC_USERGROUP (USERGROUP_NAME, SID, USERGROUP_TYPE_CODE)";
constexpr std::string_view kScrapCodeInsert =
    "INSERT INTO T_SFC_SCRAP_CODE (SCRAP_CODE_NUMBER, SCRAP_CODE_NAME, SCRAP_CODE_TYPE_CODE)";
constexpr std::string_view kOptionInsert =
    "INSERT INTO T_SFC_OPTION (OPTION_CODE, APP_CODE, OPTION_TYPE_CODE, BOOL_VAL)";

// The seed rows were always written as the column clause, a blank, then " VALUES (": the
// doubled blank is part of every seed text.
std::string InsertRow(std::string_view insertHead, std::string_view values) {
    return std::string(insertHead) + " " + " VALUES (" + std::string(values) + ")";
}

// Security objects: within an application the codes run on without gaps across categories,
// and each resource id is the code plus the application's offset.
struct ObjectApplication {
    int appCode;
    int resourceOffset;
};
constexpr ObjectApplication kObjectApplications[] = {{1, 5391}, {2, 4958}, {3, 5636}};

struct ObjectCategory {
    int appCode;
    int category;
    int firstCode;
    int lastCode;
};
constexpr ObjectCategory kObjectCategories[] = {
    {1, 1, 1, 28},    {1, 2, 29, 71},   {1, 3, 72, 99},   {1, 4, 100, 128}, {1, 5, 129, 141},
    {1, 6, 142, 173}, {1, 7, 174, 209}, {1, 8, 210, 213}, {1, 9, 214, 232},  //
    {2, 1, 1, 31},    {2, 2, 32, 53},   {2, 3, 54, 71},   {2, 4, 72, 88},   {2, 5, 89, 107},
    {2, 6, 108, 143}, {2, 7, 144, 158}, {2, 8, 159, 169},  //
    {3, 1, 1, 28},    {3, 2, 29, 82},   {3, 3, 83, 109},  {3, 4, 110, 157}, {3, 5, 158, 181},
    {3, 6, 182, 218}, {3, 7, 219, 309}, {3, 8, 310, 326}, {3, 9, 327, 339},
};

constexpr int kApiFunctionCount = 344;
constexpr int kApiFunctionVersion = 2;

int ResourceOffset(int appCode) {
    for (const ObjectApplication& app : kObjectApplications) {
        if (app.appCode == appCode) return app.resourceOffset;
    }
    return 0;
}

// A fixed row is an insert into one table; a row without values is a complete statement.
struct FixedRow {
    std::string_view head;
    std::string_view values;
    std::string_view oracleValues = {};  // only where Oracle's text differs
};

const std::vector<FixedRow>& FixedRows() {
    static const std::vector<FixedRow> rows = {
        {kCommandInsert, "'100','Send To CNC',1"},
        {kCommandInsert, "'110','Receive From CNC',2"},
        {kCommandInsert, "'120','Remote Start',3"},
        {kCommandInsert, "'200','Logon Time',4"},
        {kCommandInsert, "'210','Job Time',5"},
        {kCommandInsert, "'230','Part Time',6"},
        {kCommandInsert, "'240','Operation Time',7"},
        {kCommandInsert, "'250','Setup Time',8"},
        {kCommandInsert, "'260','Cycle Time',9"},
        {kCommandInsert, "'270','Teardown Time',10"},
        {kCommandInsert, "'280','Machine Downtime',11"},
        {kCommandInsert, "'290','User Downtime',12"},
        {kCommandInsert, "'300','Good Part Count',13"},
        {kCommandInsert, "'310','Scrapped Part Count',14"},
        {kUserGroupInsert, "'MDC Administrators',1,1"},
        {kUserGroupInsert, "'Travelers Administrators',2,2"},
        {kUserGroupInsert, "'Tracker Administrators',3,3"},
        {kScrapCodeInsert, "100,'Not Specified',1", "100, 'Not Specified',1"},
        {kOptionInsert, "1,2,0,0"},
        {kOptionInsert, "2,2,0,0"},
        {kDbItemInsert, "2,4"},
        {"UPDATE T_SFC_COMMAND SET TARNWICK_ID = 14", ""},
        {kDbItemInsert, "3,1"},
    };
    return rows;
}

}  // namespace

std::string ItemOneSeedRow(int ownStatementNumber) {
    return InsertRow(kDbItemInsert, "1," + std::to_string(ownStatementNumber));
}

std::vector<std::string> SecurityObjectSeedRows() {
    std::vector<std::string> rows;
    for (const ObjectCategory& c : kObjectCategories) {
        for (int code = c.firstCode; code <= c.lastCode; ++code) {
            rows.push_back(InsertRow(kObjectInsert, std::to_string(code) + "," + std::to_string(c.appCode) +
                                                        "," + std::to_string(c.category) + "," +
                                                        std::to_string(code + ResourceOffset(c.appCode))));
        }
    }
    return rows;
}

std::vector<std::string> ApiFunctionSeedRows() {
    std::vector<std::string> rows;
    for (int code = 1; code <= kApiFunctionCount; ++code) {
        rows.push_back(
            InsertRow(kApiFunctionInsert, std::to_string(code) + "," + std::to_string(kApiFunctionVersion)));
    }
    return rows;
}

std::vector<std::string> FixedSeedRows(db::Dialect dialect) {
    std::vector<std::string> rows;
    for (const FixedRow& row : FixedRows()) {
        if (row.values.empty()) {
            rows.emplace_back(row.head);
            continue;
        }
        const bool oracleText = dialect == db::Dialect::Oracle && !row.oracleValues.empty();
        rows.push_back(InsertRow(row.head, oracleText ? row.oracleValues : row.values));
    }
    return rows;
}

}  // namespace tmigration::schema
