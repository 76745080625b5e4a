// Every module's legacy tables, built once per dialect and test build into a file of the build
// folder and copied for each test that needs them: building them takes far longer than a copy.
// Test processes run side by side, so a cache file appears in one step (written aside, renamed).
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "db/Connection.h"
#include "db/engines/embedded/EmbeddedSession.h"
#include "legacy/catalog/LegacyCreateAll.h"

namespace tmigration::testing {

// A cache file is valid for the test binary that wrote it: a rebuild may change the catalogs.
inline std::string TestBuildStamp() {
    struct stat info {};
    if (::stat("/proc/self/exe", &info) != 0) return "unknown";
    return std::to_string(info.st_mtime) + "-" + std::to_string(info.st_size);
}

// The database file `name` of the build's cache folder, made by `make` (given the path to write)
// the first time a test of this build asks for it. Test processes run side by side: the file is
// written aside and renamed, so that none reads half of it. Files of earlier builds of the same name
// are removed.
inline std::string CachedDatabaseFile(const std::string& name,
                                      const std::function<void(const std::string&)>& make) {
    namespace fs = std::filesystem;
    // A folder per test program: each removes only the files its own earlier builds left.
    std::error_code ec;
    const fs::path folder =
        fs::path(TMIGRATION_TEST_CACHE_DIR) / fs::read_symlink("/proc/self/exe", ec).filename();
    const std::string prefix = name + "-";
    const fs::path file = folder / (prefix + TestBuildStamp() + ".db");
    if (fs::exists(file)) return file.string();
    fs::create_directories(folder);
    const fs::path aside = file.string() + "." + std::to_string(::getpid()) + ".part";
    fs::remove(aside);
    make(aside.string());
    fs::rename(aside, file);
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string entryName = entry.path().filename().string();
        if (!entryName.starts_with(prefix) || !entryName.ends_with(".db") || entry.path() == file) continue;
        // Only this name's files: the rest is a build stamp, "time-size", never another name's "x-time-size".
        const std::string rest = entryName.substr(prefix.size());
        if (std::count(rest.begin(), rest.end(), '-') == 1) fs::remove(entry.path(), ec);
    }
    return file.string();
}

inline std::string CachedLegacyDatabase(db::Dialect dialect) {
    return CachedDatabaseFile(
        "legacy-" + std::to_string(static_cast<int>(dialect)), [&](const std::string& path) {
            db::embedded::CreateEmbeddedDatabase(path);
            db::Connection c;
            c.SetDialect(dialect);
            c.Open("Provider=SQLite;Data Source=" + path + ";");
            for (legacy::Module module : legacy::kAllModules) {
                const auto run = [&](const std::string& sql) {
                    c.Execute(sql);
                    return true;
                };
                if (!legacy::ForEachLegacyStatement(module, dialect, run, {}))
                    throw std::runtime_error("legacy tables of " + std::string(legacy::ModuleName(module)));
            }
            c.Close();
        });
}

}  // namespace tmigration::testing
