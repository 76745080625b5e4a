#include "ui/frmProgress.h"

#include <gtest/gtest.h>

#include <ostream>
#include <thread>

#include "ui/RecordingRenderer.h"
#include "ui/WindowSystem.h"

namespace tmigration::ui {
namespace {

using testing::ScopedRecordingRenderer;

// The two bars follow the same drawing rules; each case names one of them.
struct Bar {
    const char* name;
    void (frmProgress::*update)(std::int16_t);
    const Label& (frmProgress::*bar)() const;
    const Label& (frmProgress::*percent)() const;
    std::int16_t (frmProgress::*lastShown)() const;
};

std::ostream& operator<<(std::ostream& os, const Bar& c) {
    return os << c.name;
}

const Bar kStepBar{"step", &frmProgress::UpdatePercentDone, &frmProgress::lblProgress,
                   &frmProgress::lblPercent, &frmProgress::LastPercentShown};
const Bar kOverallBar{"overall", &frmProgress::UpdateOverallPercentDone, &frmProgress::lblOverallProgress,
                      &frmProgress::lblOverallPercent, &frmProgress::LastOverallPercentShown};

class ProgressBar : public ::testing::TestWithParam<Bar> {
  protected:
    void Update(std::int16_t p) { (window.*(GetParam().update))(p); }
    const Label& BarLabel() const { return (window.*(GetParam().bar))(); }
    const Label& PercentLabel() const { return (window.*(GetParam().percent))(); }

    ScopedRecordingRenderer recorder;
    frmProgress window;
};

TEST_P(ProgressBar, FirstUpdateOfZeroDrawsAnEmptyBar) {
    window.Load();
    EXPECT_EQ((window.*(GetParam().lastShown))(), -999);
    Update(0);
    EXPECT_EQ(PercentLabel().Caption, "0%");
    EXPECT_EQ(BarLabel().Width, 0);
    EXPECT_TRUE(BarLabel().Visible);
    EXPECT_TRUE(PercentLabel().Visible);
    EXPECT_EQ(recorder.log.processed, 1);
}

TEST_P(ProgressBar, RepeatedValueNeitherRedrawsNorYields) {
    Update(40);
    Update(40);
    EXPECT_EQ(recorder.log.processed, 1);
    Update(41);
    EXPECT_EQ(recorder.log.processed, 2);
}

TEST_P(ProgressBar, HalfIsExactlyHalfThePercentLabel) {
    Update(50);
    EXPECT_DOUBLE_EQ(BarLabel().Width, PercentLabel().Width / 2);
    EXPECT_DOUBLE_EQ(BarLabel().Width, 2002.5);
    EXPECT_EQ(BarLabel().Left, PercentLabel().Left);
    EXPECT_EQ(PercentLabel().Caption, "50%");
    EXPECT_GT(PercentLabel().ZOrder, BarLabel().ZOrder);
}

TEST_P(ProgressBar, NegativeValueHidesTheBarUntilTheNextValue) {
    Update(30);
    Update(-1);
    EXPECT_FALSE(BarLabel().Visible);
    EXPECT_FALSE(PercentLabel().Visible);
    EXPECT_EQ(PercentLabel().Caption, "30%");
    EXPECT_EQ(recorder.log.processed, 2);
    Update(100);
    EXPECT_TRUE(BarLabel().Visible);
    EXPECT_TRUE(PercentLabel().Visible);
    EXPECT_DOUBLE_EQ(BarLabel().Width, PercentLabel().Width);
}

TEST_P(ProgressBar, UnloadForgetsTheValueShown) {
    Update(20);
    window.Unload();
    Update(20);
    EXPECT_EQ(recorder.log.processed, 2);
    EXPECT_EQ(recorder.log.alive, 1);  // a fresh renderer for the fresh load
}

INSTANTIATE_TEST_SUITE_P(Bars, ProgressBar, ::testing::Values(kStepBar, kOverallBar),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(frmProgress, LoadLaysOutTheDesignAndClearsTheInformationLine) {
    frmProgress window;
    window.Load();
    EXPECT_EQ(window.Caption(), "Database Migration");
    EXPECT_EQ(window.lblOverall().Caption, "Overall Progress");
    EXPECT_EQ(window.lblInfo().Caption, "");
    EXPECT_EQ(window.lblOverallPercent().Caption, "0%");
    EXPECT_EQ(window.lblPercent().Caption, "0%");
    for (const Label* l :
         {&window.lblOverall(), &window.lblOverallPercent(), &window.lblInfo(), &window.lblPercent()}) {
        EXPECT_EQ(l->Left, 345);
        EXPECT_EQ(l->Width, 4005);
        EXPECT_EQ(l->Height, 315);
    }
    EXPECT_EQ(window.lblProgress().Width, 1365);
    EXPECT_EQ(window.lblOverall().Top, 210);
    EXPECT_EQ(window.lblOverallPercent().Top, 525);
    EXPECT_EQ(window.lblInfo().Top, 1125);
    EXPECT_EQ(window.lblPercent().Top, 1440);
    EXPECT_FALSE(window.Visible());
}

TEST(frmProgress, InformationLineIsDrawnAtTheNextPercentage) {
    ScopedRecordingRenderer recorder;
    frmProgress window;
    window.UpdateInfoLabel("Migrating Gages...");
    EXPECT_EQ(recorder.log.processed, 0);
    window.UpdatePercentDone(0);
    ASSERT_EQ(recorder.log.infoSeen.size(), 1u);
    EXPECT_EQ(recorder.log.infoSeen[0], "Migrating Gages...");
}

TEST(frmProgress, HiddenWindowKeepsChangingItsLabels) {
    ScopedRecordingRenderer recorder;
    frmProgress window;
    window.UpdatePercentDone(10);  // any call loads the window, without showing it
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_FALSE(window.Visible());
    window.Show();
    window.Hide();
    window.UpdatePercentDone(60);
    EXPECT_FALSE(window.Visible());
    EXPECT_EQ(window.lblPercent().Caption, "60%");
    EXPECT_EQ(recorder.log.shown, 1);
    EXPECT_EQ(recorder.log.hidden, 1);
}

TEST(frmProgress, DrawingErrorsNeverReachTheCaller) {
    ScopedRecordingRenderer recorder;
    recorder.log.failDrawing = true;
    frmProgress window;
    window.Show();
    EXPECT_NO_THROW(window.UpdatePercentDone(5));
    EXPECT_EQ(window.lblPercent().Caption, "5%");
}

TEST(frmProgress, RendererThatCannotBeMadeLeavesAWindowThatDrawsNothing) {
    SetProgressRendererFactory(
        []() -> std::unique_ptr<ProgressRenderer> { throw std::runtime_error("no display"); });
    frmProgress window;
    EXPECT_NO_THROW(window.Show());
    EXPECT_TRUE(window.IsLoaded());
    EXPECT_TRUE(window.Visible());
    EXPECT_NO_THROW(window.UpdatePercentDone(40));
    EXPECT_EQ(window.lblPercent().Caption, "40%");
    window.Unload();
    SetProgressRendererFactory(nullptr);
}

TEST(frmProgress, DoEventsReachesLoadedWindowsOnly) {
    ScopedRecordingRenderer recorder;
    frmProgress window;
    DoEvents();
    EXPECT_EQ(recorder.log.processed, 0);
    window.Load();
    DoEvents();
    EXPECT_EQ(recorder.log.processed, 1);
    window.Unload();
    DoEvents();
    EXPECT_EQ(recorder.log.processed, 1);
}

TEST(WindowSystem, PointerChangesReachLoadedWindowsOnly) {
    ScopedRecordingRenderer recorder;
    frmProgress window;
    SetMousePointer(vbHourglass);
    EXPECT_EQ(recorder.log.pointerChanges, 0);
    window.Load();
    SetMousePointer(vbHourglass);  // no change
    SetMousePointer(vbDefault);
    EXPECT_EQ(recorder.log.pointerChanges, 1);
}

TEST(WindowSystem, RendererFactoryAndPointerBelongToTheThread) {
    ScopedRecordingRenderer recorder;
    SetMousePointer(vbHourglass);
    int otherPointer = -1;
    bool otherHasRenderer = true;
    std::thread other([&] {
        otherPointer = MousePointer();
        otherHasRenderer = MakeProgressRenderer() != nullptr;
    });
    other.join();
    EXPECT_EQ(otherPointer, vbDefault);
    EXPECT_FALSE(otherHasRenderer);
    EXPECT_EQ(MousePointer(), vbHourglass);
    SetMousePointer(vbDefault);
}

}  // namespace
}  // namespace tmigration::ui
