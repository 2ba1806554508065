#pragma once

#include "history/SqliteStatement.h"
#include "platform/PassReading.h"

#include <optional>

// The columns of a pass's readings in the results history, in the order in
// which PassReadingOf reads them and BindPassReading binds them.
extern const char* const kPassReadingColumns;

// The reading whose columns begin at column first of the row.
PassReading PassReadingOf(const SqliteStatement& row, int first);
// Binds the reading's figures from parameter first on, an unknown one as NULL.
void BindPassReading(SqliteStatement& statement, int first, const PassReading& reading);

void BindRealOrNull(SqliteStatement& statement, int index, const std::optional<double>& value);
// A processor number, -1 (none) as NULL.
void BindProcessorOrNull(SqliteStatement& statement, int index, int cpu);
