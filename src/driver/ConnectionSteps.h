// The driver's two connection steps on the shared connection. Each names itself in the progress
// window; on failure strError is the provider's description, unchanged, the window is hidden and
// the result is false.
#pragma once

#include <string>

namespace tmigration::driver {

// Opens gConnection with the given connection string and no command time-out.
bool ConnectToDatabase(const std::string& strConnection, std::string& strError);
// Closes gConnection.
bool DisconnectFromDatabase(std::string& strError);

}  // namespace tmigration::driver
