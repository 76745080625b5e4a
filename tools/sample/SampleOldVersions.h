// A sample plant at older module versions: the plant is written at the last version, then each module
// named is aged back, newest major step first, to the version asked for: the tables and columns its
// later steps add are dropped, what they drop is put back, and rows are carried into the old forms the
// upgrade's conversions change again (machine events back on the machines, duplicate material numbers,
// unit and shape texts, ...), before the module's version row is set to "major.minor".
//
// Modules whose tables point at Common tables that an old Common version did not have yet are left
// out of such a plant, as a plant that old ran without them; the migration installs them afresh.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "db/Connection.h"
#include "legacy/catalog/LegacyModule.h"

namespace tmigration::sample {

struct ModuleVersion {
    legacy::Module module;
    int major = 0;
    std::string minor;  // the digits after the point
};

// Parses "MODULE=MAJOR.MINOR" ("common=44.120"); throws std::invalid_argument with a message naming
// what is wrong.
ModuleVersion ParseModuleVersion(std::string_view text);

// The modules a plant at these versions leaves out.
std::vector<legacy::Module> ModulesLeftOut(std::span<const ModuleVersion> versions);

// Throws std::invalid_argument for a version this program cannot produce in the dialect: a module named
// twice, a major the upgrade has no step for, a module that cannot be part of a plant at the Common
// version asked for.
void CheckModuleVersions(db::Dialect dialect, std::span<const ModuleVersion> versions);

// On a connection to a written sample plant: ages each named module. Throws std::invalid_argument for a
// version this program cannot produce in the connection's dialect (see CheckModuleVersions), db::DbError when
// the database refuses a statement.
void AgeSamplePlant(db::Connection& connection, std::span<const ModuleVersion> versions);

}  // namespace tmigration::sample
