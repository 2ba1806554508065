#include "results/BenchJson.h"

#include "platform/QuelError.h"
#include "results/JsonFile.h"
#include "results/ProgramInfo.h"

using nlohmann::json;

namespace {

json runJson(const RunRecord& run) {
    return {{"id", run.Id},
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
}

RunRecord runFrom(const json& object) {
    RunRecord run;
    run.Id = object.at("id").get<std::string>();
    run.StartedAt = object.at("started_at").get<std::string>();
    run.Cpu = object.at("cpu").is_null() ? -1 : object.at("cpu").get<int>();
    run.WallSeconds = object.at("wall_seconds").get<double>();
    run.PassTimes = object.at("pass_times").get<std::vector<double>>();
    run.TimeSumma = object.at("time_summa").get<double>();
    run.Score = object.at("score").get<double>();
    const json& check = object.at("check");
    run.Check.Passed = check.at("passed").get<bool>();
    if (!check.at("description").is_null()) {
        run.Check.Description = check.at("description").get<std::string>();
    }
    return run;
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
          {"throttle_events", nullable(report.Seen.ThrottleEvents)}}},
        {"warnings", report.Warnings},
    };
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
    try {
        file.Program = document.at("program");
        if (!file.Program.is_object()) {
            throw fail("broken result: \"program\" is not an object");
        }
        file.Info = document.at("info");
        BenchReport& report = file.Report;
        const json& input = document.at("input");
        report.TestInput.Path = input.at("path").get<std::string>();
        report.TestInput.Bytes = input.at("bytes").get<std::uint64_t>();
        report.TestInput.Sha256 = input.at("sha256").get<std::string>();
        report.TestInput.Comparable = input.at("comparable").get<bool>();
        report.Warmup = document.at("settings").at("warmup").get<int>();
        for (const json& run : document.at("runs")) {
            report.Runs.push_back(runFrom(run));
        }
        const json& summary = document.at("summary");
        report.Summary.MedianTimeSumma = summary.at("time_summa").at("median").get<double>();
        report.Summary.MinTimeSumma = summary.at("time_summa").at("min").get<double>();
        report.Summary.MaxTimeSumma = summary.at("time_summa").at("max").get<double>();
        report.Summary.TimeSummaCv = summary.at("time_summa").at("cv").get<double>();
        report.Summary.Score = summary.at("score").get<double>();
        report.Summary.CompressMBps = summary.at("compress_mb_per_s").get<double>();
        report.Summary.DecompressMBps = summary.at("decompress_mb_per_s").get<double>();
        report.Summary.PassesPerSecond = summary.at("passes_per_second").get<double>();
        const json& multicore = document.at("multicore");
        if (!multicore.is_null()) {
            report.Cpus = multicore.at("cpus").get<std::vector<int>>();
            for (const json& run : multicore.at("runs")) {
                CopiesRecord copies;
                copies.WallSeconds = run.at("wall_seconds").get<double>();
                for (const json& copy : run.at("copies")) {
                    copies.Copies.push_back(runFrom(copy));
                }
                report.CopiesRuns.push_back(std::move(copies));
            }
            const json& m = multicore.at("summary");
            report.MultiCore = MultiCoreSummary{
                multicore.at("copies").get<int>(), m.at("passes_per_second").get<double>(),
                m.at("compress_mb_per_s").get<double>(), m.at("decompress_mb_per_s").get<double>(),
                m.at("scaling_efficiency").get<double>()};
        }
        report.Warnings = document.at("warnings").get<std::vector<std::string>>();
    } catch (const json::exception& error) {
        throw fail(std::string("broken result: ") + error.what());
    }
    return file;
}
