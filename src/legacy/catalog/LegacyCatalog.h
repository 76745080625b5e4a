// A legacy DDL catalog: for a 1-based table number, the statements of one kind written into a caller-sized
// string array from element 0, returning the index of the last element written. A table without such
// statements yields "" and 0; a number outside 1..GetNumberTables() yields "#ERROR#" and 0.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/Dialect.h"
#include "legacy/catalog/LegacyDdl.h"
#include "legacy/catalog/LegacyModule.h"

namespace tmigration::legacy {

inline constexpr std::string_view kCatalogErrorText = "#ERROR#";

// The interface every catalog shares; dialect-neutral code drives any catalog through it. A catalog
// knows only its module and dialect; every answer is a pure function of the arguments.
class LegacyCatalog {
  public:
    LegacyCatalog(Module module, db::Dialect dialect) : module_(module), dialect_(dialect) {}

    Module GetModule() const { return module_; }
    db::Dialect GetDialect() const { return dialect_; }

    // The statements of one kind for table iTable. The array is grown when the caller sized it too
    // small; elements past the result are left as they were. Sequence and Trigger are empty off Oracle.
    std::int32_t GetCreateCommand(StatementKind kind, std::int16_t iTable,
                                  std::vector<std::string>& astrCommands) const;

    std::int16_t GetNumberTables() const;

    // The statement kinds in the order a create-all runs them: tables, indexes, (Oracle: sequences,
    // triggers,) foreign keys.
    std::span<const StatementKind> Passes() const;

  private:
    Module module_;
    db::Dialect dialect_;
};

// The four methods every dialect's catalog offers; Access and SQL Server catalogs have no more.
class StandardLegacyCatalog : public LegacyCatalog {
  public:
    std::int32_t GetIndexCreateCommand(std::int16_t iTable, std::vector<std::string>& astrCommands) const {
        return GetCreateCommand(StatementKind::Index, iTable, astrCommands);
    }
    std::int32_t GetConstraintCreateCommand(std::int16_t iTable,
                                            std::vector<std::string>& astrCommands) const {
        return GetCreateCommand(StatementKind::Constraint, iTable, astrCommands);
    }
    std::int32_t GetTableCreateCommand(std::int16_t iTable, std::vector<std::string>& astrCommands) const {
        return GetCreateCommand(StatementKind::Table, iTable, astrCommands);
    }
    using LegacyCatalog::GetNumberTables;

  protected:
    StandardLegacyCatalog(Module module, db::Dialect dialect) : LegacyCatalog(module, dialect) {}
};

// Oracle catalogs: the index list carries the primary-key constraint, and two more methods hand out the
// key sequence and trigger.
class OracleLegacyCatalog : public StandardLegacyCatalog {
  public:
    std::int32_t GetTriggerCreateCommand(std::int16_t iTable, std::vector<std::string>& astrCommands) const {
        return GetCreateCommand(StatementKind::Trigger, iTable, astrCommands);
    }
    std::int32_t GetSequenceCreateCommand(std::int16_t iTable, std::vector<std::string>& astrCommands) const {
        return GetCreateCommand(StatementKind::Sequence, iTable, astrCommands);
    }

  protected:
    OracleLegacyCatalog(Module module, db::Dialect dialect) : StandardLegacyCatalog(module, dialect) {}
};

}  // namespace tmigration::legacy
