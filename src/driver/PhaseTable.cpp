#include "driver/PhaseTable.h"

#include <stdexcept>

#include "db/ConnectionString.h"
#include "driver/CompactAndRepairDatabase.h"
#include "driver/ConnectionSteps.h"
#include "driver/FinalizeMigration.h"
#include "legacy/TableCreators.h"
#include "mdc/ShiftSummaryTransfers.h"
#include "schema/CreateNewTables.h"
#include "schema/DeleteOldTables.h"
#include "transfer/MigrateData.h"
#include "transfer/PrepareOldTables.h"

namespace tmigration::driver {
namespace {

// Creates the dialect's table creator of one module and runs its SetupDatabase; for example
// SetupWith<CAccessCommonTableCreator, COracleCommonTableCreator, CSQLCommonTableCreator>.
template <class AccessCreator, class OracleCreator, class SqlCreator>
bool SetupWith(const PhaseContext& context, std::string& strError) {
    switch (context.databaseType) {
        case db::Dialect::Access:
            return AccessCreator().SetupDatabase(strError);
        case db::Dialect::Oracle:
            return OracleCreator().SetupDatabase(strError);
        case db::Dialect::SqlServer:
            return SqlCreator().SetupDatabase(strError);
    }
    return false;
}

// A step per dialect taking only strError, such as CreateNewAccessTables / ..Oracle.. / ..SQL...
using DialectStep = bool (*)(std::string& strError);
PhaseStep ByDialect(DialectStep access, DialectStep oracle, DialectStep sql) {
    return [=](const PhaseContext& context, std::string& strError) {
        switch (context.databaseType) {
            case db::Dialect::Access:
                return access(strError);
            case db::Dialect::Oracle:
                return oracle(strError);
            case db::Dialect::SqlServer:
                return sql(strError);
        }
        return false;
    };
}

bool Connect(const PhaseContext& context, std::string& strError) {
    return ConnectToDatabase(context.connection, strError);
}

bool Prepare(const PhaseContext& context, std::string& strError) {
    return transfer::PrepareOldTables(context.databaseType, strError);
}

bool MigrateData(const PhaseContext& context, std::string& strError) {
    return transfer::MigrateData(strError, context.databaseType, mdc::ShiftSummaryTransfers());
}

bool Finalize(const PhaseContext& context, std::string& strError) {
    return FinalizeMigration(context.databaseType, strError);
}

bool Disconnect(const PhaseContext&, std::string& strError) {
    return DisconnectFromDatabase(strError);
}

// Cutting the path is the driver's own statement: when it fails the error leaves the call.
bool Compact(const PhaseContext& context, std::string& strError) {
    return CompactAndRepairDatabase(CutAccessDataSource(context.connection), strError);
}

}  // namespace

std::vector<PhaseEntry> StandardPhases() {
    using F = FailureExit;
    return {
        {Phase::ConnectToDatabase, Connect, std::nullopt, F::UnloadWindow},
        {Phase::SetupCommon,
         SetupWith<legacy::CAccessCommonTableCreator, legacy::COracleCommonTableCreator,
                   legacy::CSQLCommonTableCreator>,
         1, F::UnloadWindowThenDisconnect},
        {Phase::SetupGage,
         SetupWith<legacy::CAccessGageTableCreator, legacy::COracleGageTableCreator,
                   legacy::CSQLGageTableCreator>,
         2, F::UnloadWindowThenDisconnect},
        {Phase::SetupMDC,
         SetupWith<legacy::CAccessMDCTableCreator, legacy::COracleMDCTableCreator,
                   legacy::CSQLMDCTableCreator>,
         3, F::UnloadWindowThenDisconnect},
        {Phase::SetupTool,
         SetupWith<legacy::CAccessToolTableCreator, legacy::COracleToolTableCreator,
                   legacy::CSQLToolTableCreator>,
         4, F::UnloadWindowThenDisconnect},
        {Phase::SetupTraveler,
         SetupWith<legacy::CAccessTravelerTableCreator, legacy::COracleTravelerTableCreator,
                   legacy::CSQLTravelerTableCreator>,
         5, F::UnloadWindowThenDisconnect},
        {Phase::PrepareOldTables, Prepare, 6, F::DisconnectThenUnloadWindow},
        {Phase::CreateNewTables,
         ByDialect(schema::CreateNewAccessTables, schema::CreateNewOracleTables, schema::CreateNewSQLTables),
         7, F::DisconnectThenUnloadWindow},
        {Phase::MigrateData, MigrateData, 97, F::DisconnectThenUnloadWindow},
        {Phase::DeleteOldTables,
         ByDialect(schema::DeleteOldAccessTables, schema::DeleteOldOracleTables, schema::DeleteOldSQLTables),
         98, F::DisconnectThenUnloadWindow},
        {Phase::FinalizeMigration, Finalize, 99, F::DisconnectThenUnloadWindow},
        {Phase::DisconnectFromDatabase, Disconnect, std::nullopt, F::UnloadWindow},
        {Phase::CompactAndRepairDatabase, Compact, std::nullopt, F::UnloadWindow, true},
    };
}

void PhaseTable::Override(Phase phase, PhaseStep step) {
    for (PhaseEntry& entry : entries_)
        if (entry.phase == phase) entry.step = std::move(step);
}

void PhaseTable::KeepLegacyUpgradeOnly() {
    std::erase_if(entries_, [](const PhaseEntry& entry) {
        switch (entry.phase) {
            case Phase::ConnectToDatabase:
            case Phase::SetupCommon:
            case Phase::SetupGage:
            case Phase::SetupMDC:
            case Phase::SetupTool:
            case Phase::SetupTraveler:
            case Phase::DisconnectFromDatabase:
                return false;
            default:
                return true;
        }
    });
}

PhaseTable& ThreadPhaseTable() {
    thread_local PhaseTable table;
    return table;
}

void ResetThreadPhaseTable() {
    ThreadPhaseTable() = PhaseTable();
}

std::string CutAccessDataSource(const std::string& connection) {
    static const std::string key = "Data Source=";
    const auto p = connection.find(key);
    const auto q = p == std::string::npos ? std::string::npos : connection.find(';', p);
    if (q == std::string::npos)
        throw std::invalid_argument(
            "Invalid argument: the connection string has no \"Data Source=\" part ended by \";\"");
    // The file to compact is the one the engine opened: read the same way, blanks and quotes
    // around it are not part of the name.
    return db::ConnectionStringValue(connection, "Data Source").value_or(std::string());
}

const char* PhaseName(Phase phase) {
    switch (phase) {
        case Phase::ConnectToDatabase:
            return "ConnectToDatabase";
        case Phase::SetupCommon:
            return "SetupCommon";
        case Phase::SetupGage:
            return "SetupGage";
        case Phase::SetupMDC:
            return "SetupMDC";
        case Phase::SetupTool:
            return "SetupTool";
        case Phase::SetupTraveler:
            return "SetupTraveler";
        case Phase::PrepareOldTables:
            return "PrepareOldTables";
        case Phase::CreateNewTables:
            return "CreateNewTables";
        case Phase::MigrateData:
            return "MigrateData";
        case Phase::DeleteOldTables:
            return "DeleteOldTables";
        case Phase::FinalizeMigration:
            return "FinalizeMigration";
        case Phase::DisconnectFromDatabase:
            return "DisconnectFromDatabase";
        case Phase::CompactAndRepairDatabase:
            return "CompactAndRepairDatabase";
    }
    return "";
}

}  // namespace tmigration::driver
