// The desktop: whether this build can draw the progress window as a real window, and the renderers
// that do. The desktop belongs to the thread that opened it: its windows are drawn and its pending
// events processed on that thread only, inside the progress updates (there is no event thread).
#pragma once

#include <string>

#include "ui/ProgressRenderer.h"

namespace tmigration::ui {

// Opens the desktop display for the calling thread unless it is open already. False, with the
// reason in `why`, when this build has no desktop window, when no display can be opened, or when
// another thread opened the desktop. A host that opened the display itself keeps its own settings.
bool OpenDesktop(std::string& why);

// Renderers that draw the progress window on the desktop. A window loaded on a thread that has not
// opened the desktop draws nothing.
ProgressRendererFactory DesktopRendererFactory();

}  // namespace tmigration::ui
