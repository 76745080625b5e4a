// The shared data-access helpers in one include: row-set set-up and release, the statement
// executor, the number and security lookups, row deletes, date, number-text and shift-hour helpers.
#pragma once

#include "driver/DateHelpers.h"
#include "driver/NumberLookups.h"
#include "driver/NumberText.h"
#include "driver/RecordsetHelpers.h"
#include "driver/RowDeletes.h"
#include "driver/SecurityLookups.h"
#include "driver/ShiftHistoryHours.h"
