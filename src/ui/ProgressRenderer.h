// ProgressRenderer: draws a progress window on some screen. The window calls it when it is shown
// or hidden, whenever the thread processes pending window messages and when the application's mouse
// pointer changes; what is drawn is read from the window's labels. A window without a renderer draws
// nothing.
#pragma once

#include <functional>
#include <memory>

namespace tmigration::ui {

class frmProgress;

class ProgressRenderer {
  public:
    virtual ~ProgressRenderer() = default;
    virtual void Shown(const frmProgress&) {}
    virtual void Hidden(const frmProgress&) {}
    // Pending messages are processed: bring the drawing up to date with the window's labels.
    virtual void ProcessMessages(const frmProgress& window) = 0;
    // The application's mouse pointer changed (see MousePointer() in ui/WindowSystem.h).
    virtual void MousePointerChanged(const frmProgress&) {}
};

// Makes the renderer of a window when the window is loaded; may return null (draw nothing).
using ProgressRendererFactory = std::function<std::unique_ptr<ProgressRenderer>()>;

}  // namespace tmigration::ui
