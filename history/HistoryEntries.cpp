#include "HistoryEntries.h"

#include "Sha256.h"
#include "Version.h"

namespace {

std::string textAt(const nlohmann::json& info, const char* group, const char* key) {
    const auto part = info.find(group);
    if (part == info.end() || !part->is_object()) {
        return {};
    }
    const auto value = part->find(key);
    return value != part->end() && value->is_string() ? value->get<std::string>() : std::string();
}

} // namespace

HistoryRun HistoryRunOf(const RunRecord& record, const std::string& machineId,
                        const std::string& source, const std::string& inputSha256, bool comparable,
                        int threads) {
    HistoryRun run;
    run.Id = record.Id;
    run.MachineId = machineId;
    run.StartedAt = record.StartedAt;
    run.ProgramVersion = VersionNumber();
    run.Source = source;
    run.InputSha256 = inputSha256;
    run.Comparable = comparable;
    run.TimeSumma = record.TimeSumma;
    run.Score = record.Score;
    run.CheckPassed = record.Check.Passed;
    run.Threads = threads;
    run.PassTimes = record.PassTimes;
    return run;
}

HistoryMachine HistoryMachineOf(const nlohmann::json& info, const std::string& seenAt) {
    HistoryMachine machine;
    machine.HostName = textAt(info, "system", "hostname");
    // The name the information window shows, else the one the processor gives.
    machine.Processor = textAt(info, "window", "cpu_name");
    if (machine.Processor.empty()) {
        machine.Processor = textAt(info, "processor", "brand");
    }
    const auto id = info.find("machine_id");
    if (id != info.end() && id->is_string() && !id->get<std::string>().empty()) {
        machine.Id = id->get<std::string>();
    } else {
        const std::string identity = machine.HostName + "\n" + machine.Processor;
        machine.Id = "unknown-" + Sha256::Of(reinterpret_cast<const std::uint8_t*>(identity.data()),
                                             identity.size())
                                      .substr(0, 12);
    }
    machine.Info = info;
    machine.LastSeen = seenAt;
    return machine;
}
