// The safety net of `tmigrate migrate` on a database file: a snapshot of the file is taken before the
// component starts, and put back when the migration fails, is interrupted (SIGINT, SIGTERM, SIGHUP) or
// its process dies. The component runs in a child process so that this process outlives it and can
// restore the file once nothing writes to it any more. If this process itself is killed, the child
// dies with it and the snapshot stays next to the file: the next run finds it and offers
// `tmigrate restore CONNECTION`.
//
// While a run works on a file it holds an advisory lock on it (flock, which the database engine's own
// record locks do not see), shared with its child: a second run, or a restore, waits until both are
// gone and never copies a file that is still being written.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "Commands.h"
#include "db/ConnectionString.h"
#include "db/DbError.h"
#include "db/FileSnapshot.h"
#include "driver/CompactAndRepairDatabase.h"

namespace tmigrate {
namespace {

namespace fs = std::filesystem;
using tmigration::db::DbError;

// How long a restore waits for a run that still holds the file (a child about to die with its parent).
constexpr auto kLockWait = std::chrono::seconds(30);

// The advisory lock on the database file, held until destroyed (and by any child it was passed on to).
class FileLock {
  public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock() {
        if (fd_ >= 0) ::close(fd_);
    }

    // Locks the file at `path`, waiting up to `wait`; false when another run holds it that long.
    // A file renamed over while waiting (a compaction or restore of the other run) is locked anew.
    bool Acquire(const std::string& path, std::chrono::milliseconds wait) {
        const auto until = std::chrono::steady_clock::now() + wait;
        for (;;) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            if (fd < 0) return false;
            if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
                struct stat held {
                }, now{};
                if (::fstat(fd, &held) == 0 && ::stat(path.c_str(), &now) == 0 && held.st_ino == now.st_ino &&
                    held.st_dev == now.st_dev) {
                    fd_ = fd;
                    return true;
                }
            }
            ::close(fd);
            if (std::chrono::steady_clock::now() >= until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }

  private:
    int fd_ = -1;
};

// The pid of the running child and the signal that asked this process to stop.
volatile sig_atomic_t gChild = 0;
volatile sig_atomic_t gStopSignal = 0;

extern "C" void ForwardStop(int signal) {
    gStopSignal = signal;
    if (gChild > 0) ::kill(static_cast<pid_t>(gChild), signal);
}

// Installs the stop handlers for the life of the object and puts the old ones back after.
class StopSignals {
  public:
    StopSignals() {
        struct sigaction action {};
        action.sa_handler = ForwardStop;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &action, &old_[i]);
    }
    ~StopSignals() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &old_[i], nullptr);
    }
    // The child starts with the default actions: a stop signal ends it at once.
    static void DefaultsInChild() {
        for (int s : kSignals) ::signal(s, SIG_DFL);
    }

  private:
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, 3> old_{};
};

// The compacted copy an interrupted compaction left beside the file (written after the snapshot was
// taken, so it is the migration's): it would make the next compaction fail.
void RemoveCompactionLeftover(const std::string& connection, const std::string& path,
                              const std::string& snapshot) {
    std::vector<std::string> names{path};
    if (auto dataSource = tmigration::db::ConnectionStringValue(connection, "Data Source"))
        names.push_back(*dataSource);
    std::error_code ec;
    const auto taken = fs::last_write_time(snapshot, ec);
    if (ec) return;
    for (const std::string& name : names) {
        std::string temporary;
        try {
            temporary = tmigration::driver::TemporaryCompactPath(name);
        } catch (const std::invalid_argument&) {
            continue;
        }
        if (fs::is_regular_file(temporary, ec) && fs::last_write_time(temporary, ec) >= taken && !ec)
            fs::remove(temporary, ec);
    }
}

// Puts the snapshot back and removes it; false (with the reason on standard error) when it cannot.
bool Restore(const std::string& connection, const std::string& snapshot, const std::string& path) {
    try {
        RemoveCompactionLeftover(connection, path, snapshot);
        tmigration::db::RestoreSnapshot(snapshot, path);
        tmigration::db::DiscardSnapshot(snapshot);
        return true;
    } catch (const DbError& e) {
        std::cerr << e.what() << "\nThe snapshot stays at '" << snapshot
                  << "': run `tmigrate restore CONNECTION` once the cause is removed.\n";
        return false;
    }
}

std::string Describe(int status) {
    if (WIFSIGNALED(status)) return std::string("signal ") + ::strsignal(WTERMSIG(status));
    return "exit code " + std::to_string(WEXITSTATUS(status));
}

}  // namespace

int GuardWithSnapshot(const std::string& connection, bool takeSnapshot, const std::function<int()>& migrate) {
    const auto path = tmigration::db::FileDatabasePath(connection);
    std::error_code ec;
    // No file to copy: the component itself reports the missing file and changes nothing.
    if (!path || !fs::is_regular_file(*path, ec)) return migrate();
    FileLock lock;
    if (!lock.Acquire(*path, std::chrono::milliseconds(0))) {
        std::cerr << "Another tmigrate is working on '" << *path
                  << "'; the database was not touched. Try again once it has finished.\n";
        return 1;
    }
    const std::string snapshot = tmigration::db::SnapshotPath(*path);
    if (fs::exists(snapshot, ec)) {
        std::cerr
            << "An earlier migration of '" << *path << "' did not finish: the snapshot taken before it is '"
            << snapshot
            << "', and the database may be half-migrated. Run `tmigrate restore CONNECTION` to put the "
               "database back as it was before that migration (or remove the snapshot to keep the database "
               "as it is now); the database was not touched.\n";
        return 1;
    }
    if (!takeSnapshot) return migrate();
    try {
        tmigration::db::TakeSnapshot(*path, snapshot);
    } catch (const DbError& e) {
        std::cerr << e.what() << "; the database was not touched (--no-snapshot migrates without one).\n";
        return 1;
    }

    // What is buffered would otherwise be written twice, by both processes.
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    const pid_t parent = ::getpid();
    StopSignals stops;
    const pid_t child = ::fork();
    if (child < 0) {
        std::cerr << "Could not start the migration: " << std::strerror(errno)
                  << "; the database was not touched.\n";
        tmigration::db::DiscardSnapshot(snapshot);
        return 1;
    }
    if (child == 0) {
        // Dies with this process: nothing may write to the file after the one who restores it is gone.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) ::_exit(1);
        StopSignals::DefaultsInChild();
        if (gStopSignal) ::raise(gStopSignal);
        return migrate();
    }
    gChild = child;
    if (gStopSignal) ::kill(child, gStopSignal);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    gChild = 0;

    const bool finished = WIFEXITED(status) && gStopSignal == 0;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 1;
    // Success, or a run that refused to start (no window could be shown): the file is as it should be.
    if (finished && (code == 0 || code == kNothingStarted)) {
        tmigration::db::DiscardSnapshot(snapshot);
        return code;
    }
    if (gStopSignal)
        std::cerr << "The migration was interrupted (" << ::strsignal(gStopSignal) << ").\n";
    else if (!WIFEXITED(status))
        std::cerr << "The migration process ended abnormally (" << Describe(status) << ").\n";
    if (!Restore(connection, snapshot, *path)) return 1;
    std::cerr << "The database was restored to its state before the migration.\n";
    return gStopSignal ? 128 + gStopSignal : 1;
}

namespace {

int RestoreCommand(const std::string& connection) {
    const auto path = tmigration::db::FileDatabasePath(connection);
    if (!path) {
        std::cerr << "The connection string names no database file: only a file database has a snapshot.\n";
        return 1;
    }
    const std::string snapshot = tmigration::db::SnapshotPath(*path);
    std::error_code ec;
    if (!fs::exists(snapshot, ec)) {
        std::cerr << "No snapshot of '" << *path << "' is waiting to be restored (it would be '" << snapshot
                  << "').\n";
        return 1;
    }
    // The file may be missing (the process died between two steps of an earlier restore): the
    // snapshot alone is then put in its place.
    FileLock lock;
    if (fs::exists(*path, ec) && !lock.Acquire(*path, kLockWait)) {
        std::cerr << "Another tmigrate is still working on '" << *path << "'; nothing was restored.\n";
        return 1;
    }
    if (!Restore(connection, snapshot, *path)) return 1;
    std::cout << "The database '" << *path << "' was restored to its state before the migration.\n";
    return 0;
}

}  // namespace

void AddRestoreCommand(CLI::App& app) {
    auto* cmd = app.add_subcommand(
        "restore",
        "Put back the snapshot of a database file that a migration which did not finish left behind");
    static std::string connection;
    cmd->add_option("CONNECTION", connection,
                    "connection string of the database file, e.g. "
                    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=plant.mdb;")
        ->required();
    cmd->callback([] { ExitCode() = RestoreCommand(connection); });
}

}  // namespace tmigrate
