#include "results/BenchJson.h"

#include "platform/QuelError.h"
#include "preflight/PreflightJson.h"
#include "results/JsonFields.h"
#include "results/JsonFile.h"
#include "results/PassReadingsJson.h"
#include "results/PreflightFields.h"
#include "results/ProgramInfo.h"

#include <limits>

using nlohmann::json;

namespace {

constexpr std::int64_t kMaxInt = std::numeric_limits<int>::max();
constexpr std::int64_t kMaxInt64 = std::numeric_limits<std::int64_t>::max();

json runJson(const RunRecord& run) {
    json object = {
        {"id", run.Id},
        {"started_at", run.StartedAt},
        {"cpu", run.Cpu >= 0 ? json(run.Cpu) : json(nullptr)},
        {"wall_seconds", run.WallSeconds},
        {"pass_times", run.PassTimes},
        {"time_summa", run.TimeSumma},
        {"score", static_cast<std::int64_t>(run.Score)},
        {"check",
         {{"passed", run.Check.Passed},
          {"description",
           run.Check.Description.empty() ? json(nullptr) : json(run.Check.Description)}}}};
    AddPassReadings(run, object);
    return object;
}

RunRecord runFrom(const JsonFields& fields) {
    RunRecord run;
    run.Id = fields.Text("id");
    run.StartedAt = fields.Text("started_at");
    run.Cpu = static_cast<int>(fields.IntegerOrNull("cpu", 0, kMaxInt).value_or(-1));
    run.WallSeconds = fields.Number("wall_seconds");
    run.PassTimes = fields.Numbers("pass_times");
    run.TimeSumma = fields.Number("time_summa");
    run.Score = fields.Number("score");
    const JsonFields check = fields.Object("check");
    run.Check.Passed = check.Flag("passed");
    run.Check.Description = check.TextOrNull("description").value_or("");
    ReadPassReadings(fields, run);
    return run;
}

std::vector<RunRecord> runsFrom(const json& list, const std::string& kind,
                                const std::string& path) {
    std::vector<RunRecord> runs;
    for (std::size_t i = 0; i < list.size(); ++i) {
        runs.push_back(runFrom(JsonFields::Item(list, i, kind, path)));
    }
    return runs;
}

// A fact of the machine's system, from its facts; null where they have none.
json systemFact(const json& info, const char* key) {
    const auto system = info.find("system");
    return info.is_object() && system != info.end() && system->is_object()
               ? system->value(key, json())
               : json();
}

json nullable(const std::optional<std::string>& value) {
    return value ? json(*value) : json(nullptr);
}

json nullable(const std::optional<std::uint64_t>& value) {
    return value ? json(*value) : json(nullptr);
}

} // namespace

json BenchJson(const BenchReport& report, const json& info) {
    json runs = json::array();
    for (const RunRecord& run : report.Runs) {
        runs.push_back(runJson(run));
    }
    const BenchSummary& s = report.Summary;
    json result = {
        {"schema", kBenchSchema},
        {"program", ProgramJson()},
        {"info", info},
        {"input",
         {{"path", report.TestInput.Path},
          {"bytes", report.TestInput.Bytes},
          {"sha256", report.TestInput.Sha256},
          {"comparable", report.TestInput.Comparable}}},
        {"settings",
         {{"runs", report.Runs.size()},
          {"warmup", report.Warmup},
          {"threads", report.MultiCore ? report.MultiCore->Copies : 1}}},
        {"runs", runs},
        {"summary",
         {{"time_summa",
           {{"median", s.MedianTimeSumma},
            {"min", s.MinTimeSumma},
            {"max", s.MaxTimeSumma},
            {"cv", s.TimeSummaCv}}},
          {"score", static_cast<std::int64_t>(s.Score)},
          {"compress_mb_per_s", s.CompressMBps},
          {"decompress_mb_per_s", s.DecompressMBps},
          {"passes_per_second", s.PassesPerSecond}}},
        {"multicore", nullptr},
        {"environment",
         {{"other_load_percent", report.Seen.OtherLoadPercent},
          {"governor", nullable(report.Seen.Governor)},
          {"throttle_events", nullable(report.Seen.ThrottleEvents)},
          {"hypervisor", systemFact(info, "hypervisor")},
          {"container", systemFact(info, "container")}}},
        {"warnings", report.Warnings},
    };
    if (report.Preflight) {
        result["preflight"] = PreflightJson(*report.Preflight);
    }
    if (report.MultiCore) {
        json multiRuns = json::array();
        for (const CopiesRecord& copies : report.CopiesRuns) {
            json copyRuns = json::array();
            for (const RunRecord& copy : copies.Copies) {
                copyRuns.push_back(runJson(copy));
            }
            multiRuns.push_back({{"wall_seconds", copies.WallSeconds}, {"copies", copyRuns}});
        }
        const MultiCoreSummary& m = *report.MultiCore;
        result["multicore"] = {{"copies", m.Copies},
                               {"cpus", report.Cpus},
                               {"runs", multiRuns},
                               {"summary",
                                {{"passes_per_second", m.PassesPerSecond},
                                 {"compress_mb_per_s", m.CompressMBps},
                                 {"decompress_mb_per_s", m.DecompressMBps},
                                 {"scaling_efficiency", m.ScalingEfficiency}}}};
    }
    return result;
}

BenchFile ReadBenchFile(const std::string& path) {
    return BenchFileFrom(ReadJsonFile(path), path);
}

BenchFile BenchFileFrom(const json& document, const std::string& path) {
    const auto fail = [&path](const std::string& what) {
        return QuelError(QuelError::kOwnError, path, path + ": " + what);
    };
    if (!document.is_object() || !document.contains("schema")) {
        throw fail("not a Quelvorant bench result (no \"schema\")");
    }
    if (document["schema"] != kBenchSchema && document["schema"] != kBenchSchemaV1) {
        throw fail("schema " + document["schema"].dump() + " is not " + kBenchSchema + " or " +
                   kBenchSchemaV1);
    }
    BenchFile file;
    file.Path = path;
    const JsonFields fields(document, "", path);
    file.Program = fields.Value("program");
    if (!file.Program.is_object()) {
        throw fail("broken result: \"program\" is not an object");
    }
    const JsonFields program = fields.Object("program");
    if (program.Has("version")) {
        file.ProgramVersion = program.Text("version");
    }
    file.Info = fields.Object("info").Json();
    BenchReport& report = file.Report;
    const JsonFields input = fields.Object("input");
    report.TestInput.Path = input.Text("path");
    report.TestInput.Bytes = input.Integer("bytes", 0, kMaxInt64);
    report.TestInput.Sha256 = input.Text("sha256");
    report.TestInput.Comparable = input.Flag("comparable");
    report.Warmup = static_cast<int>(fields.Object("settings").Integer("warmup", 0, kMaxInt));
    report.Runs = runsFrom(fields.Array("runs"), "run", path);
    const JsonFields summary = fields.Object("summary");
    const JsonFields timeSumma = summary.Object("time_summa");
    report.Summary.MedianTimeSumma = timeSumma.Number("median");
    report.Summary.MinTimeSumma = timeSumma.Number("min");
    report.Summary.MaxTimeSumma = timeSumma.Number("max");
    report.Summary.TimeSummaCv = timeSumma.Number("cv");
    report.Summary.Score = summary.Number("score");
    report.Summary.CompressMBps = summary.Number("compress_mb_per_s");
    report.Summary.DecompressMBps = summary.Number("decompress_mb_per_s");
    report.Summary.PassesPerSecond = summary.Number("passes_per_second");
    if (const auto multicore = fields.ObjectOrNull("multicore")) {
        for (const std::int64_t cpu : multicore->Integers("cpus", 0, kMaxInt)) {
            report.Cpus.push_back(static_cast<int>(cpu));
        }
        const json& runs = multicore->Array("runs");
        for (std::size_t i = 0; i < runs.size(); ++i) {
            const std::string where = "multicore run " + std::to_string(i + 1);
            const JsonFields run(runs[i], where, path);
            CopiesRecord copies;
            copies.WallSeconds = run.Number("wall_seconds");
            copies.Copies = runsFrom(run.Array("copies"), where + ", copy", path);
            report.CopiesRuns.push_back(std::move(copies));
        }
        const JsonFields m = multicore->Object("summary");
        report.MultiCore =
            MultiCoreSummary{static_cast<int>(multicore->Integer("copies", 1, kMaxInt)),
                             m.Number("passes_per_second"), m.Number("compress_mb_per_s"),
                             m.Number("decompress_mb_per_s"), m.Number("scaling_efficiency")};
    }
    if (fields.Has("preflight")) {
        report.Preflight = PreflightFrom(fields.Object("preflight"));
    }
    report.Warnings = fields.Texts("warnings");
    return file;
}
