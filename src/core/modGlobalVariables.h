// The migration's shared state in one include: the thread's connection and progress window.
#pragma once

#include "core/SharedConnection.h"
#include "core/SharedProgressWindow.h"
