// A virtual X display for the desktop tests: an Xvfb server that picks a free display number itself,
// started once per test process and stopped at its end. The process's DISPLAY names it, and the
// component opens the desktop on the test's thread.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "ui/DesktopWindow.h"

namespace tmigration::testing {

class VirtualDisplay : public ::testing::Environment {
  public:
    void SetUp() override {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        pid_ = ::fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            ::close(pipeFds[0]);
            const std::string fd = std::to_string(pipeFds[1]);
            ::execlp(XVFB_PROGRAM, XVFB_PROGRAM, "-displayfd", fd.c_str(), "-screen", "0", "640x480x24",
                     "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        // The server writes its display number once it accepts clients.
        std::string number;
        char c;
        while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
        ::close(pipeFds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        display_ = ":" + number;
        ::setenv("DISPLAY", display_.c_str(), 1);
        ::unsetenv("WAYLAND_DISPLAY");
        ::setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus on a bare server
        std::string why;
        ASSERT_TRUE(ui::OpenDesktop(why)) << why;
    }

    void TearDown() override {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    const std::string& Display() const { return display_; }

  private:
    pid_t pid_ = -1;
    std::string display_;
};

}  // namespace tmigration::testing
