#include "driver/MigrationDriver.h"

#include <chrono>

#include "core/SharedConnection.h"
#include "core/SharedProgressWindow.h"
#include "driver/ConnectionSteps.h"
#include "ui/WindowSystem.h"

namespace tmigration::driver {
namespace {

PhaseObserver& Observer() {
    thread_local PhaseObserver observer;
    return observer;
}

// Runs one phase's step, telling the observer how it went.
bool RunPhase(const PhaseEntry& entry, const PhaseContext& context, std::string& strError) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = entry.step(context, strError);
    if (Observer())
        Observer()(entry.phase, ok,
                   std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return ok;
}

// DisconnectFromDatabase writes strError only when closing itself fails, so the failing phase's
// message reaches the caller unchanged.
void TakeFailureExit(FailureExit exit, std::string& strError) {
    ui::frmProgress& window = core::frmProgress();
    switch (exit) {
        case FailureExit::UnloadWindow:
            window.Unload();
            break;
        case FailureExit::UnloadWindowThenDisconnect:
            window.Unload();
            DisconnectFromDatabase(strError);
            // Disconnecting names itself on the window and so loads it again, hidden; the call
            // still leaves the thread without a loaded window.
            window.Unload();
            break;
        case FailureExit::DisconnectThenUnloadWindow:
            DisconnectFromDatabase(strError);
            window.Unload();
            break;
    }
    ui::SetMousePointer(ui::vbDefault);
}

}  // namespace

bool RunMigration(const PhaseTable& phases, db::Dialect databaseType, const std::string& strConnection,
                  std::string& strError) {
    ui::frmProgress& window = core::frmProgress();
    window.Load();
    window.Show();
    ui::SetMousePointer(ui::vbHourglass);
    window.UpdateOverallPercentDone(0);

    // Without a connection in the slot the connect step reports it.
    if (const auto& connection = core::gConnectionSlot()) connection->SetDialect(databaseType);

    const PhaseContext context{databaseType, strConnection};
    try {
        for (const PhaseEntry& entry : phases.Entries()) {
            if (entry.accessOnly && databaseType != db::Dialect::Access) continue;
            if (!RunPhase(entry, context, strError)) {
                TakeFailureExit(entry.onFailure, strError);
                return false;
            }
            if (entry.overallAfter) window.UpdateOverallPercentDone(*entry.overallAfter);
        }
    } catch (...) {
        // An error raised out of the driver leaves the window loaded, but nothing will update it
        // again: it is taken off the screen and the pointer given back before the error reaches
        // the caller.
        window.Hide();
        ui::SetMousePointer(ui::vbDefault);
        throw;
    }

    window.UpdateOverallPercentDone(100);
    window.Unload();
    ui::SetMousePointer(ui::vbDefault);
    return true;
}

void SetPhaseObserver(PhaseObserver observer) {
    Observer() = std::move(observer);
}

}  // namespace tmigration::driver
