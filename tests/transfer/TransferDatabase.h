// Test fixture for transfers: a database holding every module's legacy tables with their mapping
// column and the seeded new schema, in one dialect, open as the shared connection. Building that
// takes seconds, so each dialect's database is built once per test run and copied for each test.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "SharedDatabase.h"
#include "core/SharedProgressWindow.h"
#include "db/Value.h"
#include "schema/CreateNewTables.h"
#include "transfer/PrepareOldTables.h"

namespace tmigration::testing {

class TransferDatabase {
  public:
    // Copies the dialect's prepared database and opens it as the shared connection.
    explicit TransferDatabase(db::Dialect dialect) : dialect_(dialect) {
        std::filesystem::copy_file(Prepared(dialect), database_.Path(),
                                   std::filesystem::copy_options::overwrite_existing);
        database_.OpenShared(dialect);
    }

    SharedDatabase& Database() { return database_; }
    std::vector<std::string>& Sent() { return database_.sent; }
    db::Dialect Dialect() const { return dialect_; }

    // Appends rows through a row set, so that dates and numbers need no dialect's literals; the
    // statements are not recorded. `columns` is "A, B, C"; each row gives one value per column.
    void Insert(const std::string& table, const std::string& columns,
                const std::vector<std::vector<db::Value>>& rows) {
        const auto before = database_.sent.size();
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
    static std::string Prepared(db::Dialect dialect) {
        static TempDir dir;
        static std::map<db::Dialect, std::string> paths;
        if (auto it = paths.find(dialect); it != paths.end()) return it->second;
        const std::string path = dir.File("prepared-" + std::to_string(static_cast<int>(dialect)) + ".mdb");
        {
            SharedDatabase builder;
            builder.OpenShared(dialect);
            builder.CreateLegacySchema(dialect);
            std::string strError;
            if (!transfer::PrepareOldTables(dialect, strError) || !schema::CreateNewTables(dialect, strError))
                throw std::runtime_error("preparing the transfer database: " + strError);
            core::gConnection().Close();
            core::gConnectionSlot().reset();
            core::frmProgress().Unload();
            std::filesystem::copy_file(builder.Path(), path);
        }
        paths.emplace(dialect, path);
        return path;
    }

    db::Dialect dialect_;
    SharedDatabase database_;
};

}  // namespace tmigration::testing
