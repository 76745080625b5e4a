// The calling thread's window system: the renderer factory the host installs before running a
// migration, the application's mouse pointer, and DoEvents, which lets every loaded window of the
// thread draw. All state is per thread; nothing here is shared between threads.
#pragma once

#include "ui/ProgressRenderer.h"

namespace tmigration::ui {

enum MousePointerConstants { vbDefault = 0, vbHourglass = 11 };

// Windows loaded after this call draw through renderers made by `factory` (empty: no drawing).
void SetProgressRendererFactory(ProgressRendererFactory factory);
std::unique_ptr<ProgressRenderer> MakeProgressRenderer();

// The application's mouse pointer; loaded windows are told when it changes.
void SetMousePointer(int pointer);
int MousePointer();

// Processes pending window messages once: every loaded window of the thread draws.
void DoEvents();

// Loaded windows register themselves so that DoEvents reaches them.
void RegisterLoadedWindow(frmProgress* window);
void UnregisterLoadedWindow(frmProgress* window);

}  // namespace tmigration::ui
