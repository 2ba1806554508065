#include "history/PassReadingRows.h"

#include <cstdint>
#include <limits>

const char* const kPassReadingColumns =
    "cpu_start, cpu_end, wait_seconds, involuntary_switches, stolen_seconds, minor_faults, "
    "major_faults, cycles, instructions, clock_mhz, temperature_c, throttle_events, "
    "reading_seconds";

namespace {

std::optional<double> realOrNull(const SqliteStatement& row, int column) {
    return row.IsNull(column) ? std::nullopt : std::optional<double>(row.Real(column));
}

std::optional<std::uint64_t> countOrNull(const SqliteStatement& row, int column) {
    if (row.IsNull(column) || row.Integer(column) < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(row.Integer(column));
}

int processorOrNone(const SqliteStatement& row, int column) {
    return row.IsNull(column) ? -1 : static_cast<int>(row.Integer(column));
}

// Counts above SQLite's largest integer are not kept rather than wrapped.
void bindCount(SqliteStatement& statement, int index, const std::optional<std::uint64_t>& value) {
    if (value && *value <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        statement.Bind(index, static_cast<std::int64_t>(*value));
    } else {
        statement.BindNull(index);
    }
}

} // namespace

PassReading PassReadingOf(const SqliteStatement& row, int first) {
    PassReading reading;
    reading.CpuAtStart = processorOrNone(row, first);
    reading.CpuAtEnd = processorOrNone(row, first + 1);
    reading.WaitSeconds = realOrNull(row, first + 2);
    reading.InvoluntarySwitches = countOrNull(row, first + 3);
    reading.StolenSeconds = realOrNull(row, first + 4);
    reading.MinorFaults = countOrNull(row, first + 5);
    reading.MajorFaults = countOrNull(row, first + 6);
    reading.Cycles = countOrNull(row, first + 7);
    reading.Instructions = countOrNull(row, first + 8);
    reading.ClockMHz = realOrNull(row, first + 9);
    reading.TemperatureC = realOrNull(row, first + 10);
    reading.ThrottleEvents = countOrNull(row, first + 11);
    reading.ReadingSeconds = row.Real(first + 12);
    return reading;
}

void BindPassReading(SqliteStatement& statement, int first, const PassReading& reading) {
    BindProcessorOrNull(statement, first, reading.CpuAtStart);
    BindProcessorOrNull(statement, first + 1, reading.CpuAtEnd);
    BindRealOrNull(statement, first + 2, reading.WaitSeconds);
    bindCount(statement, first + 3, reading.InvoluntarySwitches);
    BindRealOrNull(statement, first + 4, reading.StolenSeconds);
    bindCount(statement, first + 5, reading.MinorFaults);
    bindCount(statement, first + 6, reading.MajorFaults);
    bindCount(statement, first + 7, reading.Cycles);
    bindCount(statement, first + 8, reading.Instructions);
    BindRealOrNull(statement, first + 9, reading.ClockMHz);
    BindRealOrNull(statement, first + 10, reading.TemperatureC);
    bindCount(statement, first + 11, reading.ThrottleEvents);
    statement.Bind(first + 12, reading.ReadingSeconds);
}

void BindRealOrNull(SqliteStatement& statement, int index, const std::optional<double>& value) {
    if (value) {
        statement.Bind(index, *value);
    } else {
        statement.BindNull(index);
    }
}

void BindProcessorOrNull(SqliteStatement& statement, int index, int cpu) {
    if (cpu >= 0) {
        statement.Bind(index, std::int64_t{cpu});
    } else {
        statement.BindNull(index);
    }
}
