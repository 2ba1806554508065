#include "report/FleetMachine.h"

#include <algorithm>
#include <map>

namespace {

std::string textAt(const nlohmann::json& info, const char* group, const char* key) {
    const auto within = info.is_object() ? info.find(group) : info.end();
    if (within == info.end() || !within->is_object()) {
        return {};
    }
    const auto value = within->find(key);
    return value != within->end() && value->is_string() ? value->get<std::string>() : std::string();
}

bool ranked(const HistoryRun& run) {
    return run.Copies == 1 && run.Comparable && run.CheckPassed;
}

// Passes per second of one copy alone, median over its runs with a wall time.
std::optional<double> singlePassesPerSecond(const std::vector<HistoryRun>& runs) {
    std::vector<double> rates;
    for (const HistoryRun& run : runs) {
        if (ranked(run) && run.WallSeconds > 0.0) {
            rates.push_back(static_cast<double>(run.PassTimes.size()) / run.WallSeconds);
        }
    }
    return rates.empty() ? std::nullopt : std::optional(Statistics::Median(rates));
}

// The copies that ran at once, by the id they share; only runs whose copies
// are all kept and whose wall time is known give a rate.
void addMultiCore(FleetMachine& fleet, const std::vector<HistoryRun>& runs) {
    std::map<std::string, std::vector<const HistoryRun*>> together;
    for (const HistoryRun& run : runs) {
        if (run.Copies > 1 && run.Comparable && run.CheckPassed) {
            fleet.Copies = std::max(fleet.Copies, run.Copies);
            if (!run.CopiesOf.empty() && run.WallSeconds > 0.0) {
                together[run.CopiesOf].push_back(&run);
            }
        }
    }
    std::vector<double> rates;
    for (const auto& [id, copies] : together) {
        if (copies.front()->Copies != fleet.Copies ||
            copies.size() != static_cast<std::size_t>(fleet.Copies)) {
            continue;
        }
        double passes = 0.0;
        for (const HistoryRun* copy : copies) {
            passes += static_cast<double>(copy->PassTimes.size());
        }
        rates.push_back(passes / copies.front()->WallSeconds);
    }
    if (rates.empty()) {
        return;
    }
    fleet.PassesPerSecond = Statistics::Median(rates);
    if (const std::optional<double> single = singlePassesPerSecond(runs)) {
        fleet.ScalingEfficiency = *fleet.PassesPerSecond / (fleet.Copies * *single);
    }
}

void addOtherInputs(FleetMachine& fleet, const std::vector<HistoryRun>& runs) {
    std::map<std::string, std::vector<double>> summas;
    for (const HistoryRun& run : runs) {
        if (run.Copies == 1 && !run.Comparable && run.CheckPassed) {
            summas[run.InputSha256].push_back(run.TimeSumma);
        }
    }
    for (const auto& [sha256, values] : summas) {
        fleet.OtherInputs.push_back(
            {sha256, static_cast<int>(values.size()), Statistics::Median(values)});
    }
}

FleetMachine fleetMachine(const HistoryMachine& machine, std::vector<HistoryRun> runs) {
    FleetMachine fleet;
    fleet.Machine = machine;
    fleet.Architecture = textAt(machine.Info, "processor", "architecture");
    fleet.Hypervisor = textAt(machine.Info, "system", "hypervisor");
    std::vector<double> summas;
    for (const HistoryRun& run : runs) {
        if (ranked(run)) {
            summas.push_back(run.TimeSumma);
        }
        if (run.Preflight && !fleet.Warnings) {
            fleet.Warnings.emplace();
            for (const PreflightCheck& check : run.Preflight->Checks) {
                if (check.Level == CheckLevel::Warn) {
                    fleet.Warnings->push_back(check);
                }
            }
        }
    }
    fleet.Runs = static_cast<int>(summas.size());
    fleet.TimeSumma = Statistics::SpreadOf(summas);
    addMultiCore(fleet, runs);
    addOtherInputs(fleet, runs);
    fleet.AllRuns = std::move(runs);
    return fleet;
}

} // namespace

std::vector<FleetMachine> FleetOf(const std::vector<HistoryMachine>& machines,
                                  const std::vector<HistoryRun>& runs) {
    std::vector<FleetMachine> fleet;
    for (const HistoryMachine& machine : machines) {
        std::vector<HistoryRun> own;
        for (const HistoryRun& run : runs) {
            if (run.MachineId == machine.Id && run.MachineName == machine.Name) {
                own.push_back(run);
            }
        }
        fleet.push_back(fleetMachine(machine, std::move(own)));
    }
    std::stable_sort(fleet.begin(), fleet.end(), [](const FleetMachine& a, const FleetMachine& b) {
        if ((a.Runs > 0) != (b.Runs > 0)) {
            return a.Runs > 0;
        }
        return a.Runs > 0 ? a.TimeSumma.Median < b.TimeSumma.Median
                          : a.Machine.Name < b.Machine.Name;
    });
    for (std::size_t i = 0; i < fleet.size() && fleet[i].Runs > 0; ++i) {
        fleet[i].Rank = static_cast<int>(i + 1);
    }
    return fleet;
}
