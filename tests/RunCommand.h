// Runs a shell command and captures what it writes to standard output and standard error.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace tmigration::testing {

struct CommandResult {
    int exitCode = -1;
    std::string out;  // standard output followed by standard error when merged
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult r;
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    std::size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

inline std::string Tmigrate() {
    return TMIGRATE_BINARY;
}

}  // namespace tmigration::testing
