// A sample plant's legacy rows carried by every built transfer, in each dialect, with the legacy
// tables still there to compare against: each query counts legacy rows that should have moved and did
// not, or new rows that break what the transfers promise. None may be found.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <map>

#include "SharedDatabase.h"
#include "core/SharedProgressWindow.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "sample/SamplePlant.h"
#include "schema/CreateNewTables.h"
#include "transfer/MigrateData.h"
#include "transfer/PrepareOldTables.h"

namespace tmigration::transfer {
namespace {

struct Broken {
    const char* what;
    std::string countQuery;
};

// Legacy actions that translate whatever the target (53 and the traveler-only ones aside).
const std::string kTranslatedActions =
    "(7, 8, 10, 13, 75, 233, 144, 146, 39, 181, 134, 36, 41, 42, 28, 29, 34, 104, 23, 57, 62, 64)";

const std::vector<Broken> kNeverAfterTheTransfers = {
    {"history of an existing part with a translated action left behind",
     "select COUNT(*) from T_TRNK_HISTORY h, T_TRNK_PART p where h.SUBTYPE_ID = 5 and p.PART_ID = "
     "h.TARGET_ID "
     "and h.ACTION_ID in " +
         kTranslatedActions + " and h.SFC_ID is null"},
    {"history of an existing machine with a translated action left behind",
     "select COUNT(*) from T_TRNK_HISTORY h, T_TRNK_MACHINES m where h.SUBTYPE_ID = 79 and m.MACHINE_ID = "
     "h.TARGET_ID and h.ACTION_ID in " +
         kTranslatedActions + " and h.SFC_ID is null"},
    {"deletions of parts that are gone left behind",
     "select COUNT(*) from T_TRNK_HISTORY h where h.ACTION_ID = 104 and h.SUBTYPE_ID = 5 and h.SFC_ID is "
     "null"},
    {"history of the action never carried over carried",
     "select COUNT(*) from T_TRNK_HISTORY where ACTION_ID = 65 and SFC_ID is not null"},
    {"history of a table without a new one carried",
     "select COUNT(*) from T_TRNK_HISTORY where SUBTYPE_ID = 4 and SFC_ID is not null"},
    {"new history not pointing at its legacy row's new target",
     "select COUNT(*) from T_TRNK_HISTORY h, T_SFC_HISTORY n, T_TRNK_PART p where n.HISTORY_ID = h.SFC_ID "
     "and "
     "h.SUBTYPE_ID = 5 and p.PART_ID = h.TARGET_ID and (n.TABLE_CODE <> 72 or n.TARGET_ID <> p.SFC_ID)"},
    {"new history without a target other than deletions",
     "select COUNT(*) from T_SFC_HISTORY where TARGET_ID is null and ACTION_CODE <> 16"},
    {"history rows written twice or lost",
     "select (select COUNT(*) from T_SFC_HISTORY) - (select COUNT(*) from T_TRNK_HISTORY where SFC_ID is not "
     "null) from T_SFC_DB_ITEM where DB_ITEM_CODE = 1"},
    {"maintenance history left behind",
     "select COUNT(*) from T_TRNK_MAINTENANCE_HISTORY where SFC_ID is null"},
    {"attached files left behind", "select COUNT(*) from T_TRNK_MEDIASRC where SFC_ID is null"},
    {"attachments of an existing part left behind",
     "select COUNT(*) from T_TRNK_MEDIADEST d, T_TRNK_PART p where d.TABLE_ID = 5 and p.PART_ID = "
     "d.TARGET_ID "
     "and d.SFC_ID is null"},
    {"attachments of a record that is gone carried",
     "select COUNT(*) from T_TRNK_MEDIADEST d where d.TABLE_ID = 5 and d.SFC_ID is not null and not exists "
     "(select 1 from T_TRNK_PART p where p.PART_ID = d.TARGET_ID)"},
    {"attachments not on their file's new row",
     "select COUNT(*) from T_TRNK_MEDIADEST d, T_SFC_ATTACHMENT_DEST n, T_TRNK_MEDIASRC s where "
     "n.ATTACHMENT_DEST_ID "
     "= d.SFC_ID and s.MEDIASRC_ID = d.MEDIASRC_ID and n.ATTACHMENT_SRC_ID <> s.SFC_ID"},
    {"format strings of done numberings left behind",
     "select COUNT(*) from T_TRNK_AUTO_INC where IS_DONE is not null and SFC_ID is null"},
    {"options not carried",
     "select COUNT(*) from T_TRNK_OPTIONS o, T_SFC_OPTION n where n.OPTION_CODE = o.OPTION_VALUE and "
     "n.BOOL_VAL "
     "<> o.BOOL_VAL"},
    {"security objects written", "select COUNT(*) - 740 from T_SFC_OBJECT"},
    {"item 2 other than the SID after the crib administrators'",
     "select COUNT(*) from T_SFC_DB_ITEM i, T_SFC_USERGROUP g where i.DB_ITEM_CODE = 2 and "
     "g.USERGROUP_TYPE_CODE = 3 and i.DB_ITEM_VALUE <> g.SID + 1"},
    {"item 2 not the first SID unused",
     "select COUNT(*) from T_SFC_DB_ITEM i, T_TRNK_SID s where i.DB_ITEM_CODE = 2 and i.DB_ITEM_VALUE <> "
     "s.NEXT_SID - 1"},
    {"a user's or group's right on an object with a new object left behind",
     "select COUNT(*) from T_TRNK_ACL a, T_TRNK_OBJECT o where a.OBJECT_ID = o.OBJECT_ID and o.SFC_ID is not "
     "null and a.SID > 4 and not exists (select 1 from T_SFC_ACL n where n.OBJECT_ID = o.SFC_ID and n.SID = "
     "a.SID)"},
    {"the Travelers administrators' rights on other products left behind",
     "select COUNT(*) from T_TRNK_ACL a, T_TRNK_OBJECT o where a.OBJECT_ID = o.OBJECT_ID and a.SID = 1 and "
     "a.OBJECT_ID > 232 and not exists (select 1 from T_SFC_ACL n, T_SFC_USERGROUP g where "
     "g.USERGROUP_TYPE_CODE "
     "= 2 and n.SID = g.SID and n.OBJECT_ID = o.SFC_ID)"},
    {"an administrator group without every object of its product",
     "select COUNT(*) from T_SFC_OBJECT o, T_SFC_USERGROUP g where g.USERGROUP_TYPE_CODE = (case o.APP_CODE "
     "when 1 then 2 when 2 then 1 else 3 end) and not exists (select 1 from T_SFC_ACL n where n.OBJECT_ID = "
     "o.OBJECT_ID and n.SID = g.SID and n.PERMISSION_CODE = 1)"},
};

class SlowSamplePlantTransfers : public testing::SharedStateTest,
                                 public ::testing::WithParamInterface<db::Dialect> {};

TEST_P(SlowSamplePlantTransfers, CarryEveryRowTheyShouldAndNothingElse) {
    testing::SharedDatabase database;
    database.OpenShared(GetParam());
    sample::WriteSamplePlant(core::gConnection(), 1, 7);
    std::map<std::string, std::pair<std::int64_t, std::int64_t>> counts;
    SetTransferObserver([&](const TransferEntry& entry, const TransferCounts& c) {
        counts[std::string(entry.name)] = {c.read, c.written};
    });
    std::string strError;
    const bool ok = PrepareOldTables(GetParam(), strError) && schema::CreateNewTables(GetParam(), strError) &&
                    MigrateData(strError, GetParam(), mdc::ShiftSummaryTransfers());
    SetTransferObserver({});
    ASSERT_TRUE(ok) << strError;
    // The checks are read straight from the file: they use statements the component never sends.
    sqlite3* file = nullptr;
    ASSERT_EQ(sqlite3_open_v2(database.Path().c_str(), &file, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    const auto scalar = [&](const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(file, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            return std::string("error: ") + sqlite3_errmsg(file);
        std::string value = sqlite3_step(statement) == SQLITE_ROW
                                ? reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))
                                : "no row";
        sqlite3_finalize(statement);
        return value;
    };
    for (const Broken& broken : kNeverAfterTheTransfers)
        EXPECT_EQ(scalar(broken.countQuery), "0") << broken.what;

    // What each transfer reports matches the rows on both sides.
    const auto count = [&](const std::string& sql) {
        return static_cast<std::int64_t>(std::stoll(scalar(sql)));
    };
    EXPECT_EQ(counts["MigrateHistory"],
              std::make_pair(count("select COUNT(*) from T_TRNK_HISTORY where ACTION_ID <> 65"),
                             count("select COUNT(*) from T_SFC_HISTORY")));
    EXPECT_EQ(counts["MigrateMaintenanceHistory"].second,
              count("select COUNT(*) from T_SFC_MAINTENANCE_HISTORY"));
    EXPECT_EQ(counts["MigrateAttachmentsPerComponents"].second,
              count("select COUNT(*) from T_SFC_ATTACHMENT_DEST"));
    // Every attachment is read once, those of tool and gage types again for each of their subtypes.
    EXPECT_GE(counts["MigrateAttachmentsPerComponents"].first,
              count("select COUNT(*) from T_TRNK_MEDIADEST"));
    EXPECT_EQ(counts["MigrateTravelersSecurityObjects"].second,
              count("select COUNT(*) from T_TRNK_OBJECT where PTYPE_ID = 40 and SFC_ID is not null"));
    EXPECT_EQ(counts["MigratePermissions"].first, count("select COUNT(*) from T_TRNK_ACL where SID > 4"));
    EXPECT_GT(counts["MigrateHistory"].second, 1000);
    EXPECT_GT(counts["MigratePermissions"].second, 50);
    sqlite3_close(file);
}

INSTANTIATE_TEST_SUITE_P(Dialects, SlowSamplePlantTransfers,
                         ::testing::Values(db::Dialect::Access, db::Dialect::Oracle, db::Dialect::SqlServer),
                         [](const auto& info) {
                             return info.param == db::Dialect::Access   ? std::string("Access")
                                    : info.param == db::Dialect::Oracle ? std::string("Oracle")
                                                                        : std::string("SQL");
                         });

}  // namespace
}  // namespace tmigration::transfer
