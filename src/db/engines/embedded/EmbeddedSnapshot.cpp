#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "db/DbError.h"
#include "db/FileSnapshot.h"

namespace tmigration::db {
namespace {

namespace fs = std::filesystem;

std::string SystemError() {
    return std::strerror(errno);
}

// Closes a file descriptor when it goes out of scope.
struct FileHandle {
    int fd = -1;
    ~FileHandle() {
        if (fd >= 0) ::close(fd);
    }
};

void SyncFile(const std::string& path) {
    FileHandle file{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0 || ::fsync(file.fd) != 0) throw DbError(SystemError());
}

// A rename lasts once the folder's entries are on the disk.
void SyncFolderOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    FileHandle folder{::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0) ::fsync(folder.fd);
}

void RemoveIfPresent(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw DbError("could not remove '" + path + "': " + SystemError());
}

void RenameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw DbError("could not rename '" + from + "' to '" + to + "': " + SystemError());
    SyncFolderOf(to);
}

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using DatabaseHandle = std::unique_ptr<sqlite3, CloseDatabase>;

DatabaseHandle Open(const std::string& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, flags, nullptr);
    DatabaseHandle handle(raw);
    if (rc != SQLITE_OK) throw DbError(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc));
    return handle;
}

// One consistent copy of every page, the write-ahead log's included, through the engine's own
// backup: the database file itself is only read.
void CopyDatabase(const std::string& source, const std::string& destination) {
    DatabaseHandle from = Open(source, SQLITE_OPEN_READONLY);
    sqlite3_busy_timeout(from.get(), 10000);
    DatabaseHandle to = Open(destination, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) throw DbError(sqlite3_errmsg(to.get()));
    const int stepped = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throw DbError(sqlite3_errcode(to.get()) != SQLITE_OK ? sqlite3_errmsg(to.get())
                                                             : sqlite3_errmsg(from.get()));
}

// Byte for byte, with the mode of `modeOf` when that file exists.
void CopyBytes(const std::string& source, const std::string& destination, const std::string& modeOf) {
    struct stat st {};
    const mode_t mode = ::stat(modeOf.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644;
    FileHandle in{::open(source.c_str(), O_RDONLY | O_CLOEXEC)};
    if (in.fd < 0) throw DbError("could not read '" + source + "': " + SystemError());
    FileHandle out{::open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode)};
    if (out.fd < 0) throw DbError("could not write '" + destination + "': " + SystemError());
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in.fd, buffer.data(), buffer.size());
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            throw DbError("could not read '" + source + "': " + SystemError());
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.fd, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) throw DbError("could not write '" + destination + "': " + SystemError());
            done += w;
        }
    }
    if (::fsync(out.fd) != 0) throw DbError("could not write '" + destination + "': " + SystemError());
}

}  // namespace

std::string SnapshotPath(const std::string& databasePath) {
    return databasePath + ".before-migration";
}

void TakeSnapshot(const std::string& databasePath, const std::string& snapshotPath) {
    const std::string partial = snapshotPath + ".partial";
    try {
        // What an interrupted earlier attempt left is no snapshot.
        RemoveIfPresent(partial);
        RemoveIfPresent(partial + "-journal");
        std::error_code ec;
        if (fs::file_size(databasePath, ec) == 0 && !ec)
            CopyBytes(databasePath, partial, databasePath);
        else
            CopyDatabase(databasePath, partial);
        SyncFile(partial);
        RenameOver(partial, snapshotPath);
    } catch (const DbError& e) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        fs::remove(partial + "-journal", ignored);
        throw DbError("Could not take a snapshot of '" + databasePath + "': " + e.what());
    }
}

void RestoreSnapshot(const std::string& snapshotPath, const std::string& databasePath) {
    const std::string restoring = databasePath + ".restoring";
    try {
        CopyBytes(snapshotPath, restoring, databasePath);
        // The log files belong to the migrated file: left beside the snapshot they would be replayed
        // into it. Should the process die between here and the rename, the snapshot is still there
        // and the next restore starts again.
        for (const char* log : {"-wal", "-shm", "-journal"}) RemoveIfPresent(databasePath + log);
        RenameOver(restoring, databasePath);
    } catch (const DbError& e) {
        std::error_code ignored;
        fs::remove(restoring, ignored);
        throw DbError("Could not restore '" + databasePath + "' from '" + snapshotPath + "': " + e.what());
    }
}

void DiscardSnapshot(const std::string& snapshotPath) {
    RemoveIfPresent(snapshotPath);
    SyncFolderOf(snapshotPath);
}

}  // namespace tmigration::db
