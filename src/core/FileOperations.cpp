#include "core/FileOperations.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace tmigration::core::files {
namespace fs = std::filesystem;

void Delete(const std::string& path) {
    std::error_code ec;
    const fs::path file(path);
    if (!fs::is_regular_file(file, ec))
        throw std::runtime_error("Could not delete '" + path +
                                 "': " + (ec ? ec.message() : std::string("not a file or not found")));
    if (!fs::remove(file, ec) || ec)
        throw std::runtime_error("Could not delete '" + path + "': " + (ec ? ec.message() : "not found"));
}

void Rename(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (fs::exists(fs::path(to), ec))
        throw std::runtime_error("Could not rename '" + from + "' to '" + to + "': the file already exists");
    fs::rename(fs::path(from), fs::path(to), ec);
    if (ec) throw std::runtime_error("Could not rename '" + from + "' to '" + to + "': " + ec.message());
}

}  // namespace tmigration::core::files
