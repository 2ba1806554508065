#include "history/RunRecording.h"

#include "history/HistoryEntries.h"

std::size_t RecordBenchResult(ResultsHistory& history, const BenchReport& report,
                              const nlohmann::json& info, const std::string& source) {
    const HistoryMachine machine = HistoryMachineOf(info, RunRecord::Now());
    const std::vector<HistoryRun> runs = HistoryRunsOf(report, machine, source);
    for (const HistoryRun& run : runs) {
        history.Record(machine, run);
    }
    return runs.size();
}
