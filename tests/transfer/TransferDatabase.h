// Test fixture for transfers: a database holding every module's legacy tables with their mapping
// column and the seeded new schema, in one dialect, open as the shared connection. Building that
// takes seconds, so each dialect's database is built once per test run and copied for each test.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SharedDatabase.h"
#include "core/SharedProgressWindow.h"
#include "db/Value.h"
#include "legacy/catalog/LegacyModule.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "schema/CreateNewTables.h"
#include "transfer/MigrateData.h"
#include "transfer/PrepareOldTables.h"

namespace tmigration::testing {

// How far the copied database has gone: only the legacy tables, or ready for the transfers.
enum class Stage { LegacyTables, ReadyForTransfers };

class TransferDatabase {
  public:
    // Copies the dialect's database of that stage and opens it as the shared connection.
    explicit TransferDatabase(db::Dialect dialect, Stage stage = Stage::ReadyForTransfers)
        : dialect_(dialect) {
        std::filesystem::copy_file(Prepared(dialect, stage), database_.Path(),
                                   std::filesystem::copy_options::overwrite_existing);
        database_.OpenShared(dialect);
    }

    SharedDatabase& Database() { return database_; }
    std::vector<std::string>& Sent() { return database_.sent; }
    db::Dialect Dialect() const { return dialect_; }

    // Appends rows through a row set, so that dates and numbers need no dialect's literals; the
    // statements are not recorded. `columns` is "A, B, C"; each row gives one value per column.
    // On Oracle the table's key trigger is dropped first, so that the rows keep the keys given.
    void Insert(const std::string& table, const std::string& columns,
                const std::vector<std::vector<db::Value>>& rows) {
        const auto before = database_.sent.size();
        if (dialect_ == db::Dialect::Oracle) KeepGivenKeys(table);
        std::vector<std::string> names;
        for (std::size_t at = 0; at <= columns.size();) {
            const auto comma = columns.find(',', at);
            std::string name =
                columns.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
            name.erase(0, name.find_first_not_of(' '));
            names.push_back(name);
            at = comma == std::string::npos ? columns.size() + 1 : comma + 1;
        }
        core::RecordsetPtr rs = core::OpenServerRecordset("select * from " + table);
        for (const auto& row : rows) {
            if (row.size() != names.size()) throw std::invalid_argument("row width differs for " + table);
            rs->AddNew();
            for (std::size_t i = 0; i < names.size(); ++i) rs->Set(names[i], row[i]);
            rs->Update();
        }
        core::CloseRecordset(rs);
        database_.sent.resize(before);
    }

    // Every row of a query, each as its values joined by "|" (Null as "NULL"), read unrecorded.
    std::vector<std::string> Rows(const std::string& sql) {
        const auto before = database_.sent.size();
        core::RecordsetPtr rs = core::OpenClientRecordset(sql);
        std::vector<std::string> rows;
        for (; !rs->Eof(); rs->MoveNext()) {
            std::string row;
            for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                const db::Value& v = rs->Fields(i).GetValue();
                row += (i ? "|" : "") + (v.IsNull() ? std::string("NULL") : v.AsText());
            }
            rows.push_back(row);
        }
        core::CloseRecordset(rs);
        database_.sent.resize(before);
        return rows;
    }

  private:
    void KeepGivenKeys(const std::string& table) {
        for (legacy::Module module : legacy::kAllModules)
            for (const auto& legacyTable : legacy::LegacyTables(module)) {
                if (legacyTable.name != table) continue;
                std::string ignored;  // already dropped by an earlier insert
                core::ExecuteSQL("DROP TRIGGER " + legacyTable.triggerName, ignored);
            }
    }

    // The prepared database of a dialect and stage, built once per build of the test program.
    static std::string Prepared(db::Dialect dialect, Stage stage) {
        const std::string name = "transfer-" + std::to_string(static_cast<int>(dialect)) + "-" +
                                 std::to_string(static_cast<int>(stage));
        return CachedDatabaseFile(name, [&](const std::string& path) {
            SharedDatabase builder;
            builder.OpenShared(dialect);
            builder.CreateLegacySchema(dialect);
            std::string strError;
            if (stage == Stage::ReadyForTransfers && (!transfer::PrepareOldTables(dialect, strError) ||
                                                      !schema::CreateNewTables(dialect, strError)))
                throw std::runtime_error("preparing the transfer database: " + strError);
            core::gConnection().Close();
            core::gConnectionSlot().reset();
            core::frmProgress().Unload();
            std::filesystem::copy_file(builder.Path(), path,
                                       std::filesystem::copy_options::overwrite_existing);
        });
    }

    db::Dialect dialect_;
    SharedDatabase database_;
};

// Plants a fault, runs every transfer and checks where the migration stopped: the whole error text,
// or its prefix followed by the database's own message when `error` ends in ": "; the window hidden;
// the rows of `keptQuery` written before the fault kept; `nextDestination`, a later transfer's
// table, never written.
inline void ExpectTransfersStopAt(TransferDatabase& plant, const std::vector<std::string>& fault,
                                  const std::string& error, const std::string& keptQuery,
                                  const std::vector<std::string>& kept, const std::string& nextDestination) {
    plant.Database().Run(fault);
    core::frmProgress().Show();
    std::string strError;
    EXPECT_FALSE(transfer::MigrateData(strError, db::Dialect::Access, mdc::ShiftSummaryTransfers()));
    if (error.ends_with(": ")) {
        EXPECT_THAT(strError, ::testing::StartsWith(error));
        EXPECT_GT(strError.size(), error.size());
    } else {
        EXPECT_EQ(strError, error);
    }
    EXPECT_FALSE(core::frmProgress().Visible());
    EXPECT_THAT(plant.Rows(keptQuery), ::testing::ElementsAreArray(kept));
    EXPECT_THAT(plant.Rows("select * from " + nextDestination), ::testing::IsEmpty());
}

}  // namespace tmigration::testing
