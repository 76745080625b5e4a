// frmProgress(): the one progress window of the calling thread, created on first use and reachable
// from every step. Any call on the window loads it (see ui/frmProgress.h).
#pragma once

#include "ui/frmProgress.h"

namespace tmigration::core {

ui::frmProgress& frmProgress();

}  // namespace tmigration::core
