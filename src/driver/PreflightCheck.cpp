#include "driver/PreflightCheck.h"

#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <stdexcept>
#include <utility>

#include "core/RecordsetHelpers.h"
#include "core/SharedConnection.h"
#include "db/Connection.h"
#include "db/ConnectionString.h"
#include "db/engines/odbc/OdbcConnectionString.h"
#include "driver/CompactAndRepairDatabase.h"
#include "driver/PhaseTable.h"
#include "legacy/CommonMajorSteps.h"
#include "legacy/LegacyTableCreator.h"
#include "legacy/ModuleSetups.h"
#include "legacy/catalog/LegacyTableLists.h"
#include "schema/SchemaStatements.h"
#include "transfer/PrepareStatements.h"
#include "transfer/TransferSequence.h"
#include "util/Text.h"
#include "util/VbConversions.h"

namespace tmigration::driver {

using legacy::Module;
namespace fs = std::filesystem;

bool PreflightReport::CanMigrate() const {
    return BlockingCount() == 0;
}

std::size_t PreflightReport::BlockingCount() const {
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [](const PreflightFinding& f) { return f.blocking; }));
}

namespace {

const legacy::ModuleSetup& SetupOf(Module module) {
    switch (module) {
        case Module::Common:
            return legacy::CommonSetup();
        case Module::Gage:
            return legacy::GageSetup();
        case Module::MDC:
            return legacy::MDCSetup();
        case Module::Tool:
            return legacy::ToolSetup();
        case Module::Traveler:
            break;
    }
    return legacy::TravelerSetup();
}

std::string DialectWord(db::Dialect dialect) {
    switch (dialect) {
        case db::Dialect::Oracle:
            return "Oracle";
        case db::Dialect::Access:
            return "Access";
        case db::Dialect::SqlServer:
            break;
    }
    return "SQL Server";
}

// True when the query opens: its tables and columns exist. Only the first rows are fetched.
bool Opens(const std::string& sql) {
    try {
        core::RecordsetPtr rs = core::OpenServerRecordset(sql);
        core::CloseRecordset(rs);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TableExists(std::string_view table) {
    return Opens("select * from " + std::string(table));
}

std::int64_t CountRows(const std::string& sql) {
    return core::gConnection().Session().CountRows(sql);
}

std::string Quoted(const db::Value& value) {
    if (value.IsNull()) return "Null";
    const std::string text = value.AsText();
    return value.kind() == db::Value::Kind::Text ? "'" + text + "'" : text;
}

// Puts the check's own read-only connection in the shared slot for its length, and the caller's
// connection back afterwards.
class SharedConnectionSwap {
  public:
    explicit SharedConnectionSwap(std::shared_ptr<db::Connection> connection)
        : saved_(std::exchange(core::gConnectionSlot(), std::move(connection))) {}
    ~SharedConnectionSwap() {
        if (core::gConnectionSlot() && core::gConnectionSlot()->State() == db::adStateOpen)
            core::gConnectionSlot()->Close();
        core::gConnectionSlot() = std::move(saved_);
    }
    SharedConnectionSwap(const SharedConnectionSwap&) = delete;
    SharedConnectionSwap& operator=(const SharedConnectionSwap&) = delete;

  private:
    std::shared_ptr<db::Connection> saved_;
};

// Why one legacy value would stop its transfer under the column's rule, or nothing.
std::optional<std::string> RuleFault(const transfer::Column& column, const db::Value& value) {
    using Rule = transfer::Column::Rule;
    switch (column.rule) {
        case Rule::Text:
            if (value.IsNull()) return "Null where the value is read as text";
            return std::nullopt;
        case Rule::Code:
            if (value.IsNull()) {
                if (column.codes->whenNull) return std::nullopt;
                return "Null where a code is translated and no code stands for Null";
            }
            if (column.codes->read == transfer::CodeTable::Read::Number) {
                try {
                    (void)value.AsDouble();
                } catch (const std::exception&) {
                    return Quoted(value) + " where a numeric code is read";
                }
            }
            return std::nullopt;
        case Rule::KeyLong: {
            if (value.IsNull()) return "Null where the key must translate to a new key";
            try {
                const std::string sql = "select " + std::string(column.refKey) + " from " +
                                        std::string(column.refTable) + " where " +
                                        std::string(column.refKey) + " = " + value.AsText();
                if (CountRows(sql) == 0)
                    return "key " + Quoted(value) + " has no row in " + std::string(column.refTable);
            } catch (const std::exception&) {
                return "key " + Quoted(value) + " cannot be looked up in " + std::string(column.refTable);
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

bool ReadsWhatTheMigrationMakes(const std::string& sql) {
    const std::string upper = util::ToUpper(sql);
    return upper.find("T_SFC_") != std::string::npos || upper.find("SFC_ID") != std::string::npos;
}

std::string LegacyTableOf(const transfer::Pass& pass, const transfer::TransferEntry& entry) {
    if (pass.batches) return std::string(pass.batches->table);
    static const std::regex from(R"(\bfrom\s+(T_TRNK_\w+))", std::regex::icase);
    std::smatch match;
    if (std::regex_search(pass.query, match, from)) return match[1].str();
    const auto sources = entry.LegacySources();
    return sources.empty() ? std::string("?") : std::string(sources.front());
}

class Checker {
  public:
    Checker(db::Dialect dialect, std::string connection)
        : dialect_(dialect), connection_(std::move(connection)) {}

    PreflightReport Run(const std::vector<transfer::BuiltTransfer>& more) {
        const bool embedded = !db::odbc::IsOdbcConnectionString(connection_);
        if (Open()) {
            const bool clean = MigrationState();
            if (clean) {
                DialectLook(embedded);
                const bool current = Modules();
                Transfers(more, current);
            }
        }
        if (embedded) DatabaseFile();
        if (dialect_ == db::Dialect::Access && embedded) Compaction();
        return std::move(report_);
    }

  private:
    void Add(bool blocking, std::string text) { report_.findings.push_back({blocking, std::move(text)}); }

    bool Open() {
        auto connection = std::make_shared<db::Connection>();
        connection->SetDialect(dialect_);
        try {
            connection->Open(ReadOnlyConnection(connection_));
        } catch (const std::exception& e) {
            Add(true, std::string("the database cannot be opened: ") + e.what());
            return false;
        }
        swap_ = std::make_unique<SharedConnectionSwap>(std::move(connection));
        report_.opened = true;
        return true;
    }

    // Already migrated, or stopped part way: which phase the last run reached. Returns true for a
    // database no migration has touched yet.
    bool MigrationState() {
        std::optional<std::int64_t> item1;
        try {
            core::RecordsetPtr rs =
                core::OpenServerRecordset("select * from T_SFC_DB_ITEM  where DB_ITEM_CODE = 1");
            if (!rs->Eof() && !rs->Get("DB_ITEM_VALUE").IsNull())
                item1 = rs->Get("DB_ITEM_VALUE").AsInteger();
            core::CloseRecordset(rs);
        } catch (const std::exception&) {
        }
        const auto& mapped = transfer::MappedLegacyTables();
        const auto withMapping = std::count_if(mapped.begin(), mapped.end(), [](std::string_view table) {
            return Opens("select SFC_ID from " + std::string(table));
        });
        const auto lastStatement = static_cast<std::int64_t>(schema::SchemaStatements(dialect_).size());
        legacyPresent_ = TableExists("T_TRNK_COMMON");
        const std::string mappedText = std::to_string(withMapping) + " of " + std::to_string(mapped.size()) +
                                       " legacy tables have SFC_ID";
        if (!item1 && withMapping == 0) {
            if (TableExists("T_SFC_DB_ITEM"))
                Add(true,
                    "partly migrated: stopped in CreateNewTables, the new tables exist without database item "
                    "1");
            else
                Add(false, "not migrated yet: no new tables, no SFC_ID columns");
            return !TableExists("T_SFC_DB_ITEM");
        }
        if (!item1) {
            Add(true, "partly migrated: stopped in PrepareOldTables (" + mappedText +
                          ", no new tables yet); a new run fails adding SFC_ID again");
        } else if (*item1 > lastStatement) {
            Add(true, "already migrated: database item 1 is " + std::to_string(*item1));
        } else if (*item1 < lastStatement) {
            Add(true, "partly migrated: stopped in CreateNewTables after statement " +
                          std::to_string(*item1) + " of " + std::to_string(lastStatement) + " (" +
                          mappedText + ")");
        } else if (legacyPresent_) {
            Add(true,
                "partly migrated: stopped in MigrateData or DeleteOldTables (the new schema is complete, "
                "database item 1 is " +
                    std::to_string(*item1) + ", the legacy tables are still there)");
        } else {
            Add(true,
                "partly migrated: stopped in FinalizeMigration (the legacy tables are dropped, database "
                "item 1 is " +
                    std::to_string(*item1) + ")");
        }
        return false;
    }

    // Oracle builds every legacy key with a sequence and a trigger; the other dialects have neither.
    void DialectLook(bool embedded) {
        if (!legacyPresent_ || !embedded) return;
        int sequences = 0;
        try {
            core::RecordsetPtr rs = core::OpenServerRecordset("select name from _tm_sequence");
            for (; !rs->Eof(); rs->MoveNext())
                if (util::StartsWithIgnoringCase(rs->Get("name").AsText(), "S_TRNK_")) ++sequences;
            core::CloseRecordset(rs);
        } catch (const std::exception&) {
        }
        const std::string named = DialectWord(dialect_);
        if (dialect_ == db::Dialect::Oracle && sequences == 0)
            Add(true,
                "the legacy tables have no S_TRNK_ sequences: they were built for Access or SQL Server, "
                "not for Oracle");
        else if (dialect_ != db::Dialect::Oracle && sequences > 0)
            Add(true, "the legacy tables have " + std::to_string(sequences) +
                          " S_TRNK_ sequences and their key triggers: they were built for Oracle, not for " +
                          named);
        else
            Add(false, "the legacy tables look built for " + named);
    }

    // Per module: installed or not, the legacy version and whether the dialect's upgrade starts
    // from it; missing tables of a module at the last major. True when every installed module is
    // at the last legacy major (the transfers' queries then read the tables they will read).
    bool Modules() {
        bool allCurrent = true;
        for (const Module module : legacy::kAllModules) {
            const legacy::ModuleSetup& setup = SetupOf(module);
            const std::string name(legacy::ModuleName(module));
            const std::string program(legacy::ModuleProgramVersion(module));
            if (!Opens(std::string(setup.probeSql))) {
                Add(false, name + ": not installed; its legacy tables will be created at version " + program);
                allCurrent = false;
                continue;
            }
            std::optional<std::string> found;
            try {
                core::RecordsetPtr rs =
                    core::OpenServerRecordset("select * from T_TRNK_COMMON  where APP_ID = " +
                                              std::to_string(legacy::ModuleAppId(module)));
                if (!rs->Eof())
                    found = rs->Get("RESERVED0").IsNull() ? std::string() : rs->Get("RESERVED0").AsText();
                core::CloseRecordset(rs);
            } catch (const std::exception&) {
            }
            if (!found) {
                Add(true, name + ": its tables exist but T_TRNK_COMMON has no version row (APP_ID " +
                              std::to_string(legacy::ModuleAppId(module)) + ")");
                allCurrent = false;
                continue;
            }
            const legacy::LegacyVersion database = legacy::SplitLegacyVersion(*found);
            const legacy::LegacyVersion last = legacy::SplitLegacyVersion(program);
            const int oldest = OldestUpgradableMajor(module, dialect_);
            const std::string head = name + ": legacy version '" + *found + "'";
            if (!legacy::IsWholeNumber(database.major)) {
                Add(true, head + " is not a version this program knows; its last " + name + " version is " +
                              program);
                allCurrent = false;
            } else if (util::Val(database.major) > util::Val(last.major)) {
                Add(true, head + " is newer than this program's last " + name + " version " + program);
                allCurrent = false;
            } else if (util::Val(database.major) < oldest) {
                Add(true, head + " cannot be upgraded in " + DialectWord(dialect_) +
                              ": its upgrade starts at major " + std::to_string(oldest));
                allCurrent = false;
            } else if (database.major != last.major) {
                Add(false, head + " will be upgraded to " + program + " (major steps " + database.major +
                               " to " + std::to_string(static_cast<int>(util::Val(last.major)) - 1) + ")");
                allCurrent = false;
            } else {
                Add(false, head + (database.minor == last.minor ? " is the last legacy version"
                                                                : " will be brought to " + program));
                for (const legacy::LegacyTable& table : legacy::LegacyTables(module))
                    if (!TableExists(table.name)) {
                        Add(true, name + ": legacy table " + table.name + " is missing");
                        allCurrent = false;
                    }
            }
        }
        return allCurrent;
    }

    void Transfers(const std::vector<transfer::BuiltTransfer>& more, bool current) {
        std::map<std::string_view, const transfer::TransferBody*> bodies;
        for (const auto* group : {&transfer::BuiltTransfers(), &more})
            for (const transfer::BuiltTransfer& built : *group) bodies.emplace(built.name, &built.body);
        for (const transfer::TransferEntry& entry : transfer::TransferSequence()) {
            const std::string head =
                "transfer " + std::to_string(entry.number) + " " + std::string(entry.name) + ": ";
            const auto found = bodies.find(entry.name);
            const transfer::Transfer* declared =
                found == bodies.end() ? nullptr : transfer::DeclarationOf(*found->second);
            if (found == bodies.end()) {
                Add(true, head + "not built in this program");
                continue;
            }
            if (declared == nullptr) {
                HandWritten(entry, head);
                continue;
            }
            std::int64_t rows = 0;
            std::string notCounted;
            for (const transfer::Pass& pass : *declared) {
                if (!pass.batches && ReadsWhatTheMigrationMakes(pass.query)) continue;
                try {
                    rows += ScanPass(entry, pass, head);
                } catch (const std::exception& e) {
                    notCounted = e.what();
                }
            }
            if (!notCounted.empty())
                // With every module at its last major the query reads what the transfer will read;
                // otherwise the legacy upgrade makes or changes its tables first.
                Add(current, head + "its legacy rows cannot be read" +
                                 (current ? ": " : " before the legacy upgrade: ") + notCounted);
            else
                Add(false, head + std::to_string(rows) + " legacy rows will move");
        }
    }

    // A hand-written transfer: the rows of the first legacy table it reads.
    void HandWritten(const transfer::TransferEntry& entry, const std::string& head) {
        const auto sources = entry.LegacySources();
        if (sources.empty()) {
            Add(false, head + "reads only new tables");
            return;
        }
        try {
            Add(false, head + std::to_string(CountRows("select * from " + std::string(sources.front()))) +
                           " legacy rows in " + std::string(sources.front()));
        } catch (const std::exception& e) {
            Add(false, head + std::string(sources.front()) +
                           " cannot be read before the legacy upgrade: " + e.what());
        }
    }

    // Reads the pass's legacy rows once and reports each value a column rule would stop on.
    std::int64_t ScanPass(const transfer::TransferEntry& entry, const transfer::Pass& pass,
                          const std::string& head) {
        const std::string table = LegacyTableOf(pass, entry);
        const std::string sql = pass.batches ? "select * from " + table + " where " +
                                                   std::string(pass.batches->keyColumn) + " >= 1" +
                                                   pass.batches->extraCondition
                                             : pass.query;
        std::vector<const transfer::Column*> checked;
        if (!pass.writer)
            for (const transfer::Column& column : pass.columns)
                if (!column.source.empty()) checked.push_back(&column);
        std::vector<int> faults(checked.size(), 0);
        core::RecordsetPtr rs = core::OpenServerRecordset(sql);
        for (const transfer::Column* column : checked) {
            bool present = false;
            for (std::size_t i = 0; i < rs->FieldCount() && !present; ++i)
                present = util::EqualsIgnoringCase(rs->Fields(i).Name(), column->source);
            if (!present) throw std::runtime_error(table + " has no column " + std::string(column->source));
        }
        std::string key;
        if (pass.batches)
            key = pass.batches->keyColumn;
        else if (!pass.writeBack.keyColumn.empty())
            key = pass.writeBack.keyColumn;
        else if (rs->FieldCount() > 0)
            key = rs->Fields(std::size_t{0}).Name();
        std::int64_t rows = 0;
        for (; !rs->Eof(); rs->MoveNext()) {
            ++rows;
            for (std::size_t i = 0; i < checked.size(); ++i) {
                const transfer::Column& column = *checked[i];
                const auto fault = RuleFault(column, rs->Get(std::string(column.source)));
                if (!fault) continue;
                if (++faults[i] <= kRowsListedPerColumn)
                    Add(true, head + table + " " + key + " = " + Quoted(rs->Get(key)) + ", column " +
                                  std::string(column.source) + ": " + *fault);
            }
        }
        core::CloseRecordset(rs);
        for (std::size_t i = 0; i < checked.size(); ++i)
            if (faults[i] > kRowsListedPerColumn)
                Add(true, head + std::to_string(faults[i] - kRowsListedPerColumn) + " more rows of " + table +
                              " stop the transfer in column " + std::string(checked[i]->source));
        return rows;
    }

    // The file itself: the migration writes it, and a log left beside it means the last program
    // that wrote it did not close it.
    void DatabaseFile() {
        const auto path = db::ConnectionStringValue(connection_, "Data Source");
        std::error_code ec;
        if (!path || !fs::is_regular_file(*path, ec)) return;  // reported when opening
        if (::access(path->c_str(), W_OK) != 0)
            Add(true, "the database file '" + *path + "' is read-only for this user");
        if (fs::exists(*path + "-wal", ec))
            Add(false, "a write-ahead log '" + *path +
                           "-wal' lies beside the file: the last program that wrote it did not close it; its "
                           "committed work is read with the file");
    }

    // What CompactAndRepairDatabase needs once the migration is done: the path cut from the
    // connection string, a free temporary name, folders it may write, and room for a snapshot of the
    // file and the compacted copy.
    void Compaction() {
        std::string path;
        try {
            path = FileBehindLinks(CutAccessDataSource(connection_));
        } catch (const std::exception& e) {
            Add(true, std::string("compaction: the file path cannot be cut from the connection string (") +
                          e.what() + ")");
            return;
        }
        std::string temporary;
        try {
            temporary = TemporaryCompactPath(path);
        } catch (const std::exception&) {
            Add(true,
                "compaction: the file name '" + path + "' has no '.', so no temporary name can be made");
            return;
        }
        std::error_code ec;
        if (fs::exists(fs::symlink_status(temporary, ec)))
            Add(true, "compaction: the temporary file '" + temporary + "' already exists");
        const auto folderOf = [](const std::string& file) {
            const fs::path parent = fs::path(file).parent_path();
            return parent.empty() ? std::string(".") : parent.string();
        };
        bool writable = true;
        for (const std::string& folder : {folderOf(path), folderOf(temporary)}) {
            if (::access(folder.c_str(), W_OK | X_OK) != 0) {
                Add(true, "compaction: the folder '" + folder + "' is missing or not writable");
                writable = false;
            }
        }
        if (!writable) return;
        const std::uintmax_t size = fs::file_size(path, ec);
        if (ec) return;  // the file itself could not be opened: already reported
        struct statvfs fsInfo {};
        if (::statvfs(folderOf(temporary).c_str(), &fsInfo) != 0) return;
        const std::uintmax_t available = static_cast<std::uintmax_t>(fsInfo.f_bavail) * fsInfo.f_frsize;
        const std::uintmax_t needed = 2 * size;
        if (available < needed)
            Add(true, "compaction: " + std::to_string(available) + " bytes free in '" + folderOf(temporary) +
                          "', the snapshot and the compacted copy need " + std::to_string(needed));
        else
            Add(false, "compaction: '" + path + "' into '" + temporary + "', " + std::to_string(available) +
                           " bytes free for the " + std::to_string(needed) + " needed");
    }

    db::Dialect dialect_;
    std::string connection_;
    PreflightReport report_;
    std::unique_ptr<SharedConnectionSwap> swap_;
    bool legacyPresent_ = false;
};

}  // namespace

int OldestUpgradableMajor(Module module, db::Dialect dialect) {
    const int last =
        static_cast<int>(util::Val(legacy::SplitLegacyVersion(legacy::ModuleProgramVersion(module)).major));
    // A module without major steps starts from its last major only.
    if (SetupOf(module).majorUpgrade == nullptr) return last;
    // The machine-data tables of majors 1 and 2 had no buffer table: their creator takes them as
    // missing and builds them afresh; the later majors run their steps.
    if (module == Module::MDC) return 1;
    return legacy::OldestMajor(module, dialect);
}

std::string ReadOnlyConnection(const std::string& connection) {
    if (db::odbc::IsOdbcConnectionString(connection)) return connection;
    // The first Mode= of a string counts, so this one goes before whatever the caller's says.
    return "Mode=Read;" + connection;
}

PreflightReport RunPreflightCheck(db::Dialect dialect, const std::string& connection,
                                  const std::vector<transfer::BuiltTransfer>& more) {
    return Checker(dialect, connection).Run(more);
}

}  // namespace tmigration::driver
