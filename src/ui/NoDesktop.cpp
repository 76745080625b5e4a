// The desktop of a build without a window toolkit: the progress window can only be drawn by the
// renderers a host installs (a terminal, or nothing).
#include "ui/DesktopWindow.h"

namespace tmigration::ui {

bool OpenDesktop(std::string& why) {
    why = "This build has no desktop window: it was built without GTK 3.";
    return false;
}

ProgressRendererFactory DesktopRendererFactory() {
    return {};
}

}  // namespace tmigration::ui
