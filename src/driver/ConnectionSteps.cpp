#include "driver/ConnectionSteps.h"

#include <exception>
#include <functional>

#include "driver/SharedConnection.h"
#include "driver/SharedProgressWindow.h"

namespace tmigration::driver {
namespace {

// Both connection steps name themselves, run from 0 to 100 on the step bar, and on any error
// hand the provider's message on unchanged and hide the window.
bool RunConnectionStep(const char* infoText, const std::function<void()>& work, std::string& strError) {
    ui::frmProgress& window = frmProgress();
    try {
        window.UpdateInfoLabel(infoText);
        window.UpdatePercentDone(0);
        work();
        window.UpdatePercentDone(100);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        window.Hide();
        return false;
    }
}

}  // namespace

bool ConnectToDatabase(const std::string& strConnection, std::string& strError) {
    return RunConnectionStep(
        "Connecting to Database...",
        [&] {
            db::Connection& connection = gConnection();
            connection.SetConnectionString(strConnection);
            connection.SetCommandTimeout(0);
            connection.Open("", "", "");
        },
        strError);
}

bool DisconnectFromDatabase(std::string& strError) {
    return RunConnectionStep(
        "Disconnecting from Database...", [] { gConnection().Close(); }, strError);
}

}  // namespace tmigration::driver
