#include "driver/SharedProgressWindow.h"

#include <memory>

namespace tmigration::driver {

ui::frmProgress& frmProgress() {
    thread_local std::unique_ptr<ui::frmProgress> window;
    if (!window) window = std::make_unique<ui::frmProgress>();
    return *window;
}

}  // namespace tmigration::driver
