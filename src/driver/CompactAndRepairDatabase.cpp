#include "driver/CompactAndRepairDatabase.h"

#include <cerrno>
#include <exception>
#include <stdexcept>
#include <system_error>

#include "driver/FileOperations.h"
#include "driver/JetCompact.h"
#include "driver/SharedProgressWindow.h"
#include "ui/WindowSystem.h"

namespace tmigration::driver {
namespace {

constexpr const char* kProvider = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
constexpr const char* kEngineType5 = " ;Jet OLEDB:Engine Type=5";

}  // namespace

std::string TemporaryCompactPath(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) throw std::invalid_argument(std::generic_category().message(EINVAL));
    return path.substr(0, dot) + "1" + path.substr(dot);
}

bool CompactAndRepairDatabase(const std::string& path, std::string& strError) {
    ui::frmProgress& window = frmProgress();
    window.UpdateInfoLabel("Compacting and Repairing Database...");
    window.UpdatePercentDone(0);
    try {
        const std::string temporary = TemporaryCompactPath(path);
        CompactDatabase(kProvider + path, kProvider + temporary + kEngineType5);
        files::Delete(path);
        ui::DoEvents();
        files::Rename(temporary, path);
        window.UpdatePercentDone(100);
        return true;
    } catch (const std::exception& e) {
        strError = "Compacting and Repairing Database: " + std::string(e.what());
        window.Hide();
        return false;
    }
}

}  // namespace tmigration::driver
