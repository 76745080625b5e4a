#include "ui/TerminalProgressRenderer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ui/WindowSystem.h"
#include "ui/frmProgress.h"

namespace tmigration::ui {
namespace {

class TerminalRenderer : public ::testing::Test {
  protected:
    void Install(TerminalProgressRenderer::Mode mode) {
        SetProgressRendererFactory(
            [this, mode] { return std::make_unique<TerminalProgressRenderer>(out, mode, 10); });
    }
    void TearDown() override { SetProgressRendererFactory(nullptr); }

    std::ostringstream out;
};

TEST_F(TerminalRenderer, LinesModeWritesOneLinePerNewInformationLine) {
    Install(TerminalProgressRenderer::Mode::Lines);
    frmProgress window;
    window.Show();
    window.UpdateOverallPercentDone(0);  // no information line yet: nothing
    window.UpdateInfoLabel("Connecting to Database...");
    window.UpdatePercentDone(0);
    window.UpdatePercentDone(100);  // same line: nothing more
    window.UpdateOverallPercentDone(6);
    window.UpdateInfoLabel("Migrating Gages...");
    window.UpdatePercentDone(0);
    window.Hide();
    window.UpdateInfoLabel("Disconnecting from Database...");
    window.UpdatePercentDone(1);  // hidden: not drawn
    EXPECT_EQ(out.str(), "[  0%] Connecting to Database...\n[  6%] Migrating Gages...\n");
}

TEST_F(TerminalRenderer, InPlaceModeRedrawsTheThreeLines) {
    Install(TerminalProgressRenderer::Mode::InPlace);
    frmProgress window;
    window.Show();
    window.UpdateInfoLabel("Migrating Gages...");
    window.UpdatePercentDone(0);
    const std::string first = out.str();
    window.UpdateOverallPercentDone(50);
    EXPECT_EQ(out.str().substr(first.size()),
              "\x1b[3F"
              "\x1b[2KMigrating Gages...\n"
              "\x1b[2KOverall Progress [#####.....]  50%\n"
              "\x1b[2K                 [..........]   0%\n");
    EXPECT_EQ(first.find("\x1b[3F"), std::string::npos);  // the first drawing starts where the cursor is
}

TEST_F(TerminalRenderer, InPlaceModeSkipsUnchangedDrawingsAndBlanksAHiddenBar) {
    Install(TerminalProgressRenderer::Mode::InPlace);
    frmProgress window;
    window.Show();
    window.UpdatePercentDone(-1);
    const std::string drawn = out.str();
    EXPECT_NE(drawn.find("\x1b[2K                 " + std::string(17, ' ') + "\n"), std::string::npos);
    DoEvents();
    EXPECT_EQ(out.str(), drawn);
}

}  // namespace
}  // namespace tmigration::ui
