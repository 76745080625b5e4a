#include "driver/ConnectionSteps.h"

#include <exception>

#include "driver/SharedConnection.h"
#include "driver/SharedProgressWindow.h"

namespace tmigration::driver {

bool ConnectToDatabase(const std::string& strConnection, std::string& strError) {
    ui::frmProgress& window = frmProgress();
    try {
        window.UpdateInfoLabel("Connecting to Database...");
        window.UpdatePercentDone(0);
        db::Connection& connection = gConnection();
        connection.SetConnectionString(strConnection);
        connection.SetCommandTimeout(0);
        connection.Open("", "", "");
        window.UpdatePercentDone(100);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        window.Hide();
        return false;
    }
}

bool DisconnectFromDatabase(std::string& strError) {
    ui::frmProgress& window = frmProgress();
    try {
        window.UpdateInfoLabel("Disconnecting from Database...");
        window.UpdatePercentDone(0);
        gConnection().Close();
        window.UpdatePercentDone(100);
        return true;
    } catch (const std::exception& e) {
        strError = e.what();
        window.Hide();
        return false;
    }
}

}  // namespace tmigration::driver
