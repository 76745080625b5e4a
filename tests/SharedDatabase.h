// Test fixture: a fresh embedded database opened as the thread's shared connection in a chosen
// dialect, with every statement the component sends recorded in `sent`.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "LegacyDatabaseCache.h"
#include "TempDir.h"
#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "core/SharedProgressWindow.h"
#include "db/Connection.h"
#include "db/Recordset.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/ModuleSetups.h"
#include "legacy/catalog/LegacyCreateAll.h"
#include "legacy/seeds/ReferenceFillers.h"

namespace tmigration::testing {

class SharedDatabase {
  public:
    explicit SharedDatabase(const std::string& fileName = "plant.mdb") : path_(dir_.File(fileName)) {
        db::embedded::CreateEmbeddedDatabase(path_);
    }

    const std::string& Path() const { return path_; }
    const TempDir& Dir() const { return dir_; }
    std::string ConnectionString() const {
        return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path_ + ";";
    }

    // Fills the shared slot with a connection to the file, open, recording what is sent.
    db::Connection& OpenShared(db::Dialect dialect) {
        auto connection = std::make_shared<db::Connection>();
        connection->SetDialect(dialect);
        connection->Open(ConnectionString());
        Record(*connection);
        core::gConnectionSlot() = connection;
        return *connection;
    }

    void Record(db::Connection& connection) {
        connection.SetStatementObserver([this](const std::string& sql) { sent.push_back(sql); });
    }

    // Runs set-up statements on the shared connection without recording them.
    void Run(const std::vector<std::string>& statements) {
        db::Connection& c = core::gConnection();
        const auto before = sent.size();
        for (const auto& sql : statements) {
            if (Concatenates(sql)) {
                db::Connection other;
                other.SetDialect(db::Dialect::Oracle);
                other.Open(ConnectionString());
                other.Execute(sql);
                other.Close();
            } else {
                c.Execute(sql);
            }
        }
        sent.resize(before);
    }

    // Set-up and checks may join texts with "||", which only the Oracle dialect has: such a text
    // runs on a connection of its own in that dialect, whatever the dialect under test.
    static bool Concatenates(const std::string& sql) { return sql.find("||") != std::string::npos; }

    // Gives the file every module's legacy tables, as the legacy upgrade leaves them, without rows;
    // the shared connection, closed for the copy, is opened again on it.
    void CreateLegacySchema(db::Dialect dialect) {
        const std::string cached = CachedLegacyDatabase(dialect);
        db::Connection& c = core::gConnection();
        c.Close();
        std::filesystem::copy_file(cached, path_, std::filesystem::copy_options::overwrite_existing);
        c.Open(ConnectionString());
        // Every module at its last legacy version, as the upgrade leaves it.
        const auto before = sent.size();
        std::string strError;
        if (!legacy::FillCommonTable(strError)) throw std::runtime_error("version rows: " + strError);
        core::frmProgress().Unload();  // as the test found it
        sent.resize(before);
    }

    // Every module's legacy tables with the rows a fresh installation writes (reference rows, the
    // administrators and their rights, the security-id counter), made by the modules' own creators on
    // the empty file: a whole migration runs to its end on it.
    void CreateInstalledLegacyDatabase(db::Dialect dialect) {
        const auto before = sent.size();
        std::string strError;
        for (const legacy::ModuleSetup* setup :
             {&legacy::CommonSetup(), &legacy::GageSetup(), &legacy::MDCSetup(), &legacy::ToolSetup(),
              &legacy::TravelerSetup()})
            if (!legacy::SetupModuleDatabase(*setup, dialect, strError))
                throw std::runtime_error("installation: " + strError);
        core::frmProgress().Unload();  // as the test found it
        sent.resize(before);
    }

    // The first column of the first row of a query on a separate connection, as text ("NULL" for Null).
    std::string Scalar(const std::string& sql, db::Dialect dialect = db::Dialect::Access) const {
        db::Connection c;
        c.SetDialect(Concatenates(sql) ? db::Dialect::Oracle : dialect);
        c.Open(ConnectionString());
        db::Recordset rs;
        rs.SetActiveConnection(&c);
        rs.SetCursorLocation(db::adUseClient);
        rs.Open(sql);
        const std::string text = rs.Eof()                           ? "<no row>"
                                 : rs.Fields(0).GetValue().IsNull() ? "NULL"
                                                                    : rs.Fields(0).GetValue().AsText();
        rs.Close();
        c.Close();
        return text;
    }

    // The tables of the file in name order, without the engine's own bookkeeping (_tm_*, sqlite_*).
    std::vector<std::string> Tables() const {
        db::Connection c;
        c.Open(ConnectionString());
        db::Recordset rs;
        rs.SetActiveConnection(&c);
        rs.SetCursorLocation(db::adUseClient);
        rs.Open("select name from sqlite_master where type = 'table' order by name");
        std::vector<std::string> names;
        for (; !rs.Eof(); rs.MoveNext()) {
            const std::string name = rs.Get("name").AsText();
            if (!name.starts_with("_tm_") && !name.starts_with("sqlite_")) names.push_back(name);
        }
        rs.Close();
        c.Close();
        return names;
    }

    std::vector<std::string> sent;

  private:
    TempDir dir_;
    std::string path_;
};

// Leaves the thread's shared state as a test found it: no connection, no window loaded.
class SharedStateTest : public ::testing::Test {
  protected:
    void TearDown() override {
        core::gConnectionSlot().reset();
        core::frmProgress().Unload();
    }
};

}  // namespace tmigration::testing
