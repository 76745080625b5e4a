// The progress window on a virtual desktop: what the X server, the widgets and the pixels show
// while the component works on the caller's thread, and that nothing is left on the screen after.
#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <set>
#include <thread>

#include "DesktopScreen.h"
#include "RunCommand.h"
#include "SharedDatabase.h"
#include "TempDatabase.h"
#include "VirtualDisplay.h"
#include "core/SharedProgressWindow.h"
#include "tmigration/CDatabaseMigrationObj.h"
#include "transfer/PrepareStatements.h"
#include "ui/DesktopWindow.h"
#include "ui/WindowSystem.h"

namespace tmigration::testing {
namespace {

auto* const kDisplay = ::testing::AddGlobalTestEnvironment(new VirtualDisplay);

}  // namespace
}  // namespace tmigration::testing

// Fontconfig keeps its font cache until the process ends; the leak checker of sanitizer builds is
// told so, and reports everything else.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace tmigration::testing {
namespace {

constexpr const char* kCaption = "Database Migration";

bool OnScreen(const XServerView& server) {
    const auto titles = server.ViewableTitles();
    return std::find(titles.begin(), titles.end(), kCaption) != titles.end();
}

GdkRGBA Highlight(GtkWidget* widget) {
    GdkRGBA colour{};
    EXPECT_TRUE(gtk_style_context_lookup_color(gtk_widget_get_style_context(widget),
                                               "theme_selected_bg_color", &colour));
    return colour;
}

GdkCursorType Pointer(GtkWidget* widget) {
    GdkCursor* cursor = gdk_window_get_cursor(gtk_widget_get_window(widget));
    return cursor ? gdk_cursor_get_cursor_type(cursor) : GDK_ARROW;  // none: the parent's, the arrow
}

// ---- The two bars, driven directly ----

struct BarCase {
    const char* name;
    void (ui::frmProgress::*update)(std::int16_t);
    const ui::Label& (ui::frmProgress::*percent)() const;
};

std::ostream& operator<<(std::ostream& os, const BarCase& c) {
    return os << c.name;
}

class ScreenBar : public SharedStateTest, public ::testing::WithParamInterface<BarCase> {
  protected:
    void SetUp() override { ui::SetProgressRendererFactory(ui::DesktopRendererFactory()); }
    void TearDown() override {
        SharedStateTest::TearDown();
        ui::SetProgressRendererFactory(nullptr);
    }
};

TEST_P(ScreenBar, IsAsWideAsItsPercentageAndHidesForANegativeOne) {
    ui::frmProgress& window = core::frmProgress();
    window.Show();
    window.UpdateInfoLabel("Migrating Gages...");
    GtkWidget* toplevel = FindToplevel(kCaption);
    ASSERT_NE(toplevel, nullptr);
    const GdkRGBA highlight = Highlight(toplevel);
    const int full = Pixels(4005);
    for (const std::int16_t percent : {0, 25, 50, 100, -1, 60}) {
        SCOPED_TRACE(percent);
        (window.*GetParam().update)(percent);
        Settle();
        EXPECT_EQ(VisibleTexts(toplevel), ModelTexts(window));
        GdkPixbuf* client = CaptureClientArea(toplevel);
        ASSERT_NE(client, nullptr);
        const int filled = FilledPixels(client, (window.*GetParam().percent)(), highlight);
        g_object_unref(client);
        EXPECT_NEAR(filled, percent < 0 ? 0.0 : full * percent / 100.0, 1.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Bars, ScreenBar,
                         ::testing::Values(BarCase{"Overall", &ui::frmProgress::UpdateOverallPercentDone,
                                                   &ui::frmProgress::lblOverallPercent},
                                           BarCase{"Step", &ui::frmProgress::UpdatePercentDone,
                                                   &ui::frmProgress::lblPercent}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Whole migrations, watched by a host window with a timer of its own ----

// What the host saw from its timer, which runs only when the component lets the thread's events be
// processed.
struct HostView {
    int ticks = 0;
    int ticksOffThread = 0;
    int updatesOffScreen = 0;  // the window visible in the model but not viewable on the server
    std::vector<std::string> textMismatches;
    std::set<std::string> infos;
    std::vector<std::pair<int, int>> overallBar;  // percentage, filled pixels on the screen
    int busyPointerMissing = 0;
    bool screenshotTaken = false;
};

class DesktopMigration : public SharedStateTest {
  protected:
    void SetUp() override {
        database.OpenShared(db::Dialect::Access);
        database.CreateInstalledLegacyDatabase(db::Dialect::Access);
        core::gConnectionSlot().reset();
        object = std::make_unique<CDatabaseMigrationObj>();
        std::string why;
        ASSERT_TRUE(object->SetProgressWindow(ProgressWindow::Desktop, why)) << why;

        host = gtk_window_new(GTK_WINDOW_TOPLEVEL);
        gtk_window_set_title(GTK_WINDOW(host), "Host");
        gtk_widget_show(host);
        Settle();
        timer = g_timeout_add(5, &DesktopMigration::Tick, this);
    }
    void TearDown() override {
        g_source_remove(timer);
        gtk_widget_destroy(host);
        object.reset();
        ui::SetMousePointer(ui::vbDefault);
        SharedStateTest::TearDown();
    }

    static gboolean Tick(gpointer self) {
        static_cast<DesktopMigration*>(self)->Observe();
        return G_SOURCE_CONTINUE;
    }

    void Observe() {
        ++seen.ticks;
        if (std::this_thread::get_id() != caller) ++seen.ticksOffThread;
        const ui::frmProgress& window = core::frmProgress();
        GtkWidget* progress = FindToplevel(kCaption);
        if (!window.Visible() || !progress) return;
        if (!OnScreen(server)) ++seen.updatesOffScreen;
        if (VisibleTexts(progress) != ModelTexts(window))
            seen.textMismatches.push_back(window.lblInfo().Caption + " " + window.lblPercent().Caption);
        seen.infos.insert(window.lblInfo().Caption);
        if (ui::MousePointer() == ui::vbHourglass &&
            (Pointer(progress) != GDK_WATCH || Pointer(host) != GDK_WATCH))
            ++seen.busyPointerMissing;

        const std::string overall = window.lblOverallPercent().Caption;
        if (seen.overallBar.empty() || std::to_string(seen.overallBar.back().first) + "%" != overall) {
            Settle();
            GdkPixbuf* client = CaptureClientArea(progress);
            seen.overallBar.emplace_back(
                std::stoi(overall), FilledPixels(client, window.lblOverallPercent(), Highlight(progress)));
            g_object_unref(client);
        }
        if (wantScreenshot && !seen.screenshotTaken &&
            window.lblInfo().Caption == "Creating New Data Tables..." && window.LastPercentShown() >= 40) {
            Settle();
            GdkWindow* frame = gtk_widget_get_window(progress);
            GdkPixbuf* shot = gdk_pixbuf_get_from_window(frame, 0, 0, gdk_window_get_width(frame),
                                                         gdk_window_get_height(frame));
            std::filesystem::create_directories(TMIGRATION_ARTIFACT_DIR);
            seen.screenshotTaken = gdk_pixbuf_save(shot, TMIGRATION_ARTIFACT_DIR "/progress-window.png",
                                                   "png", nullptr, nullptr);
            g_object_unref(shot);
        }
    }

    void ExpectGoneAfterTheCall() {
        EXPECT_FALSE(OnScreen(server));
        EXPECT_EQ(ui::MousePointer(), ui::vbDefault);
        EXPECT_EQ(Pointer(host), GDK_ARROW);
    }

    SharedDatabase database;
    std::unique_ptr<CDatabaseMigrationObj> object;
    XServerView server;
    GtkWidget* host = nullptr;
    guint timer = 0;
    std::thread::id caller = std::this_thread::get_id();
    HostView seen;
    bool wantScreenshot = false;  // the artifact: one test takes it
    std::string strError = "kept";
};

TEST_F(DesktopMigration, WindowShowsEveryStepWhileTheHostStaysResponsive) {
    wantScreenshot = true;
    ASSERT_TRUE(object->MigrateAccess(database.ConnectionString(), strError)) << strError;

    EXPECT_GT(seen.ticks, 10);
    EXPECT_EQ(seen.ticksOffThread, 0);
    EXPECT_EQ(seen.updatesOffScreen, 0);
    EXPECT_TRUE(seen.textMismatches.empty()) << seen.textMismatches.front();
    for (const char* step : {"Preparing Old Tables For Migration...", "Creating New Data Tables...",
                             "Deleting Old Data Tables..."})
        EXPECT_TRUE(seen.infos.count(step)) << step;
    EXPECT_EQ(seen.busyPointerMissing, 0);

    // The overall bar on the screen grows with the percentage.
    ASSERT_GE(seen.overallBar.size(), 5u);
    for (const auto& [percent, filled] : seen.overallBar)
        EXPECT_NEAR(filled, Pixels(4005) * percent / 100.0, 1.0) << percent << "%";
    EXPECT_TRUE(seen.screenshotTaken);

    ExpectGoneAfterTheCall();
    EXPECT_EQ(FindToplevel(kCaption), nullptr);
}

// How a call ends early: a step fails, or an error is raised out of the call.
enum class Ending { ConnectFails, StepFails, Raises };

std::ostream& operator<<(std::ostream& os, Ending e) {
    return os << (e == Ending::ConnectFails ? "ConnectFails"
                  : e == Ending::StepFails  ? "StepFails"
                                            : "Raises");
}

class EarlyEnd : public DesktopMigration, public ::testing::WithParamInterface<Ending> {};

TEST_P(EarlyEnd, LeavesNoWindowOnTheScreen) {
    std::string connection = database.ConnectionString();
    bool raised = false, ok = false;
    switch (GetParam()) {
        case Ending::ConnectFails:
            connection = "Provider=Nothing;Data Source=x;";
            break;
        case Ending::StepFails: {  // the mapping column is there already: the preparation stops
            const auto objects = core::gConnectionSlot();
            database.OpenShared(db::Dialect::Access);
            database.Run({transfer::PrepareStatements(db::Dialect::Access)[1]});
            core::gConnection().Close();
            core::gConnectionSlot() = objects;
            break;
        }
        case Ending::Raises:  // the file path cannot be cut out for the compaction
            connection.pop_back();
            break;
    }
    try {
        ok = object->MigrateAccess(connection, strError);
    } catch (const std::invalid_argument&) {
        raised = true;
    }
    EXPECT_EQ(raised, GetParam() == Ending::Raises);
    EXPECT_FALSE(ok);
    // A failing connection ends the call before the host's timer is due.
    if (GetParam() != Ending::ConnectFails) {
        EXPECT_FALSE(seen.infos.empty());
    }
    EXPECT_EQ(seen.updatesOffScreen, 0);
    ExpectGoneAfterTheCall();
}

INSTANTIATE_TEST_SUITE_P(Endings, EarlyEnd,
                         ::testing::Values(Ending::ConnectFails, Ending::StepFails, Ending::Raises),
                         [](const auto& info) { return ::testing::PrintToString(info.param); });

// The command line's window, as an administrator runs it on a sample plant under a virtual display.
TEST(TmigrateWindow, MigratesASamplePlantWithTheWindowAndWritesNothingElse) {
    TempDatabase db;
    const std::string connection = "'" + db.ConnectionString() + "'";
    ASSERT_EQ(RunCommand(Tmigrate() + " sample access " + connection + " >/dev/null 2>&1").exitCode, 0);
    // Fontconfig's cache, kept to the end of the process, is no leak of the command's.
    auto r = RunCommand("ASAN_OPTIONS=detect_leaks=0 " + Tmigrate() + " migrate access " + connection +
                        " --progress window 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    EXPECT_EQ(r.out, "");
}

// A host whose idle handler is always ready does not hold an update for ever.
TEST(DesktopEvents, AnAlwaysReadyHostHandlerDoesNotHoldTheUpdate) {
    ui::SetProgressRendererFactory(ui::DesktopRendererFactory());
    int calls = 0;
    const guint idle = g_idle_add(
        [](gpointer count) -> gboolean {
            ++*static_cast<int*>(count);
            return G_SOURCE_CONTINUE;
        },
        &calls);
    ui::frmProgress window;
    window.Show();
    window.UpdatePercentDone(1);
    EXPECT_GT(calls, 0);
    window.Unload();
    g_source_remove(idle);
    ui::SetProgressRendererFactory(nullptr);
}

}  // namespace
}  // namespace tmigration::testing
