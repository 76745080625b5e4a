// Every module's legacy tables, built once per dialect and test build into a file of the build
// folder and copied for each test that needs them: building them takes far longer than a copy.
// Test processes run side by side, so a cache file appears in one step (written aside, renamed).
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
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

inline std::string CachedLegacyDatabase(db::Dialect dialect) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(TMIGRATION_TEST_CACHE_DIR);
    const fs::path file =
        folder / ("legacy-" + std::to_string(static_cast<int>(dialect)) + "-" + TestBuildStamp() + ".db");
    if (fs::exists(file)) return file.string();

    fs::create_directories(folder);
    const fs::path aside = file.string() + "." + std::to_string(::getpid()) + ".part";
    fs::remove(aside);
    db::embedded::CreateEmbeddedDatabase(aside.string());
    {
        db::Connection c;
        c.SetDialect(dialect);
        c.Open("Provider=SQLite;Data Source=" + aside.string() + ";");
        for (legacy::Module module : legacy::kAllModules) {
            const auto run = [&](const std::string& sql) {
                c.Execute(sql);
                return true;
            };
            if (!legacy::ForEachLegacyStatement(module, dialect, run, {}))
                throw std::runtime_error("legacy tables of " + std::string(legacy::ModuleName(module)));
        }
        c.Close();
    }
    fs::rename(aside, file);
    // Files of earlier builds are of no further use.
    const std::string prefix = "legacy-" + std::to_string(static_cast<int>(dialect)) + "-";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(".db") && entry.path() != file)
            fs::remove(entry.path(), ec);
    }
    return file.string();
}

}  // namespace tmigration::testing
