#include "driver/CompactAndRepairDatabase.h"

#include <cerrno>
#include <filesystem>
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

std::string FileBehindLinks(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const std::filesystem::path target = std::filesystem::canonical(path, ec);
    return ec ? path : target.string();
}

std::string TemporaryCompactPath(const std::string& path) {
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) throw std::invalid_argument(std::generic_category().message(EINVAL));
    return path.substr(0, dot) + "1" + path.substr(dot);
}

bool CompactAndRepairDatabase(const std::string& path, std::string& strError) {
    return core::RunStep({"Compacting and Repairing Database...", "Compacting and Repairing Database: "},
                         strError, [&](core::Step& step) {
                             // A data source that is a symbolic link keeps being one: the file it
                             // points to is the one replaced by its compacted copy.
                             const std::string file = FileBehindLinks(path);
                             const std::string temporary = TemporaryCompactPath(file);
                             db::CompactDatabase(kProvider + file, kProvider + temporary + kEngineType5);
                             core::files::Delete(file);
                             ui::DoEvents();
                             core::files::Rename(temporary, file);
                             step.ShowPercent(100);
                         });
}

}  // namespace tmigration::driver
