#include "ui/WindowSystem.h"

#include <algorithm>
#include <vector>

#include "ui/frmProgress.h"

namespace tmigration::ui {
namespace {

// Set when the thread's state has been destroyed at thread exit; windows destroyed after it (the
// thread's shared progress window among them) must not reach it any more.
thread_local bool tWindowsGone = false;

struct ThreadWindows {
    ProgressRendererFactory factory;
    int mousePointer = vbDefault;
    std::vector<frmProgress*> loaded;
    ~ThreadWindows() { tWindowsGone = true; }
};

ThreadWindows& Current() {
    thread_local ThreadWindows windows;
    return windows;
}

}  // namespace

void SetProgressRendererFactory(ProgressRendererFactory factory) {
    Current().factory = std::move(factory);
}

std::unique_ptr<ProgressRenderer> MakeProgressRenderer() {
    if (tWindowsGone) return nullptr;
    const auto& factory = Current().factory;
    return factory ? factory() : nullptr;
}

void SetMousePointer(int pointer) {
    if (tWindowsGone) return;
    if (Current().mousePointer == pointer) return;
    Current().mousePointer = pointer;
    const std::vector<frmProgress*> loaded = Current().loaded;
    for (frmProgress* window : loaded) window->MousePointerChanged();
}
int MousePointer() {
    return Current().mousePointer;
}

void DoEvents() {
    if (tWindowsGone) return;
    // A copy: a renderer may not load or unload windows, but the list must survive if one does.
    const std::vector<frmProgress*> loaded = Current().loaded;
    for (frmProgress* window : loaded) window->Paint();
}

void RegisterLoadedWindow(frmProgress* window) {
    if (tWindowsGone) return;
    auto& loaded = Current().loaded;
    if (std::find(loaded.begin(), loaded.end(), window) == loaded.end()) loaded.push_back(window);
}

void UnregisterLoadedWindow(frmProgress* window) {
    if (tWindowsGone) return;
    auto& loaded = Current().loaded;
    loaded.erase(std::remove(loaded.begin(), loaded.end(), window), loaded.end());
}

}  // namespace tmigration::ui
