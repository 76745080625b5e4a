// CompactAndRepairDatabase: after the connection is closed, replaces an Access database file by
// its compacted copy (written next to it under the temporary name, then renamed). On failure the
// progress window is hidden and strError reads "Compacting and Repairing Database: ...".
#pragma once

#include <string>

namespace tmigration::driver {

// The path with "1" inserted before its last "." (C:\data\plant.mdb -> C:\data\plant1.mdb);
// std::invalid_argument when the path holds no ".".
std::string TemporaryCompactPath(const std::string& path);
// The file a path names once symbolic links are followed (the path itself when it is no link).
std::string FileBehindLinks(const std::string& path);

bool CompactAndRepairDatabase(const std::string& path, std::string& strError);

}  // namespace tmigration::driver
