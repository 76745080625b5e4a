#include "transfer/PrepareOldTables.h"

#include "core/Step.h"
#include "transfer/PrepareStatements.h"

namespace tmigration::transfer {

bool PrepareOldTables(db::Dialect databaseType, std::string& strError) {
    return core::RunStep({"Preparing Old Tables For Migration...", ""}, strError, [&](core::Step& step) {
        const std::vector<std::string>& statements = PrepareStatements(databaseType);
        const auto count = static_cast<std::int64_t>(statements.size());
        for (std::int64_t n = 1; n <= count; ++n) {
            std::string message;
            // A refused ALTER hands its message on unchanged and leaves the window as it is.
            if (!core::ExecuteSQL(statements[n - 1], message))
                step.FailWithText(message, core::OnFailure::KeepWindow);
            step.ShowProgress(n, count);
        }
    });
}

}  // namespace tmigration::transfer
