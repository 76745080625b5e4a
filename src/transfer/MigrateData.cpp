#include "transfer/MigrateData.h"

#include <chrono>
#include <stdexcept>

#include "core/SharedProgressWindow.h"
#include "core/Step.h"

namespace tmigration::transfer {
namespace {

TransferObserver& Observer() {
    thread_local TransferObserver observer;
    return observer;
}

const TransferBody* BodyOf(std::string_view name, const std::vector<BuiltTransfer>& own,
                           const std::vector<BuiltTransfer>& more) {
    for (const auto* list : {&own, &more})
        for (const BuiltTransfer& built : *list)
            if (built.name == name) return &built.body;
    return nullptr;
}

}  // namespace

bool RunTransfer(const TransferEntry& entry, const TransferBody& body, db::Dialect databaseType,
                 std::string& strError, TransferCounts* counts) {
    TransferCounts done;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = core::RunStep({entry.label, entry.errorPrefix}, strError,
                                  [&](core::Step& step) { done = body(step, databaseType); });
    done.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (counts) *counts = done;
    return ok;
}

bool RunTransfer(std::string_view name, db::Dialect databaseType, std::string& strError) {
    const TransferEntry* entry = FindTransfer(name);
    const TransferBody* body = BodyOf(name, BuiltTransfers(), {});
    if (!entry || !body) throw std::invalid_argument("no transfer named " + std::string(name) + " is built");
    return RunTransfer(*entry, *body, databaseType, strError);
}

bool MigrateData(std::string& strError, db::Dialect databaseType, const std::vector<BuiltTransfer>& more) {
    const std::vector<BuiltTransfer>& own = BuiltTransfers();
    for (const TransferEntry& entry : TransferSequence()) {
        // Every row of the sequence moves its rows; a missing one would lose them without a word.
        const TransferBody* body = BodyOf(entry.name, own, more);
        if (!body) {
            strError = std::string(entry.errorPrefix) + "no transfer is built for " + std::string(entry.name);
            return false;
        }
        TransferCounts counts;
        if (!RunTransfer(entry, *body, databaseType, strError, &counts)) return false;
        if (Observer()) Observer()(entry, counts);
        if (entry.overallAfter) core::frmProgress().UpdateOverallPercentDone(*entry.overallAfter);
    }
    return true;
}

std::vector<std::string_view> UnbuiltTransfers(const std::vector<BuiltTransfer>& more) {
    const std::vector<BuiltTransfer>& own = BuiltTransfers();
    std::vector<std::string_view> names;
    for (const TransferEntry& entry : TransferSequence())
        if (!BodyOf(entry.name, own, more)) names.push_back(entry.name);
    return names;
}

std::vector<SequenceRow> SequenceCoverage(const std::vector<BuiltTransfer>& more) {
    const std::vector<BuiltTransfer>& own = BuiltTransfers();
    std::vector<SequenceRow> rows;
    for (const TransferEntry& entry : TransferSequence())
        rows.push_back({&entry, BodyOf(entry.name, own, more) != nullptr});
    return rows;
}

void SetTransferObserver(TransferObserver observer) {
    Observer() = std::move(observer);
}

}  // namespace tmigration::transfer
