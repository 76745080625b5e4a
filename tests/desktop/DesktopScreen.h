// What the desktop tests read off the virtual screen: the X server's own view of the top-level
// windows (through a connection of the test's own), the texts of the progress window's widgets, and
// its pixels.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <gtk/gtk.h>

#include <cmath>
#include <string>
#include <vector>

#include "ui/Label.h"
#include "ui/frmProgress.h"

namespace tmigration::testing {

// Lets the toolkit dispatch what is pending and paint, as a host's main loop would between updates:
// returns once nothing has been pending for longer than a frame.
inline void Settle() {
    constexpr int kStepMs = 5, kQuietMs = 30, kLimitMs = 1000;
    int quiet = 0;
    for (int waited = 0; quiet < kQuietMs && waited < kLimitMs; waited += kStepMs) {
        gdk_display_sync(gdk_display_get_default());
        if (gtk_events_pending()) {
            while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
            quiet = 0;
        } else {
            quiet += kStepMs;
        }
        g_usleep(kStepMs * 1000);
    }
}

class XServerView {
  public:
    XServerView() : display_(XOpenDisplay(nullptr)) {}
    ~XServerView() {
        if (display_) XCloseDisplay(display_);
    }
    XServerView(const XServerView&) = delete;
    XServerView& operator=(const XServerView&) = delete;

    // The titles of the viewable top-level windows, after the component's requests have reached
    // the server.
    std::vector<std::string> ViewableTitles() const {
        gdk_display_sync(gdk_display_get_default());
        std::vector<std::string> titles;
        Window root, parent, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
            return titles;
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display_, children[i], &attributes) ||
                attributes.map_state != IsViewable)
                continue;
            char* name = nullptr;
            if (XFetchName(display_, children[i], &name) && name) {
                titles.emplace_back(name);
                XFree(name);
            }
        }
        if (children) XFree(children);
        return titles;
    }

  private:
    Display* display_;
};

// The toolkit's window titled `title`, or null.
inline GtkWidget* FindToplevel(const std::string& title) {
    GtkWidget* found = nullptr;
    GList* toplevels = gtk_window_list_toplevels();
    for (GList* item = toplevels; item && !found; item = item->next) {
        const char* t = gtk_window_get_title(GTK_WINDOW(item->data));
        if (t && title == t) found = GTK_WIDGET(item->data);
    }
    g_list_free(toplevels);
    return found;
}

// The texts the progress window shows, in the order its labels stand in the window's design.
inline std::vector<std::string> VisibleTexts(GtkWidget* toplevel) {
    std::vector<std::string> texts;
    GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(toplevel))));
    for (GList* item = children; item; item = item->next)
        if (GTK_IS_LABEL(item->data) && gtk_widget_get_visible(GTK_WIDGET(item->data)))
            texts.emplace_back(gtk_label_get_text(GTK_LABEL(item->data)));
    g_list_free(children);
    return texts;
}

inline std::vector<std::string> ModelTexts(const ui::frmProgress& window) {
    std::vector<std::string> texts;
    for (const ui::Label* label :
         {&window.lblOverall(), &window.lblOverallPercent(), &window.lblInfo(), &window.lblPercent()})
        if (label->Visible) texts.push_back(label->Caption);
    return texts;
}

// The client area (below the title bar) as it stands on the screen.
inline GdkPixbuf* CaptureClientArea(GtkWidget* toplevel) {
    GtkWidget* area = gtk_bin_get_child(GTK_BIN(toplevel));
    GtkAllocation a;
    gtk_widget_get_allocation(area, &a);
    return gdk_pixbuf_get_from_window(gtk_widget_get_window(area), a.x, a.y, a.width, a.height);
}

// The screen's pixels for a length in twips.
inline int Pixels(double twips) {
    return static_cast<int>(
        std::lround(twips * gdk_screen_get_resolution(gdk_screen_get_default()) / 1440.0));
}

// How many pixels of a bar's top row, across the full bar width, have the highlight colour.
inline int FilledPixels(GdkPixbuf* client, const ui::Label& percentLabel, const GdkRGBA& highlight) {
    const int row = Pixels(percentLabel.Top) + 1;  // above the text centred on the bar
    const int channels = gdk_pixbuf_get_n_channels(client);
    const guchar* line = gdk_pixbuf_get_pixels(client) + row * gdk_pixbuf_get_rowstride(client);
    const auto near = [](guchar value, double wanted) { return std::abs(value - wanted * 255) <= 2; };
    int filled = 0;
    for (int x = Pixels(percentLabel.Left); x < Pixels(percentLabel.Left + percentLabel.Width); ++x) {
        const guchar* p = line + x * channels;
        if (near(p[0], highlight.red) && near(p[1], highlight.green) && near(p[2], highlight.blue)) ++filled;
    }
    return filled;
}

}  // namespace tmigration::testing
