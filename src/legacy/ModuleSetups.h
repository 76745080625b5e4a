// The create path and minor pass of each module, for SetupModuleDatabase.
#pragma once

#include "legacy/LegacyTableCreator.h"

namespace tmigration::legacy {

const ModuleSetup& CommonSetup();
const ModuleSetup& GageSetup();
const ModuleSetup& MDCSetup();
const ModuleSetup& ToolSetup();
const ModuleSetup& TravelerSetup();

}  // namespace tmigration::legacy
