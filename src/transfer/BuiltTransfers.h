// BuiltTransfers: what runs inside the step of each transfer that is built, by name. A declared
// transfer runs on the transfer engine; a hand-written one is a function of its own. Each group of
// transfers lists its own; the sequence table says in which order they run.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "db/Dialect.h"
#include "transfer/TransferDecl.h"
#include "transfer/TransferEngine.h"

namespace tmigration::transfer {

// The work of one transfer inside its step; only the shift summary buffers look at the dialect.
using TransferBody = std::function<TransferCounts(core::Step& step, db::Dialect databaseType)>;

struct BuiltTransfer {
    std::string_view name;  // as in the sequence table
    TransferBody body;
};

// A declared transfer as a body. The body keeps its declaration where DeclarationOf finds it, so
// that what reads the legacy rows ahead of a migration goes by the same column rules.
struct DeclaredBody {
    std::shared_ptr<const Transfer> transfer;
    TransferCounts operator()(core::Step& step, db::Dialect) const;
};
TransferBody Declared(Transfer transfer);
// The declaration behind a body made by Declared; nullptr for a hand-written transfer.
const Transfer* DeclarationOf(const TransferBody& body);

// The organisation and reference transfers: shift calendar, people, places, machines, catalogs of
// parts, operations and codes, jobs, events and user groups.
const std::vector<BuiltTransfer>& OrganisationTransfers();

// The catalog of the tool and gage cribs: types and numbers with their vendor entries, dimensions,
// references, crib stock, purchase orders and their lines.
const std::vector<BuiltTransfer>& ToolingTransfers();

// The serialised assets of the cribs: gages, tools and kits with their calibration and rework
// records, IRRs and kit components.
const std::vector<BuiltTransfer>& AssetTransfers();

// Travelers with their revision chains, customers, operations, first article signoffs and the
// references of each operation, and the reference dimensions of part types and parts.
const std::vector<BuiltTransfer>& TravelerTransfers();

// History, cutter and insert history, maintenance history, attachments, format strings, options.
const std::vector<BuiltTransfer>& HistoryTransfers();

// Security objects, SIDs, administrator and user permissions.
const std::vector<BuiltTransfer>& SecurityTransfers();

// Every transfer this layer builds.
const std::vector<BuiltTransfer>& BuiltTransfers();

}  // namespace tmigration::transfer
