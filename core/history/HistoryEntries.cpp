#include "history/HistoryEntries.h"

#include "facts/InfoFields.h"
#include "platform/Sha256.h"
#include "platform/Version.h"

HistoryRun HistoryRunOf(const RunRecord& record, const HistoryMachine& machine,
                        const std::string& source, const std::string& inputSha256, bool comparable,
                        int copies) {
    HistoryRun run;
    run.Id = record.Id;
    run.MachineId = machine.Id;
    run.MachineName = machine.Name;
    run.StartedAt = record.StartedAt;
    run.ProgramVersion = VersionNumber();
    run.Source = source;
    run.InputSha256 = inputSha256;
    run.Comparable = comparable;
    run.TimeSumma = record.TimeSumma;
    run.Score = record.Score;
    run.CheckPassed = record.Check.Passed;
    run.Copies = copies;
    run.WallSeconds = record.WallSeconds;
    run.PassTimes = record.PassTimes;
    run.Cpu = record.Cpu;
    run.Readings = record.Readings;
    run.ReadingSources = record.ReadingSources;
    return run;
}

std::vector<HistoryRun> HistoryRunsOf(const BenchReport& report, const HistoryMachine& machine,
                                      const std::string& source) {
    std::vector<HistoryRun> runs;
    const auto add = [&](const RunRecord& record, int copies) -> HistoryRun& {
        runs.push_back(HistoryRunOf(record, machine, source, report.TestInput.Sha256,
                                    report.TestInput.Comparable, copies));
        runs.back().Preflight = report.Preflight;
        return runs.back();
    };
    for (const RunRecord& run : report.Runs) {
        add(run, 1);
    }
    for (const CopiesRecord& copies : report.CopiesRuns) {
        for (const RunRecord& copy : copies.Copies) {
            HistoryRun& run = add(copy, static_cast<int>(copies.Copies.size()));
            run.CopiesOf = copies.Copies.front().Id;
            run.WallSeconds = copies.WallSeconds;
        }
    }
    return runs;
}

HistoryMachine HistoryMachineOf(const nlohmann::json& info, const std::string& seenAt) {
    const MachineIdentity identity = IdentityOf(info);
    HistoryMachine machine;
    machine.Name = identity.Name;
    machine.HostName = identity.HostName;
    machine.Processor = identity.Processor;
    if (!identity.Id.empty()) {
        machine.Id = identity.Id;
    } else {
        const std::string known = machine.HostName + "\n" + machine.Processor;
        machine.Id = "unknown-" +
                     Sha256::Of(reinterpret_cast<const std::uint8_t*>(known.data()), known.size())
                         .substr(0, 12);
    }
    machine.Info = info;
    machine.LastSeen = seenAt;
    return machine;
}
