#include "history/HistoryCsv.h"

#include "run/PassCounts.h"

#include <cstdio>
#include <optional>

namespace {

std::string text(const std::string& value) {
    std::string cell = value;
    if (!cell.empty() && std::string("=+-@").find(cell.front()) != std::string::npos) {
        cell.insert(cell.begin(), '\'');
    }
    if (cell.find_first_of(",\"\r\n") == std::string::npos) {
        return cell;
    }
    std::string quoted = "\"";
    for (const char c : cell) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string number(double value) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%.9g", value);
    return cell;
}

std::string number(const std::optional<double>& value) {
    return value ? number(*value) : std::string();
}

std::string count(const std::optional<std::uint64_t>& value) {
    return value ? std::to_string(*value) : std::string();
}

std::string processor(int cpu) {
    return cpu >= 0 ? std::to_string(cpu) : std::string();
}

std::string readingCells(const PassReading& r) {
    return processor(r.CpuAtStart) + "," + processor(r.CpuAtEnd) + "," + number(r.WaitSeconds) +
           "," + count(r.InvoluntarySwitches) + "," + number(r.StolenSeconds) + "," +
           count(r.MinorFaults) + "," + count(r.MajorFaults) + "," + count(r.Cycles) + "," +
           count(r.Instructions) + "," + number(r.ClockMHz) + "," + number(r.TemperatureC) + "," +
           count(r.ThrottleEvents);
}

} // namespace

std::string HistoryCsv(const std::vector<HistoryRun>& runs) {
    std::string csv = "machine_id,machine_name,run_id,started_at,source,threads,comparable,pass,"
                      "kind,seconds,cpu_start,cpu_end,wait_seconds,involuntary_switches,"
                      "stolen_seconds,minor_faults,major_faults,cycles,instructions,clock_mhz,"
                      "temperature_c,throttle_events\r\n";
    const std::string noReading = ",,,,,,,,,,,";
    for (const HistoryRun& run : runs) {
        const std::string runCells = text(run.MachineId) + "," + text(run.MachineName) + "," +
                                     text(run.Id) + "," + text(run.StartedAt) + "," +
                                     text(run.Source) + "," + std::to_string(run.Copies) + "," +
                                     (run.Comparable ? "true" : "false");
        for (std::size_t pass = 0; pass < run.PassTimes.size(); ++pass) {
            csv += runCells + "," + std::to_string(pass + 1) + "," +
                   (pass < PassCounts::kCompressions ? "compression" : "decompression") + "," +
                   number(run.PassTimes[pass]) + "," +
                   (pass < run.Readings.size() ? readingCells(run.Readings[pass]) : noReading) +
                   "\r\n";
        }
    }
    return csv;
}
