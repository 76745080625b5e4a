// The frame of the legacy upgrade tests: a database with one module's tables at an older major, the
// upgrade run through the module's creator, and reading back what it left.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "OldCommonDatabases.h"
#include "OldMDCDatabases.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/TableCreators.h"
#include "tmigration/CDatabaseMigrationObj.h"

namespace tmigration::testing {

// A dialect's word in test names.
inline const char* DialectCaseName(db::Dialect dialect) {
    return dialect == db::Dialect::Access ? "Access" : dialect == db::Dialect::Oracle ? "Oracle" : "SQL";
}

template <legacy::Module M>
bool SetupModuleIn(db::Dialect dialect, std::string& strError) {
    switch (dialect) {
        case db::Dialect::Access:
            return legacy::TableCreatorOf<M, db::Dialect::Access>().SetupDatabase(strError);
        case db::Dialect::Oracle:
            return legacy::TableCreatorOf<M, db::Dialect::Oracle>().SetupDatabase(strError);
        case db::Dialect::SqlServer:
            return legacy::TableCreatorOf<M, db::Dialect::SqlServer>().SetupDatabase(strError);
    }
    return false;
}

// The SetupDatabase of `module`'s creator in `dialect`: on an old database, its upgrade.
inline bool SetupModuleIn(legacy::Module module, db::Dialect dialect, std::string& strError) {
    using legacy::Module;
    switch (module) {
        case Module::Common:
            return SetupModuleIn<Module::Common>(dialect, strError);
        case Module::Gage:
            return SetupModuleIn<Module::Gage>(dialect, strError);
        case Module::Tool:
            return SetupModuleIn<Module::Tool>(dialect, strError);
        case Module::Traveler:
            return SetupModuleIn<Module::Traveler>(dialect, strError);
        case Module::MDC:
            return SetupModuleIn<Module::MDC>(dialect, strError);
    }
    throw std::invalid_argument("no such module");
}

// Where an upgrade starts: a dialect and the module's major there.
struct StartCase {
    db::Dialect dialect;
    int major;
};

// "AccessFrom16": a start's name in test names.
inline std::string StartCaseName(const ::testing::TestParamInfo<StartCase>& info) {
    return std::string(DialectCaseName(info.param.dialect)) + "From" + std::to_string(info.param.major);
}

class ModuleUpgradeTest : public SharedStateTest {
  protected:
    explicit ModuleUpgradeTest(legacy::Module module) : module_(module) {}

    // `module_`'s tables at `major`, version "major.minor", then `rows` written.
    void StartAt(db::Dialect dialect, int major, const std::string& minor,
                 const std::vector<std::string>& rows = {}) {
        dialect_ = dialect;
        switch (module_) {
            case legacy::Module::Common:
                MakeOldCommonDatabase(database, dialect, major, minor);
                break;
            case legacy::Module::MDC:
                MakeOldMDCDatabase(database, dialect, major, minor);
                break;
            default:
                MakeOldProductDatabase(database, dialect, module_, major, minor);
        }
        database.Run(rows);
        database.sent.clear();
    }
    virtual bool Upgrade(std::string& strError) { return SetupModuleIn(module_, dialect_, strError); }
    void UpgradeOk() {
        std::string strError;
        ASSERT_TRUE(Upgrade(strError)) << strError;
    }
    // Opens the database again after a step failed. Oracle commits each DDL statement, so there the
    // failed step's change stayed: a rerun meets it and fails at `version` until `undo` removes it.
    void ReopenAfterFailedStep(const std::string& version, const std::string& undo) {
        core::gConnectionSlot().reset();
        database.OpenShared(dialect_);
        if (dialect_ == db::Dialect::Oracle) {
            std::string strError;
            EXPECT_FALSE(Upgrade(strError));
            EXPECT_EQ(Version(), version);
            database.Run({undo});
            core::gConnectionSlot().reset();
            database.OpenShared(dialect_);
        }
        database.sent.clear();
    }
    // Closes the shared connection and migrates the whole database through the component's entry
    // point of the dialect.
    void MigrateThroughTheComponent() {
        core::gConnectionSlot().reset();
        const bool access = dialect_ == db::Dialect::Access;
        const std::string connection = std::string("Provider=") +
                                       (access ? "Microsoft.Jet.OLEDB.4.0" : "SQLite") +
                                       ";Data Source=" + database.Path() + ";";
        std::string strError;
        CDatabaseMigrationObj object;
        const bool migrated = access                            ? object.MigrateAccess(connection, strError)
                              : dialect_ == db::Dialect::Oracle ? object.MigrateOracle(connection, strError)
                                                                : object.MigrateSQL(connection, strError);
        ASSERT_TRUE(migrated) << strError;
    }
    std::string Scalar(const std::string& sql) const { return database.Scalar(sql, dialect_); }
    // The module's version row.
    std::string Version() const {
        return Scalar("select RESERVED0 from T_TRNK_COMMON where APP_ID = " +
                      std::to_string(legacy::ModuleAppId(module_)));
    }
    bool HasColumn(const std::string& table, const std::string& column) const {
        const auto schema = DescribeSchema(database.Path());
        return std::ranges::any_of(schema, [&](const std::string& line) {
            return line.starts_with("column " + table + "." + column + " |");
        });
    }
    // Each query's single value against the text expected.
    void ExpectAll(const std::vector<std::pair<std::string, std::string>>& checks) const {
        for (const auto& [sql, expected] : checks) EXPECT_EQ(Scalar(sql), expected) << sql;
    }
    // The rows of a query, each as its columns joined by "|".
    std::vector<std::string> Rows(const std::string& sql) const {
        db::Connection c;
        c.SetDialect(dialect_);
        c.Open(database.ConnectionString());
        db::Recordset rs;
        rs.SetActiveConnection(&c);
        rs.SetCursorLocation(db::adUseClient);
        rs.Open(sql);
        std::vector<std::string> rows;
        for (; !rs.Eof(); rs.MoveNext()) {
            std::string row;
            for (std::size_t i = 0; i < rs.FieldCount(); ++i) {
                const db::Value& v = rs.Fields(i).GetValue();
                row += (i ? "|" : "") + (v.IsNull() ? std::string("NULL") : v.AsText());
            }
            rows.push_back(row);
        }
        return rows;
    }

    SharedDatabase database;
    legacy::Module module_;
    db::Dialect dialect_ = db::Dialect::Access;
};

}  // namespace tmigration::testing
