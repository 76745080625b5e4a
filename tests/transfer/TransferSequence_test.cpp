// The sequence table: its order and overall percentages, the tables it names, and which transfers
// are built.
#include "transfer/TransferSequence.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "core/Step.h"
#include "legacy/catalog/LegacyModule.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "mdc/ShiftSummaryTransfers.h"
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
TEST(TransferSequence, BuiltTransfersAreEveryTransferOfThisLayer) {
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
                                                  "MigrateCutterTypes",
                                                  "MigrateCutterNumbers",
                                                  "MigrateGageTypes",
                                                  "MigrateGageNumbers",
                                                  "MigrateToolTypes",
                                                  "MigrateToolNumbers",
                                                  "MigrateInsertTypes",
                                                  "MigrateInsertNumbers",
                                                  "MigrateKitTypes",
                                                  "MigrateKitNumbers",
                                                  "MigrateKitNumberComponents",
                                                  "MigrateGageNumberReferenceDimensions",
                                                  "MigrateGageNumberCalibrationDimensions",
                                                  "MigrateToolNumberReworkDimensions",
                                                  "MigrateGageNumberPartReferences",
                                                  "MigrateToolNumberMaterialReferences",
                                                  "MigrateToolNumberPartReferences",
                                                  "MigrateCutterNumberMaterialReferences",
                                                  "MigrateCutterNumberPartReferences",
                                                  "MigrateInsertNumberMaterialReferences",
                                                  "MigrateInsertNumberPartReferences",
                                                  "MigrateCutterNumbersPerCribLocation",
                                                  "MigrateInsertNumbersPerCribLocation",
                                                  "MigrateGagePurchaseOrders",
                                                  "MigrateToolPurchaseOrders",
                                                  "MigrateGageNumbersPerPurchaseOrders",
                                                  "MigrateToolNumbersPerPurchaseOrders",
                                                  "MigrateCutterNumbersPerPurchaseOrders",
                                                  "MigrateInsertNumbersPerPurchaseOrders",
                                                  "MigrateGages",
                                                  "MigrateGageCalibrationHistories",
                                                  "MigrateGageCalibrationSets",
                                                  "MigrateGageCalibrations",
                                                  "MigrateGageIRRs",
                                                  "MigrateTools",
                                                  "MigrateToolReworkHistories",
                                                  "MigrateToolReworkSets",
                                                  "MigrateToolReworks",
                                                  "MigrateToolIRRs",
                                                  "MigrateKits",
                                                  "MigrateKitComponents",
                                                  "MigrateTravelers",
                                                  "MigrateTravelerCustomers",
                                                  "MigrateTravelerOperations",
                                                  "MigrateFirstArticleSignoffs",
                                                  "MigrateCutterNumbersPerTravelerOperations",
                                                  "MigrateGageNumbersPerTravelerOperations",
                                                  "MigrateInsertNumbersPerTravelerOperations",
                                                  "MigrateInspectionsPerTravelerOperations",
                                                  "MigrateKitNumbersPerTravelerOperations",
                                                  "MigrateMachinesPerTravelerOperations",
                                                  "MigrateMaterialsPerTravelerOperations",
                                                  "MigratePartsPerTravelerOperations",
                                                  "MigrateToolNumbersPerTravelerOperations",
                                                  "MigratePartTypeReferenceDimensions",
                                                  "MigratePartReferenceDimensions",

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
    // One more transfer handed in from outside counts as built.
    const auto unbuilt = UnbuiltTransfers();
    ASSERT_FALSE(unbuilt.empty());
    const BuiltTransfer later{unbuilt.front(), [](core::Step&, db::Dialect) { return TransferCounts{}; }};
    EXPECT_EQ(UnbuiltTransfers({later}).size(), 107u - built.size() - 1);
}

// The machine-data transfers come from the layer above and fill steps 83 to 89, in sequence order.
TEST(TransferSequence, MachineDataTransfersAreStepsEightyThreeToEightyNine) {
    std::vector<int> numbers;
    for (const BuiltTransfer& transfer : mdc::ShiftSummaryTransfers()) {
        const TransferEntry* entry = FindTransfer(transfer.name);
        ASSERT_NE(entry, nullptr) << transfer.name;
        numbers.push_back(entry->number);
    }
    EXPECT_THAT(numbers, ElementsAreArray({83, 84, 85, 86, 87, 88, 89}));
    const auto unbuilt = UnbuiltTransfers(mdc::ShiftSummaryTransfers());
    EXPECT_EQ(unbuilt.size(), UnbuiltTransfers().size() - 7);
    for (std::string_view name : unbuilt)
        EXPECT_FALSE(FindTransfer(name)->number >= 83 && FindTransfer(name)->number <= 89) << name;
}

// With the machine-data transfers of the layer above, every row of the sequence has its transfer,
// and a row without one stops the migration instead of passing over its rows.
TEST(TransferSequence, EveryRowHasATransferBehindIt) {
    const auto coverage = SequenceCoverage(mdc::ShiftSummaryTransfers());
    ASSERT_EQ(coverage.size(), 107u);
    for (std::size_t i = 0; i < coverage.size(); ++i) {
        EXPECT_EQ(coverage[i].entry, &TransferSequence()[i]);
        EXPECT_TRUE(coverage[i].built) << coverage[i].entry->number << " " << coverage[i].entry->name;
    }
    EXPECT_TRUE(UnbuiltTransfers(mdc::ShiftSummaryTransfers()).empty());
}

}  // namespace
}  // namespace tmigration::transfer
