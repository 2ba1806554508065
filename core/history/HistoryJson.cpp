#include "history/HistoryJson.h"

#include "history/HistoryRunCheck.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "preflight/PreflightJson.h"
#include "results/JsonFields.h"
#include "results/PassReadingsJson.h"
#include "results/PreflightFields.h"
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
        json kept = {{"id", run.Id},
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
                     {"pass_times", run.PassTimes}};
        if (run.Cpu >= 0) {
            kept["cpu"] = run.Cpu;
        }
        if (run.WallSeconds > 0.0) {
            kept["wall_seconds"] = run.WallSeconds;
        }
        if (!run.CopiesOf.empty()) {
            kept["copies_of"] = run.CopiesOf;
        }
        if (run.Preflight) {
            kept["preflight"] = PreflightJson(*run.Preflight);
        }
        AddReadings(run.Readings, run.ReadingSources, kept);
        runs.push_back(std::move(kept));
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
    const JsonFields fields(document, "", path);
    HistoryDocument result;
    // Version 1 knows a machine by its id alone, and calls it by its host name.
    const bool named = fields.Text("schema") != kHistorySchemaV1;
    std::map<std::string, std::string> hostNames;
    std::set<std::pair<std::string, std::string>> machineKeys;
    const json& machines = fields.Array("machines");
    for (std::size_t i = 0; i < machines.size(); ++i) {
        const JsonFields machine = JsonFields::Item(machines, i, "machine", path);
        HistoryMachine kept;
        kept.Id = machine.Text("id");
        kept.HostName = machine.Text("host_name");
        kept.Name = named ? machine.Text("name") : kept.HostName;
        kept.Processor = machine.Text("processor");
        kept.LastSeen = machine.Text("last_seen");
        kept.Info = machine.Object("info").Json();
        hostNames.emplace(kept.Id, kept.HostName);
        machineKeys.emplace(kept.Id, kept.Name);
        result.Machines.push_back(std::move(kept));
    }
    const json& runs = fields.Array("runs");
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const JsonFields run = JsonFields::Item(runs, i, "run", path);
        HistoryRun kept;
        kept.Id = run.Text("id");
        kept.MachineId = run.Text("machine_id");
        kept.MachineName = named ? run.Text("machine_name") : hostNames[kept.MachineId];
        kept.StartedAt = run.Text("started_at");
        kept.ProgramVersion = run.Text("program_version");
        kept.Source = run.Text("source");
        kept.InputSha256 = run.Text("input_sha256");
        kept.Comparable = run.Flag("comparable");
        kept.TimeSumma = run.Number("time_summa");
        kept.Score = run.Number("score");
        kept.CheckPassed = run.Flag("check_passed");
        kept.Copies = static_cast<int>(run.Integer("threads", 1, ImportLimits::kCopiesMax));
        kept.PassTimes = run.Numbers("pass_times");
        kept.Cpu = run.Has("cpu") ? static_cast<int>(run.Integer("cpu", 0, 1 << 20)) : -1;
        if (run.Has("wall_seconds")) {
            kept.WallSeconds = run.Number("wall_seconds");
        }
        if (run.Has("copies_of")) {
            kept.CopiesOf = run.Text("copies_of");
        }
        if (run.Has("preflight")) {
            kept.Preflight = PreflightFrom(run.Object("preflight"));
        }
        ReadReadings(run, kept.Readings, kept.ReadingSources);
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
    return result;
}
