#include "history/HistoryJson.h"

#include "history/HistoryRunCheck.h"
#include "platform/InertText.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "run/RunRecord.h"

#include <map>
#include <set>

using nlohmann::json;

json HistoryJson(const HistoryDocument& document) {
    json machines = json::array();
    for (const HistoryMachine& machine : document.Machines) {
        machines.push_back({{"id", machine.Id},
                            {"name", machine.Name},
                            {"host_name", machine.HostName},
                            {"processor", machine.Processor},
                            {"last_seen", machine.LastSeen},
                            {"info", machine.Info}});
    }
    json runs = json::array();
    for (const HistoryRun& run : document.Runs) {
        runs.push_back({{"id", run.Id},
                        {"machine_id", run.MachineId},
                        {"machine_name", run.MachineName},
                        {"started_at", run.StartedAt},
                        {"program_version", run.ProgramVersion},
                        {"source", run.Source},
                        {"input_sha256", run.InputSha256},
                        {"comparable", run.Comparable},
                        {"time_summa", run.TimeSumma},
                        {"score", static_cast<std::int64_t>(run.Score)},
                        {"check_passed", run.CheckPassed},
                        {"threads", run.Copies},
                        {"pass_times", run.PassTimes}});
    }
    return {{"schema", kHistorySchema},
            {"program_version", VersionNumber()},
            {"machines", machines},
            {"runs", runs}};
}

HistoryDocument HistoryDocumentFrom(const json& document, const std::string& path) {
    const auto fail = [&path](const std::string& what) {
        return QuelError(QuelError::kOwnError, "HistoryDocumentFrom", path + ": " + what);
    };
    HistoryDocument result;
    // Version 1 knows a machine by its id alone, and calls it by its host name.
    const bool named = document.value("schema", "") != kHistorySchemaV1;
    try {
        std::map<std::string, std::string> hostNames;
        std::set<std::pair<std::string, std::string>> machineKeys;
        for (const json& machine : document.at("machines")) {
            HistoryMachine kept;
            kept.Id = machine.at("id").get<std::string>();
            kept.HostName = machine.at("host_name").get<std::string>();
            kept.Name = named ? machine.at("name").get<std::string>() : kept.HostName;
            kept.Processor = machine.at("processor").get<std::string>();
            kept.LastSeen = machine.at("last_seen").get<std::string>();
            kept.Info = machine.at("info");
            hostNames.emplace(kept.Id, kept.HostName);
            machineKeys.emplace(kept.Id, kept.Name);
            result.Machines.push_back(std::move(kept));
        }
        for (const json& run : document.at("runs")) {
            HistoryRun kept;
            kept.Id = run.at("id").get<std::string>();
            kept.MachineId = run.at("machine_id").get<std::string>();
            kept.MachineName =
                named ? run.at("machine_name").get<std::string>() : hostNames[kept.MachineId];
            kept.StartedAt = run.at("started_at").get<std::string>();
            kept.ProgramVersion = run.at("program_version").get<std::string>();
            kept.Source = run.at("source").get<std::string>();
            kept.InputSha256 = run.at("input_sha256").get<std::string>();
            kept.Comparable = run.at("comparable").get<bool>();
            kept.TimeSumma = run.at("time_summa").get<double>();
            kept.Score = run.at("score").get<double>();
            kept.CheckPassed = run.at("check_passed").get<bool>();
            const auto copies = run.at("threads").get<std::int64_t>();
            if (copies < 1 || copies > ImportLimits::kCopiesMax) {
                throw fail("run " + InertText(kept.Id.substr(0, 40)) +
                           ": field 'threads' must be from 1 to " +
                           std::to_string(ImportLimits::kCopiesMax));
            }
            kept.Copies = static_cast<int>(copies);
            kept.PassTimes = run.at("pass_times").get<std::vector<double>>();
            if (kept.Id.empty()) {
                throw fail("a run without an id");
            }
            if (machineKeys.count({kept.MachineId, kept.MachineName}) == 0) {
                throw fail("run " + kept.Id + " names machine " + kept.MachineId +
                           (named ? " (" + kept.MachineName + ")" : std::string()) +
                           ", which the file does not describe");
            }
            if (kept.PassTimes.size() != PassCounts::kAll) {
                throw fail("run " + kept.Id + " holds " + std::to_string(kept.PassTimes.size()) +
                           " pass times, not " + std::to_string(PassCounts::kAll));
            }
            if (kept.Source != "window" && kept.Source != "cli") {
                throw fail("run " + kept.Id + " comes from \"" + kept.Source +
                           "\", neither window nor cli");
            }
            result.Runs.push_back(std::move(kept));
        }
    } catch (const json::exception& error) {
        throw fail(std::string("broken results: ") + error.what());
    }
    return result;
}
