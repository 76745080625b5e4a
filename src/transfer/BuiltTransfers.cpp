#include "transfer/BuiltTransfers.h"

#include <memory>
#include <utility>

namespace tmigration::transfer {

TransferBody Declared(Transfer transfer) {
    auto shared = std::make_shared<const Transfer>(std::move(transfer));
    return [shared](core::Step& step, db::Dialect) { return RunTransfer(step, *shared); };
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
