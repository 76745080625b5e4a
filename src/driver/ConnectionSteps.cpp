#include "driver/ConnectionSteps.h"

#include "core/SharedConnection.h"
#include "core/Step.h"

namespace tmigration::driver {

bool ConnectToDatabase(const std::string& strConnection, std::string& strError) {
    return core::RunStep({"Connecting to Database...", ""}, strError, [&](core::Step& step) {
        db::Connection& connection = core::gConnection();
        connection.SetConnectionString(strConnection);
        connection.SetCommandTimeout(0);
        connection.Open("", "", "");
        step.ShowPercent(100);
    });
}

bool DisconnectFromDatabase(std::string& strError) {
    return core::RunStep({"Disconnecting from Database...", ""}, strError, [](core::Step& step) {
        core::gConnection().Close();
        step.ShowPercent(100);
    });
}

}  // namespace tmigration::driver
