// The few file-system operations the migration needs, each failing with a readable description
// (std::runtime_error) that a step can copy into its error text.
#pragma once

#include <string>

namespace tmigration::core::files {

void Delete(const std::string& path);
// Gives the file at `from` the name `to`; fails when `to` exists.
void Rename(const std::string& from, const std::string& to);
// Puts the file at `from` in place of the file at `to` in one step: there is no moment at which `to`
// names no file, and a crash leaves either the old file or the new one there. The new file is flushed
// to the disk first, and the folder after the rename. A symbolic link at `to` stays: the file it
// points at is the one replaced.
void Replace(const std::string& from, const std::string& to);

}  // namespace tmigration::core::files
