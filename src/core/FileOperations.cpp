#include "core/FileOperations.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
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

namespace {

// Flushes a file (or a folder's entries) to the disk; false when it cannot be opened or synced.
bool Sync(const fs::path& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

}  // namespace

void Replace(const std::string& from, const std::string& to) {
    const auto fail = [&](const std::string& why) {
        throw std::runtime_error("Could not replace '" + to + "' by '" + from + "': " + why);
    };
    std::error_code ec;
    fs::path target(to);
    if (fs::is_symlink(target, ec)) {
        target = fs::canonical(target, ec);
        if (ec) fail(ec.message());
    }
    if (!fs::is_regular_file(fs::path(from), ec)) fail("not a file or not found");
    if (!Sync(from, O_RDONLY)) fail(std::generic_category().message(errno));
    fs::rename(fs::path(from), target, ec);
    if (ec) fail(ec.message());
    // The rename itself lasts only once the folder's entries are on the disk.
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    Sync(folder, O_RDONLY | O_DIRECTORY);
}

}  // namespace tmigration::core::files
