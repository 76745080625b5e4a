// The few file-system operations the migration needs, each failing with a readable description
// (std::runtime_error) that a step can copy into its error text.
#pragma once

#include <string>

namespace tmigration::core::files {

void Delete(const std::string& path);
// Gives the file at `from` the name `to`; fails when `to` exists.
void Rename(const std::string& from, const std::string& to);

}  // namespace tmigration::core::files
