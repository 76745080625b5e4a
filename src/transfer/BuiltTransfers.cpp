#include "transfer/BuiltTransfers.h"

#include <memory>
#include <utility>

namespace tmigration::transfer {

TransferCounts DeclaredBody::operator()(core::Step& step, db::Dialect) const {
    return RunTransfer(step, *transfer);
}

TransferBody Declared(Transfer transfer) {
    return DeclaredBody{std::make_shared<const Transfer>(std::move(transfer))};
}

const Transfer* DeclarationOf(const TransferBody& body) {
    const auto* declared = body.target<DeclaredBody>();
    return declared ? declared->transfer.get() : nullptr;
}

const std::vector<BuiltTransfer>& BuiltTransfers() {
    static const std::vector<BuiltTransfer> all = [] {
        std::vector<BuiltTransfer> transfers;
        for (const auto* group : {
                 &OrganisationTransfers(),
                 &ToolingTransfers(),
                 &AssetTransfers(),
                 &TravelerTransfers(),
                 &HistoryTransfers(),
                 &SecurityTransfers(),
             })
            transfers.insert(transfers.end(), group->begin(), group->end());
        return transfers;
    }();
    return all;
}

}  // namespace tmigration::transfer
