// The migration's shared state in one include: the thread's connection and progress window.
#pragma once

#include "driver/SharedConnection.h"
#include "driver/SharedProgressWindow.h"
