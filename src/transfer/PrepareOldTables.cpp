#include "transfer/PrepareOldTables.h"

#include <exception>

#include "driver/RecordsetHelpers.h"
#include "driver/SharedProgressWindow.h"
#include "transfer/PrepareStatements.h"
#include "util/VbConversions.h"

namespace tmigration::transfer {

bool PrepareOldTables(db::Dialect databaseType, std::string& strError) {
    ui::frmProgress& window = driver::frmProgress();
    try {
        window.UpdateInfoLabel("Preparing Old Tables For Migration...");
        window.UpdatePercentDone(0);
        const std::vector<std::string>& statements = PrepareStatements(databaseType);
        const int count = static_cast<int>(statements.size());
        for (int n = 1; n <= count; ++n) {
            // A refused ALTER leaves its message in strError and the window as it is.
            if (!driver::ExecuteSQL(statements[n - 1], strError)) return false;
            window.UpdatePercentDone(util::PercentDone(n, count));
        }
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        window.Hide();
        return false;
    }
}

}  // namespace tmigration::transfer
