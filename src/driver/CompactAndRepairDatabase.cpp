#include "driver/CompactAndRepairDatabase.h"

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "core/FileOperations.h"
#include "core/Step.h"
#include "db/Compact.h"
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
    return core::RunStep({"Compacting and Repairing Database...", "Compacting and Repairing Database: "},
                         strError, [&](core::Step& step) {
                             const std::string temporary = TemporaryCompactPath(path);
                             db::CompactDatabase(kProvider + path, kProvider + temporary + kEngineType5);
                             // The compacted copy takes the old file's place in one rename, so
                             // that the path names a whole database at every moment, even if the
                             // process dies here; a link as the path keeps pointing at it.
                             ui::DoEvents();
                             core::files::Replace(temporary, path);
                             step.ShowPercent(100);
                         });
}

}  // namespace tmigration::driver
