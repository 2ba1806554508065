#include "quelvorant-cli/ReportCommand.h"

#include "platform/InertText.h"
#include "quelvorant-cli/CommandOutput.h"
#include "quelvorant-cli/OpenedHistory.h"
#include "report/FleetPage.h"
#include "report/HtmlReport.h"
#include "run/RunRecord.h"

#include <algorithm>
#include <cstdio>

namespace {

HistoryRun chooseRun(ResultsHistory& history, const std::optional<std::string>& runId,
                     const ResultsHistory::MachineKey& thisMachine) {
    if (runId) {
        std::optional<HistoryRun> run = history.FindRun(*runId);
        if (!run) {
            throw CommandFailure(history.Path() + ": no run " + *runId +
                                 " in the history (or the beginning fits several)");
        }
        return std::move(*run);
    }
    // The newest run of one copy on this machine, else the newest run kept.
    using Key = std::optional<ResultsHistory::MachineKey>;
    for (const Key& machine : {Key(thisMachine), Key()}) {
        for (const HistoryRun& run : history.Runs({machine, std::nullopt})) {
            if (run.Copies == 1 || !machine) {
                return *history.FindRun(run.Id);
            }
        }
    }
    throw CommandFailure(history.Path() + ": no runs yet; run the benchmark first");
}

} // namespace

int RunReport(const std::optional<std::string>& runId, const std::string& htmlFile,
              const ResultsHistory::MachineKey& thisMachine) {
    OpenedHistory history(ResultsHistory::Access::Read);
    ReportData data;
    data.Run = chooseRun(history, runId, thisMachine);
    const ResultsHistory::MachineKey machine{data.Run.MachineId, data.Run.MachineName};
    data.Machine = history.FindMachine(machine).value_or(HistoryMachine{});
    // The machine's single-copy runs on the same input, oldest first.
    for (HistoryRun& run : history.Runs({machine, std::nullopt}, true)) {
        if (run.Copies == 1 && run.InputSha256 == data.Run.InputSha256 && run.CheckPassed) {
            data.MachineRuns.push_back(std::move(run));
        }
    }
    std::reverse(data.MachineRuns.begin(), data.MachineRuns.end());
    data.Machines = history.BestRuns();
    data.GeneratedAt = RunRecord::Now();

    WriteOutput(htmlFile, HtmlReport(data));
    if (htmlFile == "-") {
        return 0;
    }
    std::printf("Wrote the report on run %s of %s to %s.\n", InertText(data.Run.Id).c_str(),
                InertText(data.Run.StartedAt).c_str(), htmlFile.c_str());
    return 0;
}

int RunFleetReport(const std::string& htmlFile) {
    OpenedHistory history(ResultsHistory::Access::Read);
    const std::vector<FleetMachine> fleet = FleetOf(history.Machines(), history.Runs({}, true));
    if (fleet.empty()) {
        throw CommandFailure(history.Path() + ": no runs yet; import the fleet's results first");
    }
    WriteOutput(htmlFile, HtmlFleetPage(fleet, RunRecord::Now()));
    if (htmlFile == "-") {
        return 0;
    }
    int ranked = 0;
    for (const FleetMachine& machine : fleet) {
        ranked += machine.Rank > 0 ? 1 : 0;
    }
    std::printf("Wrote the fleet page on %zu machines, %d of them ranked, to %s.\n", fleet.size(),
                ranked, htmlFile.c_str());
    return 0;
}
