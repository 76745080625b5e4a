// The sequence table: its order and overall percentages, the tables it names, and which transfers
// are built.
#include "transfer/TransferSequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "core/Step.h"
#include "legacy/catalog/LegacyModule.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "schema/NewSchemaTables.h"
#include "transfer/MigrateData.h"

namespace tmigration::transfer {
namespace {

using ::testing::ElementsAreArray;
using ::testing::EndsWith;
using ::testing::UnorderedElementsAreArray;

TEST(TransferSequence, RunsTheTransfersInOrderWithTheOverallBarRisingByOneFromSevenToNinetySix) {
    const auto& sequence = TransferSequence();
    ASSERT_EQ(sequence.size(), 107u);
    std::vector<std::int16_t> overall;
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const TransferEntry& entry = sequence[i];
        EXPECT_EQ(entry.number, static_cast<int>(i) + 1);
        EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
        EXPECT_THAT(std::string(entry.label), EndsWith("...")) << entry.name;
        EXPECT_THAT(std::string(entry.errorPrefix), EndsWith(": ")) << entry.name;
        if (entry.overallAfter) overall.push_back(*entry.overallAfter);
    }
    std::vector<std::int16_t> rising;
    for (std::int16_t p = 7; p <= 96; ++p) rising.push_back(p);
    EXPECT_THAT(overall, ElementsAreArray(rising));
    EXPECT_EQ(FindTransfer("MigrateShifts")->overallAfter, 7);
    EXPECT_EQ(FindTransfer("MigrateEventRecords")->overallAfter, 24);
    EXPECT_EQ(FindTransfer("MigratePermissions")->overallAfter, 96);
    EXPECT_EQ(FindTransfer("MigrateShiftIntervals")->errorPrefix, "Migrating Intervals: ");
    EXPECT_EQ(FindTransfer("Nothing"), nullptr);
}

TEST(TransferSequence, NamesOnlyTablesTheLegacyCatalogsAndTheNewSchemaHave) {
    std::set<std::string> legacyTables;
    for (legacy::Module module : legacy::kAllModules)
        for (const auto& table : legacy::LegacyTables(module)) legacyTables.insert(table.name);
    for (const TransferEntry& entry : TransferSequence()) {
        for (std::string_view table : entry.LegacySources())
            EXPECT_TRUE(legacyTables.count(std::string(table))) << entry.name << ": " << table;
        ASSERT_FALSE(entry.NewDestinations().empty()) << entry.name;
        for (std::string_view table : entry.NewDestinations())
            EXPECT_NE(schema::FindNewSchemaTable(table), nullptr) << entry.name << ": " << table;
    }
    EXPECT_THAT(FindTransfer("MigrateLocations")->NewDestinations(),
                ElementsAreArray({"T_SFC_CRIB", "T_SFC_LOCATION"}));
    EXPECT_TRUE(FindTransfer("MigratePermissions")->LegacySources().size() == 2);
    EXPECT_TRUE(FindTransfer("MigrateMDCAdministratorPermissions")->LegacySources().empty());
}

// Transfers still to be built are passed over by MigrateData; this list shrinks as they come.
TEST(TransferSequence, BuiltTransfersAreTheOrganisationHistoryAndSecurityTransfers) {
    std::vector<std::string_view> built;
    for (const BuiltTransfer& transfer : BuiltTransfers()) {
        EXPECT_NE(FindTransfer(transfer.name), nullptr) << transfer.name;
        built.push_back(transfer.name);
    }
    EXPECT_THAT(built, UnorderedElementsAreArray({"MigrateShiftIntervals",
                                                  "MigrateShifts",
                                                  "MigrateJobTitles",
                                                  "MigrateCustomers",
                                                  "MigrateVendors",
                                                  "MigrateDepartments",
                                                  "MigrateLocations",
                                                  "MigrateGroups",
                                                  "MigrateMachines",
                                                  "MigrateUsers",
                                                  "MigrateMaterialTypes",
                                                  "MigrateMaterials",
                                                  "MigratePartTypes",
                                                  "MigrateParts",
                                                  "MigrateOperations",
                                                  "MigrateDowntimeCodes",
                                                  "MigrateReasonCodes",
                                                  "MigrateScrapCodes",
                                                  "MigrateCommands",
                                                  "MigrateInspections",
                                                  "MigrateJobs",
                                                  "MigratePartsPerJob",
                                                  "MigrateEventRecords",
                                                  "MigrateUserGroups",
                                                  "MigrateUsersPerUserGroups",
                                                  "MigrateMachineEvents",
                                                  "MigrateHistory",
                                                  "MigrateCutterAndInsertHistory",
                                                  "MigrateMaintenanceHistory",
                                                  "MigrateAttachments",
                                                  "MigrateAttachmentsPerComponents",
                                                  "MigrateFormatStrings",
                                                  "MigrateOptions",
                                                  "MigrateTravelersSecurityObjects",
                                                  "MigrateMDCSecurityObjects",
                                                  "MigrateToolAndGageCribSecurityObjects",
                                                  "MigrateSIDs",
                                                  "MigrateTravelersAdministratorPermissions",
                                                  "MigrateMDCAdministratorPermissions",
                                                  "MigrateTrackerAdministratorPermissions",
                                                  "FinalizeTravelersAdministratorPermissions",
                                                  "FinalizeMDCAdministratorPermissions",
                                                  "FinalizeTrackerAdministratorPermissions",
                                                  "MigratePermissions"}));
    EXPECT_EQ(UnbuiltTransfers().size(), 107u - built.size());
    const BuiltTransfer later{"MigrateCutterTypes",
                              [](core::Step&, db::Dialect) { return TransferCounts{}; }};
    EXPECT_EQ(UnbuiltTransfers({later}).size(), 107u - built.size() - 1);
}

// Which rows of the sequence have a transfer behind them. Rows 15 to 25, 37 to 39 and 41 to 82 (the
// tooling, asset and traveler transfers) and 83 to 89 (the shift summaries, built above this layer)
// are the only ones still allowed to be passed over; every other row is built here.
TEST(TransferSequence, EveryRowOutsideTheTransfersStillToComeHasATransferBehindIt) {
    const auto coverage = SequenceCoverage();
    ASSERT_EQ(coverage.size(), 107u);
    std::vector<std::string_view> unbuilt;
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        EXPECT_EQ(coverage[i].entry, &TransferSequence()[i]);
        const int n = coverage[i].entry->number;
        const bool stillToCome = (n >= 15 && n <= 25) || (n >= 37 && n <= 39) || (n >= 41 && n <= 89);
        if (!stillToCome) {
            EXPECT_TRUE(coverage[i].built) << n << " " << coverage[i].entry->name;
        }
        if (!coverage[i].built) unbuilt.push_back(coverage[i].entry->name);
    }
    EXPECT_THAT(unbuilt, ElementsAreArray(UnbuiltTransfers()));
    std::vector<BuiltTransfer> everyOther;
    for (std::string_view name : unbuilt)
        everyOther.push_back({name, [](core::Step&, db::Dialect) { return TransferCounts{}; }});
    for (const SequenceRow& row : SequenceCoverage(everyOther)) EXPECT_TRUE(row.built) << row.entry->name;
}

}  // namespace
}  // namespace tmigration::transfer
