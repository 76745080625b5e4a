#include "tmigration/CDatabaseMigrationObj.h"

#include "core/SharedConnection.h"
#include "driver/ConnectionSteps.h"
#include "driver/MigrationDriver.h"
#include "driver/PhaseTable.h"
#include "ui/DesktopWindow.h"
#include "ui/WindowSystem.h"

namespace tmigration {

CDatabaseMigrationObj::CDatabaseMigrationObj() {
    core::gConnectionSlot() = std::make_shared<db::Connection>();
}

CDatabaseMigrationObj::~CDatabaseMigrationObj() {
    auto& slot = core::gConnectionSlot();
    try {
        if (slot && slot->State() == db::adStateOpen) {
            std::string scratch;
            driver::DisconnectFromDatabase(scratch);
        }
    } catch (...) {
        // Nothing can be reported from here; the connection is released below either way.
    }
    slot.reset();
}

bool CDatabaseMigrationObj::MigrateAccess(std::string strConnection, std::string& strError) {
    return driver::RunMigration(driver::ThreadPhaseTable(), db::Dialect::Access, strConnection, strError);
}

bool CDatabaseMigrationObj::MigrateOracle(std::string strConnection, std::string& strError) {
    return driver::RunMigration(driver::ThreadPhaseTable(), db::Dialect::Oracle, strConnection, strError);
}

bool CDatabaseMigrationObj::MigrateSQL(std::string strConnection, std::string& strError) {
    return driver::RunMigration(driver::ThreadPhaseTable(), db::Dialect::SqlServer, strConnection, strError);
}

bool CDatabaseMigrationObj::SetProgressWindow(ProgressWindow where, std::string& strError) {
    if (where == ProgressWindow::Nowhere) {
        ui::SetProgressRendererFactory(nullptr);
        return true;
    }
    std::string why;
    if (!ui::OpenDesktop(why)) {
        strError = why;
        return false;
    }
    ui::SetProgressRendererFactory(ui::DesktopRendererFactory());
    return true;
}

}  // namespace tmigration
