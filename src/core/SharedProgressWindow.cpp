#include "core/SharedProgressWindow.h"

#include <memory>

namespace tmigration::core {

ui::frmProgress& frmProgress() {
    thread_local std::unique_ptr<ui::frmProgress> window;
    if (!window) window = std::make_unique<ui::frmProgress>();
    return *window;
}

}  // namespace tmigration::core
