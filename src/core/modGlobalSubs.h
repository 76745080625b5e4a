// The shared data-access helpers in one include: row-set set-up and release, the statement
// executor, the number and security lookups, row deletes, date, number-text and shift-hour helpers.
#pragma once

#include "core/DateHelpers.h"
#include "core/NumberLookups.h"
#include "core/NumberText.h"
#include "core/RecordsetHelpers.h"
#include "core/RowDeletes.h"
#include "core/SecurityLookups.h"
