// Test fixture: a fresh SQLite database file reached through the SQLite ODBC driver, the way a
// plant's server is reached through its own driver. The driver is looked up among the installed
// ones (the Debian package registers it as "SQLite3"); a missing driver fails the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "TempDir.h"
#include "db/Connection.h"
#include "db/engines/odbc/OdbcConnectionString.h"

namespace tmigration::testing {

class SqliteOdbcDatabase {
  public:
    SqliteOdbcDatabase() : path_(dir_.File("plant.db")) {}

    static bool DriverInstalled() {
        const auto drivers = db::odbc::InstalledDrivers();
        return std::find(drivers.begin(), drivers.end(), "SQLite3") != drivers.end();
    }
    const std::string& Path() const { return path_; }
    std::string ConnectionString() const { return "Driver=SQLite3;Database=" + path_ + ";"; }
    std::unique_ptr<db::Connection> Connect(db::Dialect dialect = db::Dialect::SqlServer) const {
        auto c = std::make_unique<db::Connection>();
        c->SetDialect(dialect);
        c->Open(ConnectionString());
        return c;
    }

  private:
    TempDir dir_;
    std::string path_;
};

// Fails the test early when the SQLite ODBC driver is not registered.
#define REQUIRE_SQLITE_ODBC()                                                                 \
    ASSERT_TRUE(::tmigration::testing::SqliteOdbcDatabase::DriverInstalled())                 \
        << "the SQLite ODBC driver (Debian libsqliteodbc) is not registered with the driver " \
           "manager; run make deps"

}  // namespace tmigration::testing
