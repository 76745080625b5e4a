// The desktop on GTK 3. The progress window is a small toplevel whose labels sit where the window's
// design puts them, converted from twips to the screen's pixels; the two bars are painted beneath
// the texts in the theme's highlight colour. Every progress update dispatches the thread's pending
// events, the host's included, so that the window repaints and stays responsive during the call.
#include <gtk/gtk.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "ui/DesktopWindow.h"
#include "ui/WindowSystem.h"
#include "ui/frmProgress.h"

namespace tmigration::ui {
namespace {

// A host's idle handler that is always ready must not hold the migration: one update dispatches at
// most this many rounds of pending events.
constexpr int kMaxDispatchRounds = 64;

std::mutex gDesktopMutex;
std::optional<std::thread::id> gDesktopThread;

bool OnDesktopThread() {
    std::lock_guard lock(gDesktopMutex);
    return gDesktopThread == std::this_thread::get_id();
}

std::string NoDisplayReason() {
    const char* display = std::getenv("DISPLAY");
    return std::string("no desktop display can be opened (") +
           (display && *display ? std::string("DISPLAY=") + display : std::string("DISPLAY is not set")) +
           ")";
}

// How a control shows its label: a title on the left, a bar, or a percentage centred over its bar.
enum class Role { Title, Bar, Percent };

struct ControlSpec {
    const Label& (frmProgress::*label)() const;
    Role role;
};

constexpr ControlSpec kControls[] = {
    {&frmProgress::lblOverall, Role::Title},          {&frmProgress::lblOverallProgress, Role::Bar},
    {&frmProgress::lblOverallPercent, Role::Percent}, {&frmProgress::lblInfo, Role::Title},
    {&frmProgress::lblProgress, Role::Bar},           {&frmProgress::lblPercent, Role::Percent},
};
constexpr std::size_t kControlCount = std::size(kControls);

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A toplevel that shows the busy pointer, and the pointer it had before.
struct BusyWindow {
    GdkWindow* window;
    GdkCursor* previous;  // null: the parent's pointer
};

class GtkProgressRenderer : public ProgressRenderer {
  public:
    GtkProgressRenderer();
    ~GtkProgressRenderer() override;
    GtkProgressRenderer(const GtkProgressRenderer&) = delete;
    GtkProgressRenderer& operator=(const GtkProgressRenderer&) = delete;

    void Shown(const frmProgress& window) override;
    void Hidden(const frmProgress& window) override;
    void ProcessMessages(const frmProgress& window) override;
    void MousePointerChanged(const frmProgress& window) override;

  private:
    static gboolean DrawBars(GtkWidget* area, cairo_t* cr, gpointer self);
    int Pixels(double twips) const { return static_cast<int>(std::lround(twips * dotsPerInch_ / 1440.0)); }
    PixelRect ToPixels(const Label& label) const;
    void Sync(const frmProgress& window);
    void ShowPointer();
    void RestorePointers();

    double dotsPerInch_ = 96;
    GtkWidget* window_ = nullptr;
    GtkWidget* header_ = nullptr;
    GtkWidget* fixed_ = nullptr;
    GtkWidget* texts_[kControlCount] = {};       // null for the bars
    std::optional<Label> shown_[kControlCount];  // the labels as last drawn
    std::optional<PixelRect> bars_[kControlCount];
    std::string caption_;
    GdkCursor* busyCursor_ = nullptr;
    std::vector<BusyWindow> busy_;
};

GtkProgressRenderer::GtkProgressRenderer() {
    const double resolution = gdk_screen_get_resolution(gdk_screen_get_default());
    if (resolution > 0) dotsPerInch_ = resolution;

    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    // The window draws its own title bar, so that the caption shows the same on every desktop.
    header_ = gtk_header_bar_new();
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(header_), FALSE);
    gtk_window_set_titlebar(GTK_WINDOW(window_), header_);
    gtk_window_set_resizable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_deletable(GTK_WINDOW(window_), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(window_), GDK_WINDOW_TYPE_HINT_DIALOG);
    gtk_window_set_position(GTK_WINDOW(window_), GTK_WIN_POS_CENTER);
    // Closing the window cannot stop a migration half-way; the window goes when the call ends.
    g_signal_connect(window_, "delete-event", G_CALLBACK(gtk_true), nullptr);

    fixed_ = gtk_fixed_new();
    gtk_widget_set_size_request(fixed_, Pixels(frmProgress::kScaleWidth), Pixels(frmProgress::kScaleHeight));
    g_signal_connect(fixed_, "draw", G_CALLBACK(&GtkProgressRenderer::DrawBars), this);
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (kControls[i].role == Role::Bar) continue;
        texts_[i] = gtk_label_new("");
        gtk_label_set_xalign(GTK_LABEL(texts_[i]), kControls[i].role == Role::Percent ? 0.5f : 0.0f);
        gtk_label_set_ellipsize(GTK_LABEL(texts_[i]), PANGO_ELLIPSIZE_END);
        gtk_fixed_put(GTK_FIXED(fixed_), texts_[i], 0, 0);
    }
    gtk_widget_show(header_);
    gtk_widget_show(fixed_);
}

GtkProgressRenderer::~GtkProgressRenderer() {
    RestorePointers();
    if (busyCursor_) g_object_unref(busyCursor_);
    GdkDisplay* display = gtk_widget_get_display(window_);
    gtk_widget_destroy(window_);
    // Off the screen before the window is reported unloaded.
    gdk_display_sync(display);
}

PixelRect GtkProgressRenderer::ToPixels(const Label& label) const {
    return PixelRect{Pixels(label.Left), Pixels(label.Top), std::max(Pixels(label.Width), 0),
                     std::max(Pixels(label.Height), 0)};
}

void GtkProgressRenderer::Sync(const frmProgress& window) {
    if (window.Caption() != caption_) {
        caption_ = window.Caption();
        gtk_window_set_title(GTK_WINDOW(window_), caption_.c_str());
        gtk_header_bar_set_title(GTK_HEADER_BAR(header_), caption_.c_str());
    }
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const Label& label = (window.*kControls[i].label)();
        if (shown_[i] == label) continue;
        shown_[i] = label;
        const PixelRect rect = ToPixels(label);
        if (kControls[i].role == Role::Bar) {
            bars_[i] = label.Visible ? std::optional(rect) : std::nullopt;
            gtk_widget_queue_draw(fixed_);
            continue;
        }
        gtk_label_set_text(GTK_LABEL(texts_[i]), label.Caption.c_str());
        gtk_fixed_move(GTK_FIXED(fixed_), texts_[i], rect.x, rect.y);
        gtk_widget_set_size_request(texts_[i], rect.width, rect.height);
        gtk_widget_set_visible(texts_[i], label.Visible);
    }
}

gboolean GtkProgressRenderer::DrawBars(GtkWidget* area, cairo_t* cr, gpointer self) {
    const auto& renderer = *static_cast<const GtkProgressRenderer*>(self);
    GdkRGBA highlight{0.21, 0.52, 0.89, 1.0};
    gtk_style_context_lookup_color(gtk_widget_get_style_context(area), "theme_selected_bg_color", &highlight);
    gdk_cairo_set_source_rgba(cr, &highlight);
    for (const auto& bar : renderer.bars_) {
        if (!bar || bar->width == 0) continue;
        cairo_rectangle(cr, bar->x, bar->y, bar->width, bar->height);
        cairo_fill(cr);
    }
    return FALSE;  // the texts are drawn next, over the bars
}

void GtkProgressRenderer::Shown(const frmProgress& window) {
    Sync(window);
    gtk_widget_show(window_);
    ShowPointer();
    gdk_display_flush(gtk_widget_get_display(window_));
}

void GtkProgressRenderer::Hidden(const frmProgress&) {
    gtk_widget_hide(window_);
    gdk_display_sync(gtk_widget_get_display(window_));
}

void GtkProgressRenderer::ProcessMessages(const frmProgress& window) {
    Sync(window);
    ShowPointer();
    for (int round = 0; round < kMaxDispatchRounds && gtk_events_pending(); ++round)
        gtk_main_iteration_do(FALSE);
}

void GtkProgressRenderer::MousePointerChanged(const frmProgress&) {
    ShowPointer();
    gdk_display_flush(gtk_widget_get_display(window_));
}

// The hourglass is the application's pointer: every toplevel window of the process shows it, the
// host's as well as the progress window, and each gets its own pointer back afterwards.
void GtkProgressRenderer::ShowPointer() {
    if (MousePointer() != vbHourglass) {
        RestorePointers();
        return;
    }
    if (!busyCursor_) busyCursor_ = gdk_cursor_new_for_display(gtk_widget_get_display(window_), GDK_WATCH);
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item; item = item->next) {
        GdkWindow* window = gtk_widget_get_window(GTK_WIDGET(item->data));
        if (!window) continue;  // not realized yet; a later update reaches it
        const bool known =
            std::any_of(busy_.begin(), busy_.end(), [&](const BusyWindow& b) { return b.window == window; });
        if (known) continue;
        GdkCursor* previous = gdk_window_get_cursor(window);
        busy_.push_back(
            {GDK_WINDOW(g_object_ref(window)), previous ? GDK_CURSOR(g_object_ref(previous)) : nullptr});
        gdk_window_set_cursor(window, busyCursor_);
    }
    g_list_free(toplevels);
}

void GtkProgressRenderer::RestorePointers() {
    for (const BusyWindow& b : busy_) {
        gdk_window_set_cursor(b.window, b.previous);  // does nothing on a destroyed window
        if (b.previous) g_object_unref(b.previous);
        g_object_unref(b.window);
    }
    busy_.clear();
}

}  // namespace

bool OpenDesktop(std::string& why) {
    std::lock_guard lock(gDesktopMutex);
    const auto self = std::this_thread::get_id();
    if (gDesktopThread) {
        if (*gDesktopThread == self) return true;
        why = "the desktop is in use by another thread of this process";
        return false;
    }
    if (!gdk_display_get_default()) {
        // Left alone, the toolkit would switch the whole process to the user's locale, and with it
        // the decimal separator of every number the migration writes.
        static const bool localeKept = (gtk_disable_setlocale(), true);
        (void)localeKept;
        if (!gtk_init_check(nullptr, nullptr)) {
            why = NoDisplayReason();
            return false;
        }
    }
    gDesktopThread = self;
    return true;
}

ProgressRendererFactory DesktopRendererFactory() {
    return []() -> std::unique_ptr<ProgressRenderer> {
        if (!OnDesktopThread()) return nullptr;
        return std::make_unique<GtkProgressRenderer>();
    };
}

}  // namespace tmigration::ui
