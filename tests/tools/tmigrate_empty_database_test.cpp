// An empty database migrated through the command line in each dialect: the five modules are created
// with their reference rows first, then the new schema is built and the transfers carry the
// installed rows over; no legacy table is left but the product types' placeholder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "RunCommand.h"
#include "TempDatabase.h"

namespace tmigration::testing {
namespace {

using ::testing::ContainsRegex;
using ::testing::HasSubstr;

class TmigrateEmptyDatabase : public ::testing::TestWithParam<const char*> {};

TEST_P(TmigrateEmptyDatabase, CreatesEveryModuleThenMigrates) {
    TempDatabase db;
    const std::string dialect = GetParam();
    const CommandResult r = RunCommand(Tmigrate() + " migrate " + dialect + " '" + db.ConnectionString() +
                                       "' --progress plain --counts 2>&1");
    ASSERT_EQ(r.exitCode, 0) << r.out;
    const char* inOrder[] = {"Updating Old Common Tables...",
                             "Filling Old Gage Crib Security Objects...",
                             "Creating Old MDC Tables...",
                             "Filling Old MDC Options...",
                             "Creating Old Machine Data Buffers...",
                             "Filling Old Tool Crib Security Objects...",
                             "Filling Old Traveler Security Objects...",
                             "Creating New Data Tables...",
                             "Migrating Shift Summaries...",
                             "Updating Machines...",
                             "Deleting Old Data Tables..."};
    std::size_t at = 0;
    for (const char* text : inOrder) {
        const std::size_t found = r.out.find(text, at);
        ASSERT_NE(found, std::string::npos) << text << " after offset " << at << "\n" << r.out;
        at = found;
    }
    // The installed reference rows travel; there is no machine data to carry.
    EXPECT_THAT(r.out, ContainsRegex("\n 27  MigrateDowntimeCodes +11 +11\n"));
    EXPECT_THAT(r.out, ContainsRegex("\n 30  MigrateCommands +13 +13\n"));
    EXPECT_THAT(r.out, ContainsRegex("\n 83  MigrateShiftSummaries +0 +0\n"));
    EXPECT_THAT(r.out, ContainsRegex("\n 89  UpdateMachines +0 +0\n"));

    const CommandResult tables = RunCommand(
        "printf '%s\\n' \"select COUNT(*) AS N from sqlite_master where type = 'table' and name like "
        "'T/_SFC/_%' escape '/'\" \"select name from sqlite_master where type = 'table' and name like "
        "'T/_TRNK/_%' escape '/'\" | " +
        Tmigrate() + " sql " + dialect + " '" + db.ConnectionString() + "' 2>&1");
    EXPECT_EQ(tables.out, "N\n99\nname\nT_TRNK_PTYPE\n");
}

INSTANTIATE_TEST_SUITE_P(Dialects, TmigrateEmptyDatabase, ::testing::Values("access", "sql", "oracle"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace tmigration::testing
